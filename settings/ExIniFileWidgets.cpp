#include "settings/ExIniFileQt.h"

#include <QWidget>
#include <algorithm>

#include "settings/ExIniFile.h"

namespace {

// Placement values from a file are kept within what a window can take, so that edge
// coordinates never overflow.
constexpr int MaxCoordinate = QWIDGETSIZE_MAX;

int ClampCoordinate(qint64 value) {
    return int(std::clamp<qint64>(value, -MaxCoordinate, MaxCoordinate));
}

int ClampExtent(qint64 value) {
    return int(std::clamp<qint64>(value, 0, MaxCoordinate));
}

// Show commands as the placement keys hold them.
constexpr qint32 ShowNormal = 1;
constexpr qint32 ShowMinimized = 2;
constexpr qint32 ShowMaximized = 3;
constexpr qint32 Minimize = 6;
constexpr qint32 ShowMinNoActive = 7;

qint32 ShowCommand(const QWidget& form) {
    if (form.isMinimized()) return ShowMinimized;
    if (form.isMaximized()) return ShowMaximized;
    return ShowNormal;
}

// The restored rectangle: what the window returns to from maximised or minimised.
QRect NormalRect(const QWidget& form) {
    const QRect normal = form.normalGeometry();
    if ((form.isMaximized() || form.isMinimized() || form.isFullScreen()) && normal.isValid())
        return normal;
    return form.geometry();
}

struct TPlacement {
    qint32 Flags = 0;
    qint32 Show = ShowNormal;
    qint32 MaxX = -1;  // this platform places maximised windows itself
    qint32 MaxY = -1;
    qint32 Left = 0;
    qint32 Top = 0;
    qint32 Right = 0;  // edges, not extents
    qint32 Bottom = 0;
};

TPlacement CurrentPlacement(const QWidget& form) {
    TPlacement p;
    p.Show = ShowCommand(form);
    const QRect normal = NormalRect(form);
    p.Left = normal.x();
    p.Top = normal.y();
    p.Right = ClampCoordinate(qint64(normal.x()) + normal.width());
    p.Bottom = ClampCoordinate(qint64(normal.y()) + normal.height());
    return p;
}

// Several keys with one write of the file, as a single typed write would do.
template <class F>
void WriteKeys(TExIniFile& ini, F&& write) {
    {
        TAutoUpdatePause pause(ini);
        write();
    }
    if (ini.AutoUpdate()) ini.UpdateFile();
}

}  // namespace

void TExIniFileQt::ReadForm(const QString& Section, const QString& Item, QWidget& Form) const {
    const TExIniFile& Ini = *this;
    const TPlacement current = CurrentPlacement(Form);
    auto read = [&](const char* key, qint32 fallback) {
        return Ini.ReadInteger(Section, Item + QLatin1String(key), fallback);
    };
    // ".Flags", ".MaxX" and ".MaxY" have nothing to act on: the window manager places
    // maximised windows here.
    const qint32 show = read(".Show", current.Show);
    const qint64 left = read(".X", current.Left);
    const qint64 top = read(".Y", current.Top);
    const qint64 right = read(".XSize", current.Right);
    const qint64 bottom = read(".YSize", current.Bottom);

    const Qt::WindowStates restored =
        Form.windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen);
    Form.setWindowState(restored);
    // an empty or inverted rectangle is damage, not a window: the window keeps its bounds
    if (right > left && bottom > top) {
        Form.setGeometry(ClampCoordinate(left), ClampCoordinate(top), ClampExtent(right - left),
                         ClampExtent(bottom - top));
    }
    if (show == ShowMaximized)
        Form.setWindowState(restored | Qt::WindowMaximized);
    else if (show == ShowMinimized || show == Minimize || show == ShowMinNoActive)
        Form.setWindowState(restored | Qt::WindowMinimized);
}

void TExIniFileQt::WriteForm(const QString& Section, const QString& Item, const QWidget& Form) {
    TExIniFile& Ini = *this;
    const TPlacement p = CurrentPlacement(Form);
    auto store = [&](const char* key, qint32 value) {
        Ini.WriteInteger(Section, Item + QLatin1String(key), value);
    };
    WriteKeys(Ini, [&] {
        store(".Flags", p.Flags);
        store(".Show", p.Show);
        store(".MaxX", p.MaxX);
        store(".MaxY", p.MaxY);
        store(".X", p.Left);
        store(".Y", p.Top);
        store(".XSize", p.Right);
        store(".YSize", p.Bottom);
    });
}

void TExIniFileQt::ReadFormPos(const QString& Section, const QString& Item, QWidget& Form) const {
    const TExIniFile& Ini = *this;
    const qint32 x = Ini.ReadInteger(Section, Item + QStringLiteral(".X"), Form.x());
    const qint32 y = Ini.ReadInteger(Section, Item + QStringLiteral(".Y"), Form.y());
    Form.move(ClampCoordinate(x), ClampCoordinate(y));
}

void TExIniFileQt::WriteFormPos(const QString& Section, const QString& Item, const QWidget& Form) {
    TExIniFile& Ini = *this;
    WriteKeys(Ini, [&] {
        Ini.WriteInteger(Section, Item + QStringLiteral(".X"), Form.x());
        Ini.WriteInteger(Section, Item + QStringLiteral(".Y"), Form.y());
    });
}

void TExIniFileQt::ReadFormSize(const QString& Section, const QString& Item, QWidget& Form) const {
    const TExIniFile& Ini = *this;
    const qint32 width = Ini.ReadInteger(Section, Item + QStringLiteral(".XSize"), Form.width());
    const qint32 height = Ini.ReadInteger(Section, Item + QStringLiteral(".YSize"), Form.height());
    // A size of zero or less is damage, not a window: that extent keeps its value, so the
    // window never shrinks to nothing.
    Form.resize(width > 0 ? ClampExtent(width) : Form.width(),
                height > 0 ? ClampExtent(height) : Form.height());
}

void TExIniFileQt::WriteFormSize(const QString& Section, const QString& Item, const QWidget& Form) {
    TExIniFile& Ini = *this;
    WriteKeys(Ini, [&] {
        Ini.WriteInteger(Section, Item + QStringLiteral(".XSize"), Form.width());
        Ini.WriteInteger(Section, Item + QStringLiteral(".YSize"), Form.height());
    });
}
