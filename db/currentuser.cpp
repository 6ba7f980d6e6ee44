// The logged-in user and the main window's caption that names it.
#include "db/currentuser.h"

#include "db/lookups.h"
#include "services/globals.h"

namespace bralvo::db {

namespace {

class SilentCurrentUserUi : public CurrentUserUi {
public:
    void showMainCaption(const QString &) override {}
};

CurrentUserUi *installedUi = nullptr;

struct CurrentUser {
    QString login;
    QString name;
    QString id;
};

CurrentUser &current()
{
    static CurrentUser user;
    return user;
}

} // namespace

CurrentUserUi &currentUserUi()
{
    static SilentCurrentUserUi silent;
    return installedUi ? *installedUi : silent;
}

void setCurrentUserUi(CurrentUserUi *ui)
{
    installedUi = ui;
}

const QString &CurrentUserLogin()
{
    return current().login;
}

const QString &CurrentUserName()
{
    return current().name;
}

const QString &CurrentUserId()
{
    return current().id;
}

void SetCurrentUser(const QString &login)
{
    // Both lookups first, so a failing read leaves the old user in place.
    CurrentUser user{login, GetUserNameByLogin(login), GetUserIdByLogin(login)};
    current() = user;
    currentUserUi().showMainCaption(MainCaption(user.name));
}

QString MainCaption(const QString &userName)
{
    return services::ProgramTitle + QStringLiteral(" [") + services::VersionText + QStringLiteral("]")
        + QStringLiteral("  -  (") + userName + QStringLiteral(")");
}

} // namespace bralvo::db
