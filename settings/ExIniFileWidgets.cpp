#include <QWidget>
#include <algorithm>

#include "platform/Errors.h"
#include "settings/ExIniFile.h"
#include "settings/IniValues.h"

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

int PointSize(const QFont& font) {
    if (font.pointSize() > 0) return font.pointSize();
    // a font sized in pixels: points at 96 pixels per inch
    if (font.pixelSize() > 0) return std::max(1, font.pixelSize() * 72 / 96);
    return font.pointSize();
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

}  // namespace

void TExIniFile::ReadFont(const QString& Section, const QString& Item, TIniFont& Font,
                          QString* colorError) const {
    const QString name =
        ReadFenced(Section, Item + QStringLiteral(".Name"), fcNone, Font.Font.family());
    const qint32 size = ReadInteger(Section, Item + QStringLiteral(".Size"), PointSize(Font.Font));
    const qint32 style =
        ReadInteger(Section, Item + QStringLiteral(".Style"), FontStyleBits(Font.Font));
    // read last: a bad colour raises before the font is touched
    quint32 color = Font.Color;
    try {
        color = ReadColor(Section, Item + QStringLiteral(".Color"), Font.Color);
    } catch (const EConvertError& error) {
        if (!colorError) throw;
        *colorError = error.Message();
    }
    // A new font, so attributes the file does not hold return to their defaults.
    QFont font;
    font.setFamily(name);
    if (size > 0) font.setPointSize(size);
    SetFontStyleBits(font, quint8(style & 0xFF));
    Font.Font = font;
    Font.Color = color;
}

void TExIniFile::WriteFont(const QString& Section, const QString& Item, const TIniFont& Value) {
    Store(Section, Item + QStringLiteral(".Name"), Value.Font.family());
    Store(Section, Item + QStringLiteral(".Size"), QString::number(PointSize(Value.Font)));
    Store(Section, Item + QStringLiteral(".Style"), QString::number(FontStyleBits(Value.Font)));
    Store(Section, Item + QStringLiteral(".Color"), IniHexText(Value.Color));
    DoAutoUpdate();
}

void TExIniFile::ReadForm(const QString& Section, const QString& Item, QWidget& Form) const {
    const TPlacement current = CurrentPlacement(Form);
    auto read = [&](const char* key, qint32 fallback) {
        return ReadInteger(Section, Item + QLatin1String(key), fallback);
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

void TExIniFile::WriteForm(const QString& Section, const QString& Item, const QWidget& Form) {
    const TPlacement p = CurrentPlacement(Form);
    auto store = [&](const char* key, qint32 value) {
        Store(Section, Item + QLatin1String(key), QString::number(value));
    };
    store(".Flags", p.Flags);
    store(".Show", p.Show);
    store(".MaxX", p.MaxX);
    store(".MaxY", p.MaxY);
    store(".X", p.Left);
    store(".Y", p.Top);
    store(".XSize", p.Right);
    store(".YSize", p.Bottom);
    DoAutoUpdate();
}

void TExIniFile::ReadFormPos(const QString& Section, const QString& Item, QWidget& Form) const {
    const qint32 x = ReadInteger(Section, Item + QStringLiteral(".X"), Form.x());
    const qint32 y = ReadInteger(Section, Item + QStringLiteral(".Y"), Form.y());
    Form.move(ClampCoordinate(x), ClampCoordinate(y));
}

void TExIniFile::WriteFormPos(const QString& Section, const QString& Item, const QWidget& Form) {
    Store(Section, Item + QStringLiteral(".X"), QString::number(Form.x()));
    Store(Section, Item + QStringLiteral(".Y"), QString::number(Form.y()));
    DoAutoUpdate();
}

void TExIniFile::ReadFormSize(const QString& Section, const QString& Item, QWidget& Form) const {
    const qint32 width = ReadInteger(Section, Item + QStringLiteral(".XSize"), Form.width());
    const qint32 height = ReadInteger(Section, Item + QStringLiteral(".YSize"), Form.height());
    // A size of zero or less is damage, not a window: that extent keeps its value, so the
    // window never shrinks to nothing.
    Form.resize(width > 0 ? ClampExtent(width) : Form.width(),
                height > 0 ? ClampExtent(height) : Form.height());
}

void TExIniFile::WriteFormSize(const QString& Section, const QString& Item, const QWidget& Form) {
    Store(Section, Item + QStringLiteral(".XSize"), QString::number(Form.width()));
    Store(Section, Item + QStringLiteral(".YSize"), QString::number(Form.height()));
    DoAutoUpdate();
}
