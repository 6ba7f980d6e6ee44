// How the program builder reads the intermediate tree and records code
// lines: its in-place readers must agree with TscXMLItem's own, quirks
// included, and the line index must list each line text once.
#include "script/buildertree.h"
#include "script/tscscript.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <memory>

using namespace bralvo::script;

namespace {

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
