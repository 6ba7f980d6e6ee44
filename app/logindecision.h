// Who is logged in when the database opens at start-up: the demo user
// (no administrator yet), the administrator without asking, or nobody
// until the login window has been answered.
#pragma once

namespace bralvo::app {

struct LoginDecision {
    bool showLogin = false;           // the login window must be shown
    bool openUserManagement = false;  // the users window must be opened
};

// Needs an open database. With no live administrator: logs in the demo
// user when it exists, shows UI text 106 (information) and asks for the
// users window. With one live user, or the administrator and the demo
// user, and an administrator without password: logs the administrator
// in. Every other case asks for the login window. Throws ESQLiteException
// when the database cannot be read.
LoginDecision DecideLogin();

} // namespace bralvo::app
