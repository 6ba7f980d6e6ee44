// The main window's menu bar: its four menus and their items, named as
// language files and tests know them, with captions and shortcuts.
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class QAction;
class QMenuBar;

namespace bralvo::app {

// Builds every menu and item into the bar; the result maps each item's
// objectName ("menuSpravaFaktur") to its action. Separators are actions
// named "N1".."N7" and are not in the map.
QHash<QString, QAction *> BuildMainMenu(QMenuBar &bar);

// The item names LockUserInterface disables, in the order it does so.
const QStringList &LockedMenuItems();
// The start-menu buttons it disables when the start menu is open.
const QStringList &LockedStartMenuButtons();

// Items whose windows come with later parts of the program: they stay
// disabled until the main window is given an opener for them.
const QStringList &ItemsNeedingWindows();

} // namespace bralvo::app
