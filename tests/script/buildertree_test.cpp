// How the program builder reads the intermediate tree and records code
// lines: its in-place readers must agree with TscXMLItem's own, quirks
// included, and the line index must list each line text once.
#include "script/buildertree.h"
#include "script/tscilparser.h"
#include "script/tscscript.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <memory>

using namespace bralvo::script;

namespace {

// The intermediate program the parser writes for a PascalScript text.
QString intermediateProgramOf(const QString &text)
{
    TscILParser parser{ILParserOptions()};
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    EXPECT_TRUE(parser.BuildIntermediateProgram(text));
    return parser.ILScript().SaveToText();
}

std::unique_ptr<TscXMLItem> elementWith(const QString &name, const QString &text)
{
    auto element = std::make_unique<TscXMLItem>();
    element->SetName(name);
    element->SetText(text);
    return element;
}

} // namespace

TEST(BuilderTree, AttributesReadInPlaceAgreeWithTheElement)
{
    const char *names[] = {"pos", "pos1", "text"};
    const QString texts[] = {
        QString(),
        QStringLiteral("text=\"a\" pos=\"5:11\""),
        QStringLiteral("pos=\"2:7\" pos1=\"2:8\""),
        QStringLiteral("POS=\"3:4\" Text=\"B\""),
        QStringLiteral("xpos=\"1:1\" pos=\"9:9\""),
        QStringLiteral("text=\"a pos=\" pos=\"1:2\""), // a value that looks like a name
        QStringLiteral("text=\"&lt;&gt;\" pos=\"\""),
        QStringLiteral("text=\"unclosed"),
        QStringLiteral("pos="),
        QStringLiteral("po\u017F=\"7:7\""), // the long s folds to "s"
        QStringLiteral("p\u00F6s=\"8:8\" pos=\"8:9\""),
    };
    for (const QString &text : texts) {
        const auto owned = elementWith(QStringLiteral("node"), text);
        const TscXMLItem &element = *owned;
        for (const char *name : names) {
            SCOPED_TRACE(text.toStdString() + " / " + name);
            const QString wanted = QLatin1String(name);
            const QStringView expected = element.RawProp(wanted);
            const QStringView found = builder::rawAttribute(element, name);
            EXPECT_EQ(found.toString(), expected.toString());
            EXPECT_EQ(found.isEmpty(), expected.isEmpty());
            EXPECT_EQ(builder::attributeText(element, name), element.Prop(wanted));
        }
    }
}

TEST(BuilderTree, AttributesReadInOnePassAgreeWithSeparateSearches)
{
    const QString texts[] = {
        QString(),
        QStringLiteral("text=\"a\" pos=\"5:11\""),
        QStringLiteral("pos=\"2:7\" pos1=\"2:8\""),
        QStringLiteral("pos1=\"2:8\" pos=\"2:7\" text=\"x\""),
        QStringLiteral("POS=\"3:4\" Text=\"B\" PoS1=\"3:9\""),
        QStringLiteral("xpos=\"1:1\" pos=\"9:9\" apos1=\"0:0\""),
        QStringLiteral("text=\"a pos=\" pos=\"1:2\""), // a value that looks like a name
        QStringLiteral("text=\"=\" pos=\"4:4\""),       // an operator "=" before its position
        QStringLiteral("text=\":=\" pos1=\"a=\"b\" pos=\"4:5\""),
        QStringLiteral("pos=\"1:1\" pos=\"2:2\""),     // the first of two wins
        QStringLiteral("text=\"&lt;&gt;\" pos=\"\""),
        QStringLiteral("text=\"&#62;\" pos=\"7:&#49;\""),
        QStringLiteral("text=\"unclosed"),
        QStringLiteral("pos="),
        QStringLiteral("pos=\""),
        QStringLiteral("=\"pos\" pos =\"1:1\" pos= \"2:2\""),
        QStringLiteral("po\u017F=\"7:7\" po\u017F1=\"7:9\""), // the long s folds to "s"
        QStringLiteral("p\u00F6s=\"8:8\" pos=\"8:9\""),
        QStringLiteral("\u212Aext=\"k\" tex\u212A=\"t\""),
        // Forms that leave the parser's plain one: blanks, quotes, no values.
        QStringLiteral(" pos=\"1:1\""),
        QStringLiteral("text=\"a\"  pos=\"1:2\""),
        QStringLiteral("text=\"a\" pos=\"1:2\" "),
        QStringLiteral("text=\"a\"pos=\"1:2\""),
        QStringLiteral("te\"xt=\"a\" pos=\"3:3\""),
        QStringLiteral("text pos=\"3:4\""),
        QStringLiteral("pos=\"1:1\" text=\"\" pos1=\"\""),
        QStringLiteral("Pos=\"5:5\" pos=\"6:6\" TEXT=\"u\" text=\"l\""),
        QStringLiteral("text=\"x pos=\"9:9\" pos=\"1:1\""),
        QStringLiteral("name=\"pos\" pos1=\"2:2\" ="),
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(text.toStdString());
        const auto element = elementWith(QStringLiteral("node"), text);
        const builder::RawAttributes found = builder::rawAttributes(*element);
        const std::pair<QStringView, const char *> read[] = {{found.text, "text"}, {found.pos, "pos"},
                                                             {found.pos1, "pos1"}};
        for (const auto &[value, name] : read) {
            const QStringView expected = element->RawProp(QString::fromLatin1(name));
            EXPECT_EQ(value.toString(), expected.toString()) << name;
            EXPECT_EQ(value.isEmpty(), expected.isEmpty()) << name;
            EXPECT_EQ(builder::hasEntity(value), value.contains(QLatin1Char('&'))) << name;
            EXPECT_EQ(builder::unescapedAttribute(value), element->Prop(QString::fromLatin1(name))) << name;
        }
    }
}

