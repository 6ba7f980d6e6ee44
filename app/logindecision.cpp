// The login decision of the start-up sequence.
#include "app/logindecision.h"

#include "db/currentuser.h"
#include "db/lookups.h"
#include "services/messages.h"
#include "services/uitexts.h"

namespace bralvo::app {

namespace {

constexpr char kDemoLogin[] = "demo";

} // namespace

LoginDecision DecideLogin()
{
    LoginDecision decision;
    if (!db::AdminUserExists()) {
        if (db::DemoUserExists())
            db::SetCurrentUser(QLatin1String(kDemoLogin));
        services::ShowMessageBox(services::MessageText(106), services::kMbInformation);
        decision.openUserManagement = true;
        return decision;
    }
    const int users = db::CountUsers();
    const bool alone = users == 1 || (users == 2 && db::DemoUserExists());
    if (alone && !db::AdminHasPassword())
        db::SetCurrentUser(db::GetAdminLogin());
    else
        decision.showLogin = true;
    return decision;
}

} // namespace bralvo::app
