// What the main menu's database manager item does before it shows the
// manager: a list without entries gets the open database as its first.
#pragma once

namespace bralvo::app {

// When [Databases] of the database list is empty: creates the home folder
// of "Database 01", lists it with the folder of the open database (the
// live database folder when none is open) and copies the live settings
// file there as its settings copy. Otherwise nothing. False when the list
// could not be written.
bool RegisterCurrentDatabase();

} // namespace bralvo::app
