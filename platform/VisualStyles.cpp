#include "platform/VisualStyles.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <iterator>

namespace {

// One built-in style: the colours of its palette as 0xRRGGBB.
struct TStyleColors {
    const char* Name;
    QRgb Window, WindowText, Base, AlternateBase, Text, Button, ButtonText, Highlight,
        HighlightedText, Link;
};

// Four of them are dark: Amakrits, Carbon, Glossy and Glow.
// clang-format off
constexpr TStyleColors kBuiltInStyles[] = {
    // name                  window    wtext     base      altbase   text      button    btext     highlight htext     link
    {"Amakrits",             0x2B2522, 0xE8DCCD, 0x1E1A18, 0x28221F, 0xEDE3D6, 0x3A312C, 0xF0E4D4, 0xD9822B, 0x1E1A18, 0xF0A860},
    {"Aqua Light Slate",     0xDDE5EA, 0x23313A, 0xF7FAFB, 0xE9EFF2, 0x1E2B33, 0xC9D6DE, 0x23313A, 0x2E9BB5, 0xFFFFFF, 0x1D7F97},
    {"Carbon",               0x2D2D2D, 0xE0E0E0, 0x1F1F1F, 0x272727, 0xE6E6E6, 0x3A3A3A, 0xE8E8E8, 0x5A7FA8, 0xFFFFFF, 0x8AB4F8},
    {"Emerald Light Slate",  0xDEE6E2, 0x1F2E27, 0xF8FBF9, 0xEAF1ED, 0x1A2922, 0xC8D8D0, 0x1F2E27, 0x2E9E6B, 0xFFFFFF, 0x1E7F52},
    {"Glossy",               0x1C2230, 0xE4E9F2, 0x121722, 0x1A2030, 0xE8EDF5, 0x2A3347, 0xEEF2F8, 0x3D6FD6, 0xFFFFFF, 0x7FA6FF},
    {"Glow",                 0x202427, 0xD8F3F0, 0x16191B, 0x1D2124, 0xDDF7F3, 0x2C3236, 0xE0F8F5, 0x14A89A, 0x0E1112, 0x4FE0CF},
    {"Iceberg Classico",     0xEEF3F6, 0x2A3640, 0xFFFFFF, 0xF3F7FA, 0x24303A, 0xDCE5EC, 0x2A3640, 0x5C8DB3, 0xFFFFFF, 0x3A6F99},
    {"Lavender Classico",    0xEEEAF5, 0x2E2640, 0xFFFFFF, 0xF5F2FA, 0x2A2238, 0xDDD5EC, 0x2E2640, 0x8766C4, 0xFFFFFF, 0x6A48A8},
    {"Luna",                 0xECE9D8, 0x000000, 0xFFFFFF, 0xF5F4EA, 0x000000, 0xDCD8C5, 0x000000, 0x316AC5, 0xFFFFFF, 0x0645AD},
    {"Sky",                  0xE8F1FA, 0x1B2A3A, 0xFFFFFF, 0xF1F6FC, 0x10202F, 0xD6E6F5, 0x1B2A3A, 0x3C8DDE, 0xFFFFFF, 0x1565C0},
};
// clang-format on

// What the platform gave the program before any style was chosen.
struct TPlatformLook {
    QString StyleName;
    QPalette Palette;
};

const TPlatformLook& PlatformLook() {
    static const TPlatformLook look{QApplication::style()->name(), QApplication::palette()};
    return look;
}

QString& ActiveName() {
    static QString name = QString::fromLatin1(VisualStyles::kPlatformStyleName);
    return name;
}

QColor Mix(const QColor& a, const QColor& b) {
    return QColor((a.red() + b.red()) / 2, (a.green() + b.green()) / 2, (a.blue() + b.blue()) / 2);
}

QPalette BuildPalette(const TStyleColors& c) {
    const QColor window(c.Window), button(c.Button);
    // Light, mid, dark and shadow follow from the button colour.
    QPalette p(button, window);
    p.setColor(QPalette::WindowText, QColor(c.WindowText));
    p.setColor(QPalette::Base, QColor(c.Base));
    p.setColor(QPalette::AlternateBase, QColor(c.AlternateBase));
    p.setColor(QPalette::Text, QColor(c.Text));
    p.setColor(QPalette::ButtonText, QColor(c.ButtonText));
    p.setColor(QPalette::BrightText, QColor(c.HighlightedText));
    p.setColor(QPalette::Highlight, QColor(c.Highlight));
    p.setColor(QPalette::HighlightedText, QColor(c.HighlightedText));
    p.setColor(QPalette::Link, QColor(c.Link));
    p.setColor(QPalette::LinkVisited, QColor(c.Link));
    p.setColor(QPalette::ToolTipBase, QColor(c.Base));
    p.setColor(QPalette::ToolTipText, QColor(c.Text));
    p.setColor(QPalette::PlaceholderText, Mix(QColor(c.Text), QColor(c.Base)));
    // Disabled text is half way to its background, so it reads as disabled on dark and light.
    p.setColor(QPalette::Disabled, QPalette::WindowText, Mix(QColor(c.WindowText), window));
    p.setColor(QPalette::Disabled, QPalette::Text, Mix(QColor(c.Text), QColor(c.Base)));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, Mix(QColor(c.ButtonText), button));
    p.setColor(QPalette::Disabled, QPalette::Highlight, Mix(QColor(c.Highlight), window));
    return p;
}

const TStyleColors* FindBuiltIn(const QString& name) {
    for (const TStyleColors& c : kBuiltInStyles)
        if (name.compare(QLatin1String(c.Name), Qt::CaseInsensitive) == 0) return &c;
    return nullptr;
}

}  // namespace

namespace VisualStyles {

QStringList Names() {
    QStringList names{QString::fromLatin1(kPlatformStyleName)};
    for (const TStyleColors& c : kBuiltInStyles)
        names << QString::fromLatin1(c.Name);
    return names;
}

QString CanonicalName(const QString& name) {
    if (name.compare(QLatin1String(kPlatformStyleName), Qt::CaseInsensitive) == 0)
        return QString::fromLatin1(kPlatformStyleName);
    const TStyleColors* c = FindBuiltIn(name);
    return c ? QString::fromLatin1(c->Name) : QString();
}

QPalette StylePalette(const QString& name) {
    const TStyleColors* c = FindBuiltIn(name);
    return c ? BuildPalette(*c) : PlatformLook().Palette;
}

bool SetActiveStyle(const QString& name) {
    const QString canonical = CanonicalName(name);
    if (canonical.isEmpty()) return false;
    const TPlatformLook& platform = PlatformLook();
    const bool builtIn = FindBuiltIn(canonical) != nullptr;
    const QString styleName = builtIn ? QStringLiteral("Fusion") : platform.StyleName;
    // Creating a style re-polishes every widget; keep the one in use when it is the same.
    if (QApplication::style()->name().compare(styleName, Qt::CaseInsensitive) != 0) {
        if (QStyle* style = QStyleFactory::create(styleName)) QApplication::setStyle(style);
    }
    QApplication::setPalette(StylePalette(canonical));
    ActiveName() = canonical;
    return true;
}

QString ActiveStyleName() {
    return ActiveName();
}

}  // namespace VisualStyles
