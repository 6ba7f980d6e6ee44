// Elements that hold their attributes as values (as the parser writes
// them) must read, through every reader, exactly as an element holding the
// same attributes as text; and the builder must make the same program from
// either.
#include "script/buildertree.h"
#include "script/programbuilder.h"
#include "script/tscilparser.h"
#include "script/tscscript.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace bralvo::script;

namespace {

enum class Kind { Token, Node, Range };

struct ValuesCase {
    Kind kind;
    QString value; // a token's text as read, before escaping
    int line, column;
    int endLine = 0, endColumn = 0;
    bool heldAsValues = true; // false: the element falls back to its text
};

QString positionText(int line, int column)
{
    return QString::number(line) + QLatin1Char(':') + QString::number(column);
}

// The text the parser writes for such an element, spelt out by hand.
QString classicText(const ValuesCase &c)
{
    const QString pos = QStringLiteral("pos=\"") + positionText(c.line, c.column) + QLatin1Char('"');
    switch (c.kind) {
    case Kind::Token: return QStringLiteral("text=\"") + StrToXML(c.value) + QStringLiteral("\" ") + pos;
    case Kind::Node: return pos;
    case Kind::Range:
        return pos + QStringLiteral(" pos1=\"") + positionText(c.endLine, c.endColumn) + QLatin1Char('"');
    }
    return QString();
}

std::unique_ptr<TscXMLItem> withValues(const ValuesCase &c)
{
    auto element = std::make_unique<TscXMLItem>();
    element->SetName(QStringLiteral("node"));
    switch (c.kind) {
    case Kind::Token: element->SetTokenValues(StrToXML(c.value), c.line, c.column); break;
    case Kind::Node: element->SetNodeValues(c.line, c.column); break;
    case Kind::Range: element->SetNodeValues(c.line, c.column, c.endLine, c.endColumn); break;
    }
    return element;
}

std::unique_ptr<TscXMLItem> withText(const ValuesCase &c)
{
    auto element = std::make_unique<TscXMLItem>();
    element->SetName(QStringLiteral("node"));
    element->SetText(classicText(c));
    return element;
}

QString described(QStringView raw)
{
    return raw.isNull() ? QStringLiteral("<null>") : raw.toString();
}

QString described(const builder::RawPosition &raw)
{
    if (raw.isNumbers)
        return builder::PositionDigits(raw.line, raw.column).view().toString();
    return described(raw.text);
}

using Reader = std::function<QString(std::unique_ptr<TscXMLItem>)>;

// Every way the element is read or changed, each on a fresh element: the
// first reading as text may change what the element holds.
std::vector<std::pair<QString, Reader>> readers()
{
    std::vector<std::pair<QString, Reader>> all;
    all.emplace_back(QStringLiteral("Text"), [](auto e) { return e->Text(); });
    const char *names[] = {"text", "pos", "pos1", "TEXT", "Pos1", "po\u017F", "unit", "", "ext", "text=\"",
                           "a pos", "b"};
    for (const char *name : names) {
        const QString n = QString::fromUtf8(name);
        all.emplace_back(QStringLiteral("RawProp ") + n, [n](auto e) { return described(e->RawProp(n)); });
        all.emplace_back(QStringLiteral("Prop ") + n, [n](auto e) { return e->Prop(n); });
        all.emplace_back(QStringLiteral("Prop then Text ") + n, [n](auto e) { return e->Prop(n) + e->Text(); });
    }
    all.emplace_back(QStringLiteral("SetProp pos"), [](auto e) {
        e->SetProp(QStringLiteral("pos"), QStringLiteral("9:9"));
        return e->Text();
    });
    all.emplace_back(QStringLiteral("SetProp text"), [](auto e) {
        e->SetProp(QStringLiteral("TEXT"), QStringLiteral("a\"b&"));
        return e->Text() + described(e->RawProp(QStringLiteral("text")));
    });
    all.emplace_back(QStringLiteral("SetProp new"), [](auto e) {
        e->SetProp(QStringLiteral("unit"), QStringLiteral("u.pas"));
        return e->Text();
    });
    all.emplace_back(QStringLiteral("SetText"), [](auto e) {
        e->SetText(QStringLiteral("x=\"1\""));
        TscXMLAttributeValues values;
        return e->Text() + described(e->RawProp(QStringLiteral("text"))) + (e->AttributeValues(values) ? "!" : "");
    });
    all.emplace_back(QStringLiteral("Assign"), [](auto e) {
        TscXMLItem copy;
        copy.Assign(e.get());
        return described(copy.RawProp(QStringLiteral("text"))) + copy.Text() + e->Text();
    });
    all.emplace_back(QStringLiteral("moved and saved"), [](auto e) {
        TscXMLItem holder;
        holder.AddItem(e.release());
        TscXMLDocument document;
        document.Root()->SetName(QStringLiteral("program"));
        holder.MoveChildrenTo(0, *document.Root());
        return document.SaveToText();
    });
    all.emplace_back(QStringLiteral("builder"), [](auto e) {
        const builder::RawAttributes found = builder::rawAttributes(*e);
        return described(found.text) + QLatin1Char('|') + described(found.position()) + QLatin1Char('|')
            + described(found.endPosition()) + QLatin1Char('|')
            + builder::unescapedAttribute(found.text) + QLatin1Char('|') + builder::textAttribute(*e);
    });
    return all;
}

} // namespace

