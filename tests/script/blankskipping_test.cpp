// Comments right next to tokens are skipped exactly as blanks of the same
// length would be: the program written, positions included, stays the same.
// Comment markers whose first character also starts a token ("(" of "(*",
// "/" of "//") must leave that token alone.
#include "script/tscilparser.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

using namespace bralvo::script;

namespace {

// The intermediate program as text, or "error line:col text".
std::string programXml(const char *language, const char *source)
{
    TscILParser parser;
    parser.LoadLanguageGrammar(QString::fromLatin1(language));
    if (!parser.BuildIntermediateProgram(NormalizeScriptText(QString::fromUtf8(source))))
        return ("error " + parser.ErrorPosition() + QLatin1Char(' ') + parser.ErrorText()).toStdString();
    return parser.ILScript().SaveToText().toStdString();
}

TEST(BlankSkipping, CommentsNextToTokensCountAsBlanks)
{
    struct Case {
        const char *language, *commented, *blank;
    };
    const Case cases[] = {
        {"PascalScript", "begin{c}x:=1{c}(*d*)+2;//e\nend.", "begin   x:=1        +2;   \nend."},
        {"PascalScript", "begin x := (*a*)(1)*(b);{\n}end.", "begin x :=      (1)*(b); \n end."},
        {"PascalScript", "begin x:=a/b;//c\n  y:=a/ b;end.", "begin x:=a/b;   \n  y:=a/ b;end."},
        {"PascalScript", "begin x:=$1F{h}+#65'a'{s};end.", "begin x:=$1F   +#65'a'   ;end."},
        {"C++Script", "{ x = a/b; /*c*/y = 2;//d\n}", "{ x = a/b;      y = 2;   \n}"},
        {"JScript", "x = a /*c*/ / b;//d\ny = 0x1F;", "x = a       / b;   \ny = 0x1F;"},
        {"BasicScript", "x = 1 ' c\ny = 2 rem d\nz = a/\\c/\\+ 2\n", "x = 1    \ny = 2      \nz = a     + 2\n"},
    };
    for (const Case &c : cases) {
        const std::string commented = programXml(c.language, c.commented);
        EXPECT_EQ(commented.rfind("error", 0), std::string::npos) << c.commented << ": " << commented;
        EXPECT_EQ(commented, programXml(c.language, c.blank)) << c.commented;
    }
}

TEST(BlankSkipping, LineEndsStaySignificantAfterComments)
{
    // BasicScript reads line ends: a comment stops before one, and the
    // continuation character hides one.
    EXPECT_EQ(programXml("BasicScript", "x = 1 _\n+ 2\n").rfind("error", 0), std::string::npos);
    EXPECT_NE(programXml("BasicScript", "x = 1 ' c\n+ 2\n").rfind("error", 0), std::string::npos);
}

} // namespace
