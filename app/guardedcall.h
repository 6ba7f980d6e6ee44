// The boundary where the user acted: an error thrown below (database,
// files) is shown in an error box instead of escaping an event handler.
#pragma once

#include <functional>

namespace bralvo::app {

// Runs action; a bralvo::Error shows its user text, any other exception
// its message, both as an error box under the program title.
void RunGuarded(const std::function<void()> &action);

} // namespace bralvo::app