TEST(ElementValues, ReadAsTheTextTheyStandFor)
{
    const QString loneSurrogate(QChar(0xD800));
    const ValuesCase cases[] = {
        {Kind::Token, QString(), 1, 1},
        {Kind::Token, QStringLiteral("x"), 1, 1},
        {Kind::Token, QStringLiteral("'It''s'"), 12, 5},
        {Kind::Token, QStringLiteral("'say \"hi\" & <bye>'"), 3, 4},
        {Kind::Token, QStringLiteral("&quot;&#38;"), 3, 4},
        {Kind::Token, QStringLiteral("'\r\n'"), 7, 1},
        {Kind::Token, QStringLiteral("'") + loneSurrogate + QStringLiteral("'"), 2, 2},
        {Kind::Token, QString::fromUtf8("'\xC5\xBC\xC3\xB3\xC5\x82w \xE2\x82\xAC \xF0\x9D\x92\xB3'"), 5000, 80},
        {Kind::Token, QStringLiteral(":="), 4, 4},
        {Kind::Token, QStringLiteral("="), 4, 4},
        {Kind::Token, QStringLiteral("a b"), 4, 4},
        {Kind::Token, QStringLiteral("a pos="), 1, 2, 0, 0, false}, // would read as a name in the text
        {Kind::Token, QStringLiteral("x ="), 1, 2, 0, 0, false},
        {Kind::Token, QStringLiteral("1"), 131071, 8191},
        {Kind::Token, QStringLiteral("1"), 131072, 1, 0, 0, false}, // too far for the packed numbers
        {Kind::Token, QStringLiteral("1"), 1, 8192, 0, 0, false},
        {Kind::Token, QStringLiteral("1"), 0, 0},
        {Kind::Token, QStringLiteral("1"), -1, 5, 0, 0, false},
        {Kind::Node, QString(), 3, 9},
        {Kind::Node, QString(), 200000, 1, 0, 0, false},
        {Kind::Range, QString(), 2, 7, 2, 8},
        {Kind::Range, QString(), 10, 3, 12, 1},
        {Kind::Range, QString(), 1, 1, 131072, 1, false},
    };
    for (const ValuesCase &c : cases) {
        SCOPED_TRACE(classicText(c).toStdString());
        TscXMLAttributeValues values;
        EXPECT_EQ(withValues(c)->AttributeValues(values), c.heldAsValues);
        EXPECT_FALSE(withText(c)->AttributeValues(values));
        for (const auto &[name, read] : readers()) {
            SCOPED_TRACE(name.toStdString());
            EXPECT_EQ(read(withValues(c)).toStdString(), read(withText(c)).toStdString());
        }
    }
}

namespace {

// What a program built from a tree shows: its build error, its code lines,
// and when run the lines run, the argument sources a macro receives and
// the run-time error.
struct Outcome {
    QString errorText, errorPosition, errorUnit;
    QStringList codeLines, runLines, sources;
    QString runError;

    bool operator==(const Outcome &o) const
    {
        return errorText == o.errorText && errorPosition == o.errorPosition && errorUnit == o.errorUnit
            && codeLines == o.codeLines && runLines == o.runLines && sources == o.sources && runError == o.runError;
    }
};

void PrintTo(const Outcome &o, std::ostream *out)
{
    *out << (o.errorText + QLatin1Char('@') + o.errorPosition + QLatin1Char(' ') + o.errorUnit + " lines "
             + o.codeLines.join(QLatin1Char('/')) + " ran " + o.runLines.join(QLatin1Char(' ')) + " sources "
             + o.sources.join(QLatin1Char('|')) + " error " + o.runError)
                .toStdString();
}

Outcome buildAndRun(TscILParser &parser, const TscXMLItem &root)
{
    Outcome outcome;
    TscScript script;
    script.AddRTTI();
    script.AddMethod(QStringLiteral("macroprocedure Show(A: Variant; B: Variant; C: Variant)"),
                     [&outcome](bralvo::platform::HandleTarget *, const QString &, const QString &,
                                TscMethodHelper &h) {
                         for (int i = 0; i < 3; ++i)
                             outcome.sources.append(h.GetParamValue(i).toString());
                         return bralvo::platform::Variant::null();
                     });
    script.OnRunLine = [&outcome](TscScript *, const QString &unit, const QString &pos) {
        outcome.runLines.append(unit + QLatin1Char('@') + pos);
    };
    ProgramBuilder builder(script, parser.Grammar().Root(), parser.NeedDeclareVars(), parser.Lexer().Text());
    builder.BuildProgramItems(&root);
    outcome.errorText = script.ErrorText;
    outcome.errorPosition = script.ErrorPosition;
    outcome.errorUnit = script.ErrorUnitName;
    outcome.codeLines = script.CodeLines;
    if (!script.ErrorText.isEmpty())
        return outcome;
    try {
        script.Execute();
    } catch (const std::exception &error) {
        outcome.runError = QString::fromUtf8(error.what());
    }
    return outcome;
}

bool holdsValues(const TscXMLItem &element)
{
    TscXMLAttributeValues values;
    if (element.AttributeValues(values))
        return true;
    for (int i = 0; i < element.Count(); ++i)
        if (holdsValues(*element.Items(i)))
            return true;
    return false;
}

} // namespace

