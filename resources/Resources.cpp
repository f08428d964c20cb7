#include "resources/Resources.h"

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitResourcesOnce() {
    Q_INIT_RESOURCE(resources);
}

void InitMarrowpadResources() {
    static const bool done = (InitResourcesOnce(), true);
    (void)done;
}

QString NodeIconPath(int index) {
    return QStringLiteral(":/icons/node/node_%1.svg").arg(index, 2, 10, QLatin1Char('0'));
}

QString ToolbarIconPath(const QString& name) {
    return QStringLiteral(":/icons/toolbar/%1.svg").arg(name);
}

QString CommandIconPath(const QString& name) {
    return QStringLiteral(":/icons/command/%1.svg").arg(name);
}

QString ApplicationIconPath() {
    return QStringLiteral(":/icons/app/marrowpad.svg");
}
