// Catching errors where the user acted.
#include "app/guardedcall.h"

#include "platform/error.h"
#include "services/messages.h"

#include <exception>

namespace bralvo::app {

void RunGuarded(const std::function<void()> &action)
{
    try {
        action();
    } catch (const Error &e) {
        services::ShowErrorBox(e.userText());
    } catch (const std::exception &e) {
        services::ShowErrorBox(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace bralvo::app