TEST(ElementValues, ProgramsBuildAlikeFromValuesAndFromTheirText)
{
    const struct {
        const char *language;
        const char *source;
    } cases[] = {
        {"PascalScript",
         "var i, n: Integer;\n    s: String;\n"
         "procedure Step(v: Integer);\nbegin\n  n := n + 100 div (3 - v)\nend;\n"
         "begin\n  s := 'a&b \"q\" <x>' + #13#10;\n  n := 0;\n  for i := 1 to 5 do\n  begin\n"
         "    n := n + i * 2;\n    Show(n + 1, s + '!',   (i));\n    if i > 1 then\n      Step(i)\n"
         "  end\nend."},
        {"PascalScript", "var i: Integer;\nbegin\n  i := 1;\n  i := 'x' + i\nend."},
        {"PascalScript", "begin\n  Show(1, 2,\n       Nothing + 1)\nend."},
        {"PascalScript", "var a: array[0..2] of Integer;\nbegin\n  a[1] := 2;\n  Show(a[1] * 3, a[5], 0)\nend."},
        {"C++Script", "int i;\n{\n  for (i = 0; i < 3; i++)\n  {\n    Show(i, i * 2, \"s&\" + \"<\");\n  }\n  i = i / 0;\n}"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        TscILParser parser{ILParserOptions()};
        parser.LoadLanguageGrammar(QLatin1String(c.language));
        ASSERT_TRUE(parser.BuildIntermediateProgram(NormalizeScriptText(QString::fromUtf8(c.source))))
            << parser.ErrorText().toStdString() << " at " << parser.ErrorPosition().toStdString();
        const TscXMLItem &tree = *parser.ILScript().Root();
        ASSERT_TRUE(holdsValues(tree));
        // Grammars are shared between threads: reading them as text must
        // never change them.
        EXPECT_FALSE(holdsValues(*parser.Grammar().Root()));
        const Outcome fromValues = buildAndRun(parser, tree);
        // Saving reads every element as text; loading makes text elements.
        TscXMLDocument loaded;
        loaded.LoadFromText(parser.ILScript().SaveToText());
        ASSERT_FALSE(holdsValues(*loaded.Root()));
        const Outcome fromText = buildAndRun(parser, *loaded.Root());
        EXPECT_EQ(fromValues, fromText);
        // Each case shows positions somewhere: a build error, or lines run.
        EXPECT_TRUE(!fromValues.errorPosition.isEmpty() || !fromValues.runLines.isEmpty());
    }
}

TEST(ElementValues, WrappingChildrenMovesTheTailIntoANewLastChild)
{
    const struct {
        int index;
        const char *parent; // the parent's children afterwards, the wrapper as W
        const char *wrapped;
    } cases[] = {
        {0, "W", "abc"}, {1, "aW", "bc"}, {2, "abW", "c"}, {3, "abcW", ""}, {7, "abcW", ""}, {-1, "abcW", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.index);
        TscXMLItem parent;
        for (const char *name : {"a", "b", "c"})
            parent.Add()->SetName(QLatin1String(name));
        parent.Items(1)->Add()->SetName(QStringLiteral("grandchild"));
        TscXMLItem *wrapper = parent.WrapChildrenFrom(c.index);
        wrapper->SetName(QStringLiteral("W"));
        const auto names = [](const TscXMLItem &item) {
            QString all;
            for (int i = 0; i < item.Count(); ++i) {
                all += item.Items(i)->Name();
                EXPECT_EQ(item.Items(i)->Parent(), &item);
            }
            return all.toStdString();
        };
        EXPECT_EQ(names(parent), c.parent);
        EXPECT_EQ(names(*wrapper), c.wrapped);
        EXPECT_EQ(parent.Items(parent.Count() - 1), wrapper);
        TscXMLDocument document;
        document.Root()->SetName(QStringLiteral("p"));
        document.Root()->Assign(&parent);
        EXPECT_EQ(document.Root()->Count(), parent.Count());
    }
}
