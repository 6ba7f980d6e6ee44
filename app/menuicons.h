// The small pictures of the main menu's items and the program's window
// icon (no window shows the toolkit's own logo). The pictures are Qt
// resources from app/icons/.
#pragma once

#include <QIcon>
#include <QString>

namespace bralvo::app {

// The picture of the menu item named itemName; a null icon for an item
// without one.
QIcon MenuItemIcon(const QString &itemName);

// The icon every window of the program carries.
QIcon ProgramIcon();

// The bundled picture of that name (":/icons/<picture>.png"); a null icon
// for a name the bundle lacks.
QIcon IconPicture(const QString &picture);

} // namespace bralvo::app
