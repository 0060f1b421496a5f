#pragma once

// The 27 command pictures shared by the menus, toolbars, side bar and context
// menus: a command shows the same picture everywhere.

#include <QIcon>
#include <QPixmap>

namespace app {

constexpr int CommandIconCount = 27;

// Picture 0..26 of the shared image list; an empty icon outside that range.
QIcon commandIcon(int index);

// The small pictures of the status bar: "SBO1".."SBO10", "SBD1".."SBD4" (15 x 15)
// and "Image1" (18 x 18).
QPixmap indicatorPicture(const QString &name);

// The program's own picture in the title bars of its windows: a closed book.
QIcon programIcon();

// The picture at the top-left corner of the catalogue area (195 x 41).
QPixmap areaLogo();

} // namespace app