TEST(BuilderTree, NamesCompareIgnoringCaseAsQtDoes)
{
    const char *names[] = {"types", "TYPES", "Types", "type", "typeS", "typez", "type\u017F", "\u212Aind", "kind",
                           "KIND", "stra\u00DFe", "strasse", "STRASSE", "\u0130f", "if", "\u00E9t\u00E9",
                           "\u00C9T\u00C9", "\U0001D400", "\U0001D41A", "ff", "\uFB00", "", "a@", "A`"};
    for (const char *a : names) {
        for (const char *b : names) {
            const QString left = QString::fromUtf8(a);
            const QString right = QString::fromUtf8(b);
            SCOPED_TRACE(std::string(a) + " / " + b);
            EXPECT_EQ(SameNameIgnoringCase(left, right), left.compare(right, Qt::CaseInsensitive) == 0);
        }
    }
    // Children are found as TscXMLItem::Find finds them: the first match.
    TscXMLItem parent;
    for (const char *name : {"Name", "type\u017F", "TYPE", "types", "name"})
        parent.Add()->SetName(QString::fromUtf8(name));
    for (const char *name : {"name", "type", "types", "TYPES", "param", "", "\u212Aind"}) {
        const QString wanted = QString::fromUtf8(name);
        SCOPED_TRACE(name);
        EXPECT_EQ(builder::indexOfChild(parent, wanted), parent.Find(wanted));
    }
}

