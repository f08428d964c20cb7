#include <QApplication>
#include <QStringList>

#include "app/Form1.h"
#include "platform/QtTranslations.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Marrowpad"));
    QApplication::setApplicationVersion(QStringLiteral(MARROWPAD_VERSION));
    InstallQtJapanese(app);
    const QStringList arguments = QApplication::arguments();
    TForm1 form(arguments.value(1));
    form.show();
    return QApplication::exec();
}
