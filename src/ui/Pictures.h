#pragma once

#include <QIcon>

// The toolbar's pictures by index (1 to 11) and the tree's (1 root, 2 closed, 3 open category).
// Each comes from the desktop's icon theme when the desktop has a theme of its own (not just the
// common fallback, hicolor) with the very picture, and otherwise from the program's own theme
// "tarnwick", bundled in the resources as scalable drawings.
QIcon ToolbarPicture(int index);
QIcon TreePicture(int index);

// The program's own icon, for its windows (the desktop's installed copy where there is one).
QIcon ApplicationPicture();

// Makes the bundled theme known to Qt: as the fallback of the desktop's theme, and as the theme
// itself where the desktop has none (Windows, macOS, a bare X server, hicolor alone). Done once; the picture
// functions call it themselves.
void UsePictureTheme();

// The name of the bundled theme and the folder of resources it lies in.
inline constexpr const char *BundledThemeName = "tarnwick";
inline constexpr const char *BundledThemePath = ":/icons";
