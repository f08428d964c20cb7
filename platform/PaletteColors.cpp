#include "platform/PaletteColors.h"

#include <QPalette>

namespace {

struct TSystemRole {
    QPalette::ColorGroup Group;
    QPalette::ColorRole Role;
};

// The palette role that plays the part of each system colour number. Which numbers have a
// colour is SystemColorNumber's to say; number 25's entry is never read.
constexpr TSystemRole kSystemRoles[kSystemColorCount] = {
    {QPalette::Active, QPalette::Button},           // 0 scroll bar
    {QPalette::Active, QPalette::Dark},             // 1 desktop
    {QPalette::Active, QPalette::Highlight},        // 2 active caption
    {QPalette::Inactive, QPalette::Mid},            // 3 inactive caption
    {QPalette::Active, QPalette::Window},           // 4 menu
    {QPalette::Active, QPalette::Base},             // 5 window
    {QPalette::Active, QPalette::Shadow},           // 6 window frame
    {QPalette::Active, QPalette::WindowText},       // 7 menu text
    {QPalette::Active, QPalette::Text},             // 8 window text
    {QPalette::Active, QPalette::HighlightedText},  // 9 caption text
    {QPalette::Active, QPalette::Button},           // 10 active border
    {QPalette::Inactive, QPalette::Button},         // 11 inactive border
    {QPalette::Active, QPalette::Mid},              // 12 application workspace
    {QPalette::Active, QPalette::Highlight},        // 13 highlight
    {QPalette::Active, QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active, QPalette::Button},           // 15 button face
    {QPalette::Active, QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::Text},           // 17 grey text
    {QPalette::Active, QPalette::ButtonText},       // 18 button text
    {QPalette::Inactive, QPalette::WindowText},     // 19 inactive caption text
    {QPalette::Active, QPalette::Light},            // 20 button highlight
    {QPalette::Active, QPalette::Shadow},           // 21 3-D dark shadow
    {QPalette::Active, QPalette::Midlight},         // 22 3-D light
    {QPalette::Active, QPalette::ToolTipText},      // 23 tooltip text
    {QPalette::Active, QPalette::ToolTipBase},      // 24 tooltip background
    {QPalette::Active, QPalette::NoRole},           // 25 unused
    {QPalette::Active, QPalette::Link},             // 26 hot-tracked item
    {QPalette::Active, QPalette::Highlight},        // 27 active caption gradient
    {QPalette::Inactive, QPalette::Mid},            // 28 inactive caption gradient
    {QPalette::Active, QPalette::Highlight},        // 29 menu highlight
    {QPalette::Active, QPalette::Window},           // 30 menu bar
};

const QColor& RoleColor(const QPalette& Palette, int Number) {
    const TSystemRole& role = kSystemRoles[Number];
    return Palette.color(role.Group, role.Role);
}

}  // namespace

// The painter asks this for every run it paints, so it reads the one role it needs rather
// than a whole table; the palette's own QColor keeps any alpha it has.
QColor ColorToQColor(quint32 Color, const QPalette& Palette, const QColor& Fallback) {
    if (Color <= 0x00FFFFFFu)
        return QColor(int(Color & 0xFF), int((Color >> 8) & 0xFF), int((Color >> 16) & 0xFF));
    const int number = SystemColorNumber(Color);
    return number < 0 ? Fallback : RoleColor(Palette, number);
}

quint32 QColorToColor(const QColor& Color) {
    const QColor rgb = Color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

TSystemColorTable SystemColorsOf(const QPalette& Palette) {
    TSystemColorTable table;
    for (int number = 0; number < kSystemColorCount; ++number)
        table[size_t(number)] = SystemColorNumber(0xFF000000u | quint32(number)) < 0
                                    ? kColorNone
                                    : QColorToColor(RoleColor(Palette, number));
    return table;
}
