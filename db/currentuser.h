// Who is logged in. SetCurrentUser is the only writer of the three
// values; every rights check of the program is asked with
// CurrentUserName(). All three are "" until the first SetCurrentUser.
#pragma once

#include <QString>

namespace bralvo::db {

// What logging in changes in the windows: the main window's caption.
// The main window implements it; tests install a recorder.
class CurrentUserUi {
public:
    virtual ~CurrentUserUi() = default;
    virtual void showMainCaption(const QString &caption) = 0;
};

// The installed interface; without one, captions go nowhere.
CurrentUserUi &currentUserUi();
// Installs one (not owned; it must outlive its use); nullptr removes it.
void setCurrentUserUi(CurrentUserUi *ui);

// The login passed to the last SetCurrentUser.
const QString &CurrentUserLogin();
// Display name (uzivatel) of the live user with that login; "" when none.
const QString &CurrentUserName();
// That user's id as decimal text; "" when none.
const QString &CurrentUserId();

// Records the login, looks up the live user's name and id, and shows
// MainCaption(name). Throws ESQLiteException when the database cannot be
// read; the three values are then unchanged.
void SetCurrentUser(const QString &login);

// ProgramTitle + " [" + VersionText + "]" + "  -  (" + userName + ")".
QString MainCaption(const QString &userName);

} // namespace bralvo::db
