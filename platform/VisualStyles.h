#pragma once

#include <QPalette>
#include <QString>
#include <QStringList>

// Visual styles by name. "Windows" is the platform's own style and palette; each built-in
// style is the Fusion style with a palette of its own, kept in one table.
namespace VisualStyles {

inline constexpr const char* kPlatformStyleName = "Windows";

// "Windows" first, then the built-in styles.
QStringList Names();
// The name as the table spells it, for a name matched ignoring case; empty when none matches.
QString CanonicalName(const QString& name);
// Makes the named style active for the whole application (case is ignored). Returns false,
// changing nothing, when no style has that name.
bool SetActiveStyle(const QString& name);
// The active style's name; "Windows" until another style is made active.
QString ActiveStyleName();
// The palette of a style (the platform's for "Windows"); the platform's for an unknown name.
QPalette StylePalette(const QString& name);

}  // namespace VisualStyles