TEST(BuilderTree, KindsCompareAsLowerCaseNames)
{
    const struct {
        const char *name;
        const char *kind;
        bool same;
    } cases[] = {
        {"expr", "expr", true},       {"EXPR", "expr", true},   {"Expr", "expr", true},
        {"exp", "expr", false},       {"exprs", "expr", false}, {"ezpr", "expr", false},
        {"\u212Aind", "kind", true}, // the Kelvin sign lowers to "k"
        {"\u00E9xpr", "expr", false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto element = elementWith(QString::fromUtf8(c.name), QString());
        EXPECT_EQ(builder::isKind(*element, c.kind), c.same);
        EXPECT_EQ(builder::isKind(*element, c.kind), builder::kindOf(*element) == QLatin1String(c.kind));
    }
}

TEST(BuilderTree, CodeLinesListEachLineTextOnce)
{
    TscScript script;
    // Lines listed before: "07" is a text of its own, not line 7.
    script.CodeLines = {QStringLiteral("=07,x,2,")};
    for (const char *pos : {"7:1", "2:3", "7:5", "x:1", "12:1", "2:9", "12:4", "07:2"})
        script.AddCodeLine(QString(), QLatin1String(pos));
    EXPECT_EQ(script.CodeLines, QStringList{QStringLiteral("=07,x,2,7,12,")});
    script.AddCodeLine(QStringLiteral("unit.pas"), QStringLiteral("3:1"));
    script.AddCodeLine(QStringLiteral("unit.pas"), QStringLiteral("3:2"));
    EXPECT_EQ(script.CodeLines, (QStringList{QStringLiteral("=07,x,2,7,12,"), QStringLiteral("unit.pas=3,")}));
}

TEST(BuilderTree, UnitsGivenAsIntermediateProgramsBuildAndReportTheirOwnErrors)
{
    const struct {
        const char *unit;
        const char *emitted;
    } cases[] = {
        {"function Three: Integer; begin Result := 3 end;\nbegin end.", "3"},
        {"function Three: Integer;\nbegin\n  Result := 'x'\nend;\nbegin end.", nullptr},
        {"function Three: Integer;\nbegin\n  Result := Nothing + 1\nend;\nbegin end.", nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.unit);
        const QString unitText = QString::fromUtf8(c.unit);
        TscScript script;
        script.AddRTTI();
        QStringList emitted;
        script.AddMethod(QStringLiteral("procedure Emit(V: Variant)"),
                         [&emitted](bralvo::platform::HandleTarget *, const QString &, const QString &,
                                    TscMethodHelper &h) {
                             emitted.append(h.GetParamValue(0).toString());
                             return bralvo::platform::Variant::null();
                         });
        script.OnGetUnit = [&unitText](TscScript *, const QString &, QString &text) { text = unitText; };
        const QString il = intermediateProgramOf(unitText);
        script.OnGetILUnit = [&il](TscScript *, const QString &, QString &text) { text = il; };
        script.SetLines({QStringLiteral("uses 'lib.pas';"), QStringLiteral("begin Emit(Three) end.")});
        const bool built = script.Compile();
        if (c.emitted) {
            ASSERT_TRUE(built) << script.ErrorText.toStdString();
            script.Execute();
            EXPECT_EQ(emitted, QStringList{QLatin1String(c.emitted)});
            continue;
        }
        // The unit's error, where the unit's own text has it.
        TscScript alone;
        alone.AddRTTI();
        alone.SetLines(unitText.split(QLatin1Char('\n')));
        ASSERT_FALSE(alone.Compile());
        EXPECT_FALSE(built);
        EXPECT_EQ(script.ErrorText, alone.ErrorText);
        EXPECT_EQ(script.ErrorPosition, alone.ErrorPosition);
        EXPECT_EQ(script.ErrorUnitName, QStringLiteral("lib.pas"));
    }
}

TEST(BuilderTree, OddAttributeFormsInAUnitKeepTheirPositionsAndNames)
{
    // Intermediate programs given by OnGetILUnit may write attributes in
    // any form: entities, capitals, missing or empty positions, blanks.
    const struct {
        const char *statements;
        const char *errorText; // nullptr: the unit builds
        const char *errorPosition;
    } cases[] = {
        {R"(<callstmt pos="2:1"><dsgn pos="2:1"><node text="Nothing" pos="2:&#56;"/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "2:8"},
        {R"(<callstmt pos="2:1"><dsgn pos="2:3"><node text="Nothing"/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "2:1"},
        {R"(<callstmt pos="2:1"><dsgn pos="2:3"><node TEXT="Nothing" POS="5:6"/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "5:6"},
        {R"(<callstmt pos="2:1"><dsgn pos="2:3"><node text="N&#111;thing" pos="2:9"/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "2:9"},
        {R"(<callstmt pos="2:1"><dsgn pos="2:3"><node text="Nothing"  pos="7:7"/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "7:7"},
        {R"(<callstmt pos="2:1"><dsgn pos="2:3"><node text="a=" pos="3:3"/></dsgn></callstmt>)",
         "Undeclared identifier: 'a='", "3:3"},
        {R"(<callstmt pos="2:1"><dsgn pos="4:1"><node text="Nothing" pos="&#999;"/></dsgn></callstmt>)",
         "Invalid character reference: &#999;", "2:1"},
        {R"(<callstmt pos="2:1"><dsgn pos="4:1"><node text="Nothing" pos=""/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "2:1"},
        {R"(<callstmt pos="2:1"><dsgn pos="4:1"><node pos1="1:1" pos="6:2" text="Nothing"/></dsgn></callstmt>)",
         "Undeclared identifier: 'Nothing'", "6:2"},
        {R"(<var pos="1:1"><ident text="v" pos="1:2"/><type text="Integer" pos="1:5"/></var>)"
         R"(<assignstmt pos="8:1"><dsgn pos="8:1"><node text="v" pos="8:2"/></dsgn><expr pos="8:6" pos1="8:13">)"
         R"(<number text="1" pos="8:7"/><op text="+" pos="8:&#57;"/><string text="'a'" pos="8:13"/></expr>)"
         R"(</assignstmt>)",
         "Incompatible types", "8:9"},
        {R"(<var pos="1:1"><ident text="v" pos="1:2"/><type text="Integer" pos="1:5"/></var>)"
         R"(<assignstmt pos="8:1"><dsgn pos="8:1"><node text="v" pos="8:2"/></dsgn><expr pos="8:6" pos1="8:13">)"
         R"(<number text="1" pos="8:7"/><op text="+"/><string text="'a'" pos="8:13"/></expr></assignstmt>)",
         "Incompatible types", "8:7"},
        {R"(<var pos="1:1"><ident text="v" pos="1:2"/><type text="&#83;tring" pos="1:5"/></var>)"
         R"(<assignstmt pos="8:1"><dsgn pos="8:1"><node text="V" pos="8:2"/></dsgn><expr pos="8:6" pos1="8:13">)"
         R"(<number text="1" pos="8:7"/></expr></assignstmt>)",
         "Incompatible types: 'String', 'Integer'", "8:7"},
        {R"(<var pos="1:1"><ident text="v" pos="1:2"/><type text="Integer" pos="1:5"/></var>)"
         R"(<forstmt pos="3:1"><ident text="v" pos="3:&#53;"/><expr pos="3:9" pos1="3:10"><number text="1" pos="3:10"/>)"
         R"(</expr><expr pos="3:14" pos1="3:15"><string text="'x'" pos="3:15"/></expr></forstmt>)",
         "Incompatible types: 'Integer', 'String'", "3:15"},
        {R"(<var pos="1:1"><ident text="v" pos="1:2"/><type text="Integer" pos="1:5"/></var>)"
         R"(<assignstmt pos="&#56;:1"><dsgn pos="8:1"><node text="v" pos="8:2"/></dsgn><expr pos="8:6">)"
         R"(<number text="1" pos="8:7"/></expr></assignstmt><assignstmt POS="9:1"><dsgn pos="9:1">)"
         R"(<node text="v" pos="9:2"/></dsgn><expr pos="9:6"><number text="2" pos="9:7"/></expr></assignstmt>)"
         R"(<assignstmt  pos="12:1"><dsgn pos="12:1"><node text="v" pos="12:2"/></dsgn><expr pos="12:6">)"
         R"(<number text="2" pos="12:7"/></expr></assignstmt>)",
         nullptr, nullptr},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.statements);
        const QString il = QStringLiteral("<?xml version=\"1.0\"?><program><compoundstmt pos=\"1:1\">")
            + QString::fromUtf8(c.statements) + QStringLiteral("</compoundstmt></program>");
        TscScript script;
        script.AddRTTI();
        script.OnGetUnit = [](TscScript *, const QString &, QString &text) { text = QStringLiteral("begin end."); };
        script.OnGetILUnit = [&il](TscScript *, const QString &, QString &text) { text = il; };
        script.SetLines({QStringLiteral("uses 'lib.pas';"), QStringLiteral("begin end.")});
        const bool built = script.Compile();
        if (!c.errorText) {
            ASSERT_TRUE(built) << script.ErrorText.toStdString();
            EXPECT_EQ(script.CodeLines, QStringList{QStringLiteral("lib.pas=8,9,12,")});
            continue;
        }
        EXPECT_FALSE(built);
        EXPECT_EQ(script.ErrorText, QString::fromUtf8(c.errorText));
        EXPECT_EQ(script.ErrorPosition, QString::fromUtf8(c.errorPosition));
        EXPECT_EQ(script.ErrorUnitName, QStringLiteral("lib.pas"));
    }
}
