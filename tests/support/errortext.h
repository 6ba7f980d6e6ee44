// For tests of exact error texts: runs an action and gives the text of
// the error it throws.
#pragma once

#include "platform/error.h"

#include <QString>
#include <functional>

namespace bralvo::test {

// The userText() of the ErrorType the action throws, or "(no error)" when
// it returns normally. Any other exception passes through to the test.
template <typename ErrorType = bralvo::Error>
QString errorTextOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const ErrorType &e) {
        return e.userText();
    }
    return QStringLiteral("(no error)");
}

} // namespace bralvo::test
