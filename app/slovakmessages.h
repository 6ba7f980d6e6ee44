// The Slovak wording of the message texts whose built-in form is English.
// Used by the developer tool that writes "Bralvo - SK.lng"; the program
// itself keeps the built-in texts as the fallback of every language.
#pragma once

#include <QString>
#include <vector>

namespace bralvo::app {

struct SlovakMessage {
    int number;
    const char *text;  // UTF-8, without the percent marks
};

const std::vector<SlovakMessage> &SlovakMessages();

} // namespace bralvo::app
