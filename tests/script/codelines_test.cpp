// Code lines kept per unit: low line numbers are recorded as bits, high
// ones in a set, other texts as texts; each must list a line once, and a
// unit that is left and resumed, or a list the host rewrote, must still
// be read right.
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo::script;

TEST(CodeLines, EveryKindOfLineIsListedOnceAcrossUnits)
{
    TscScript script;
    const struct {
        const char *unit;
        const char *pos;
    } added[] = {
        {"", "1048575:1"}, {"", "1048576:1"}, {"", "999999999:2"}, {"", "1048575:9"},
        {"a.pas", "5:1"},  {"", "1048576:3"}, {"a.pas", "5:2"},    {"", "0:1"},
        {"", "00:1"},      {"a.pas", "64:1"}, {"", "999999999:7"}, {"a.pas", "63:1"},
        {"", "63"},        {"", "0:4"},       {"a.pas", "1000000000:1"}, {"a.pas", "1000000000:2"},
    };
    for (const auto &a : added)
        script.AddCodeLine(QString::fromUtf8(a.unit), QString::fromUtf8(a.pos));
    EXPECT_EQ(script.CodeLines,
              (QStringList{QStringLiteral("=1048575,1048576,999999999,0,00,63,"),
                           QStringLiteral("a.pas=5,64,63,1000000000,")}));

    // The host rewrites the list: what it holds now counts.
    script.CodeLines = {QStringLiteral("=9,")};
    script.AddCodeLine(QString(), QStringLiteral("9:1"));
    script.AddCodeLine(QString(), QStringLiteral("1048575:1"));
    EXPECT_EQ(script.CodeLines, QStringList{QStringLiteral("=9,1048575,")});

    script.Clear();
    script.AddCodeLine(QString(), QStringLiteral("9:1"));
    EXPECT_EQ(script.CodeLines, QStringList{QStringLiteral("=9,")});
}
