// An element's attribute text: RawProp's search must find exactly what the
// rule in its comment says, whatever the text holds.
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace bralvo::script;

namespace {

// RawProp's rule spelt out the slow way: the first place, left to right,
// where name (ignoring case as Qt does) starts the text or follows a blank
// and is followed by `="`; the value runs to the next '"' or the end.
// Returns the value's start and length, or {-1, 0} when there is none.
std::pair<qsizetype, qsizetype> referenceRawProp(const QString &text, const QString &name)
{
    for (qsizetype at = 0; at + name.size() + 2 <= text.size(); ++at) {
        if (at > 0 && text[at - 1] != QLatin1Char(' '))
            continue;
        if (QStringView(text).mid(at, name.size()).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        if (QStringView(text).mid(at + name.size(), 2) != QLatin1String("=\""))
            continue;
        const qsizetype start = at + name.size() + 2;
        const qsizetype close = text.indexOf(QLatin1Char('"'), start);
        return {start, (close < 0 ? text.size() : close) - start};
    }
    return {-1, 0};
}

// Compares RawProp with the reference for text and every name.
void expectRawPropAsReference(const QString &text, const QStringList &names)
{
    TscXMLItem element;
    element.SetText(text);
    for (const QString &name : names) {
        SCOPED_TRACE(QStringLiteral("text [%1] name [%2]").arg(text, name).toStdString());
        const QStringView found = element.RawProp(name);
        const auto [start, length] = referenceRawProp(text, name);
        if (start < 0) {
            EXPECT_TRUE(found.isNull());
            continue;
        }
        // A view into the element's own text, not a copy.
        EXPECT_EQ(found.data(), element.Text().constData() + start);
        EXPECT_EQ(found.size(), length);
    }
}

} // namespace

TEST(ElementTexts, RawPropFindsWhatItsRuleSaysOnTrickyTexts)
{
    const QStringList names = {
        QStringLiteral("pos"),       QStringLiteral("POS"),        QStringLiteral("pos1"),
        QStringLiteral("text"),      QStringLiteral("s"),          QStringLiteral(""),
        QStringLiteral("stra\u00DFe"), QStringLiteral("STRASSE"),  QStringLiteral("\u212Aind"),
        QStringLiteral("kind"),      QStringLiteral("po\u017F"),   QStringLiteral("n\u00E1zov"),
        QStringLiteral("N\u00C1ZOV"), QStringLiteral("\U0001F600x"),
    };
    const QString texts[] = {
        QString(),
        QStringLiteral(""),
        QStringLiteral("pos=\"1:2\""),                        // name at the start
        QStringLiteral(" pos=\"1:2\""),                       // a blank before the first
        QStringLiteral("xpos=\"1:1\" pos=\"9:9\""),           // name as a suffix of another
        QStringLiteral("text=\"a pos=\" pos=\"1:2\""),        // a value that looks like a name
        QStringLiteral("text=\"a=b\" pos=\"3:4\""),           // '=' inside a value
        QStringLiteral("text=\"=\"\" pos=\"5:6\""),           // `="` inside a value
        QStringLiteral("text=\"x\"pos=\"7:8\""),              // no blank before the name
        QStringLiteral("POS=\"3:4\" Text=\"B\" pOs1=\"3:5\""), // case differences
        QStringLiteral("pos==\"1\" pos=\"2\""),
        QStringLiteral("pos = \"1\" pos=\"2\""),
        QStringLiteral("text=\"unclosed"),                    // missing closing quote
        QStringLiteral("pos=\""),                             // empty value at the end
        QStringLiteral("pos=\"\" text=\"\""),                 // empty values
        QStringLiteral("pos="),
        QStringLiteral("="),
        QStringLiteral("=\""),
        QStringLiteral("=\"a\" x=\"b\""),                     // an empty name
        QStringLiteral("po\u017F=\"7:7\""),                   // the long s folds to "s"
        QStringLiteral("\u212Aind=\"k\" kind=\"K\""),         // the Kelvin sign folds to "k"
        QStringLiteral("stra\u00DFe=\"1\" strasse=\"2\" STRASSE=\"3\""), // sharp s does not fold to "ss"
        QStringLiteral("n\u00E1zov=\"\u00E1\" N\u00C1ZOV=\"\u00C1\""),
        QStringLiteral("p\u00F6s=\"8:8\" pos=\"8:9\""),
        QStringLiteral("text=\"\u010D\u00ED\u0161lo\" pos=\"1:1\""), // non-ASCII values
        QStringLiteral("\U0001F600x=\"smile\" \U0001F600X=\"SMILE\""),
        QStringLiteral("x\U0001F600x=\"a\" \U0001F600x=\"b\""),
        QStringLiteral("text=\"&#34;&lt;\" pos=\"&#49;:2\""),
    };
    for (const QString &text : texts)
        expectRawPropAsReference(text, names);
}

// Every text of up to five characters from a small alphabet of the
// characters that matter, against names that can and cannot fold.
TEST(ElementTexts, RawPropAgreesWithItsRuleOnEveryShortText)
{
    const QString alphabet = QStringLiteral(" =\"sS\u017Fk\u212A");
    const QStringList names = {QStringLiteral("s"),      QStringLiteral("S"),      QStringLiteral("k"),
                               QStringLiteral("sk"),     QStringLiteral("\u017F"), QStringLiteral("\u212As"),
                               QStringLiteral(""),       QStringLiteral("ss")};
    QStringList texts = {QString()};
    for (int length = 1; length <= 5; ++length) {
        QStringList longer;
        for (const QString &text : std::as_const(texts))
            if (text.size() == length - 1)
                for (const QChar c : alphabet)
                    longer.append(text + c);
        texts += longer;
    }
    for (const QString &text : std::as_const(texts))
        expectRawPropAsReference(text, names);
}
