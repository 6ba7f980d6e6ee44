// The intermediate program's token texts view the sources they were read
// from: the tree must read the same for as long as its parser keeps it
// (through later builds that fail, with units included), a copy must
// outlive the parser, and building the same text again must give the same
// tree.
#include "script/tscilparser.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <vector>

using namespace bralvo::script;

namespace {

const char *const program = "uses 'Unit1';\n"
                            "var s: String;\n"
                            "begin\n"
                            "  s := 'a' + Greeting;\n"
                            "  if Length(s) > 2 then s := s + 'b'\n"
                            "end.";
const char *const unit1 = "function Greeting: String;\n"
                          "begin\n"
                          "  Result := 'hello' + ' world'\n"
                          "end;\n"
                          "begin end.";

ILParserOptions withUnit()
{
    ILParserOptions options;
    options.unitSource = [](const QString &name) -> std::optional<QString> {
        if (name == QLatin1String("Unit1"))
            return QString::fromLatin1(unit1);
        return std::nullopt;
    };
    return options;
}

QString source(const char *text)
{
    return NormalizeScriptText(QString::fromLatin1(text));
}

QString saved(const TscXMLItem &root)
{
    TscXMLDocument document;
    document.Root()->Assign(&root);
    return document.SaveToText();
}

// Freed texts are taken again and overwritten: a tree still viewing one
// would read these characters instead of its own.
void reuseFreedTexts()
{
    std::vector<QString> filler;
    for (int size = 1; size < 400; ++size)
        filler.emplace_back(size, QLatin1Char('#'));
}

} // namespace

TEST(ILTreeLifetime, AFailedBuildLeavesThePreviousTreeReadable)
{
    TscILParser parser(withUnit());
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    ASSERT_TRUE(parser.BuildIntermediateProgram(source(program))) << parser.ErrorText().toStdString();
    const QString before = saved(*parser.ILScript().Root());
    EXPECT_TRUE(before.contains(QLatin1String("text=\"'hello'\""))); // from the unit
    EXPECT_TRUE(before.contains(QLatin1String("text=\"Greeting\"")));

    parser.UsesList.clear();
    EXPECT_FALSE(parser.BuildIntermediateProgram(source("begin s := ; end.")));
    reuseFreedTexts();
    EXPECT_EQ(saved(*parser.ILScript().Root()), before);
}

TEST(ILTreeLifetime, ACopyOutlivesItsParser)
{
    TscXMLDocument copy;
    QString expected;
    {
        auto parser = std::make_unique<TscILParser>(withUnit());
        parser->LoadLanguageGrammar(QStringLiteral("PascalScript"));
        ASSERT_TRUE(parser->BuildIntermediateProgram(source(program)));
        expected = saved(*parser->ILScript().Root());
        copy.Root()->Assign(parser->ILScript().Root());
    }
    reuseFreedTexts();
    EXPECT_EQ(copy.SaveToText(), expected);
}

TEST(ILTreeLifetime, BuildingAgainGivesTheSameTree)
{
    const struct {
        const char *language;
        const char *text;
    } cases[] = {
        {"PascalScript", program},
        {"C++Script", "int i;\n{ i = 3; if (i > 2) { i = i - 1; } }"},
        {"JScript", "var s = \"x\" + \"y\";\nif (s > \"a\") { s = s + \"<&>\"; }"},
        {"BasicScript", "dim a\na = 1\nif a > 0 then\n  a = a + 2\nend if"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.language);
        TscILParser fresh(withUnit());
        fresh.LoadLanguageGrammar(QString::fromLatin1(c.language));
        ASSERT_TRUE(fresh.BuildIntermediateProgram(source(c.text))) << fresh.ErrorText().toStdString();
        const QString first = saved(*fresh.ILScript().Root());

        TscILParser again(withUnit());
        again.LoadLanguageGrammar(QString::fromLatin1(c.language));
        for (int round = 0; round < 2; ++round) {
            again.UsesList.clear();
            ASSERT_TRUE(again.BuildIntermediateProgram(source(c.text)));
            reuseFreedTexts();
            EXPECT_EQ(saved(*again.ILScript().Root()), first) << "round " << round;
        }
    }
}
