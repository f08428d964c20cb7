#pragma once

#include <QString>

// Registers the compiled-in artwork (icons) with Qt's resource system. Safe to call twice.
void InitMarrowpadResources();

// Number of node icons; index 0 is the selection icon, 1 to 50 the choosable ones.
inline constexpr int kNodeIconCount = 51;
// Resource path of node icon `index` (0..50).
QString NodeIconPath(int index);
// Resource paths of the toolbar and command (menu) icons, by short name such as "save".
QString ToolbarIconPath(const QString& name);
QString CommandIconPath(const QString& name);
// Resource path of the application's own icon; the same drawing is installed in the icon theme.
QString ApplicationIconPath();
