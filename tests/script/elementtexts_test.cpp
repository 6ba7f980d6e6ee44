// Elements' attribute texts: RawProp's search must find exactly what the
// rule in its comment says, whatever the text holds, and texts kept in
// shared chunks must behave as any QString, outliving their writer and tree.
#include "script/sharedtextchunks.h"
#include "script/tscilparser.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>
#include <QStringList>
#include <memory>

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

// Texts of every length that matters: empty, one character, non-ASCII,
// the longest kept in a chunk and longer, enough to fill several chunks
// with a few texts each and with as many as they hold.
QStringList sampleTexts()
{
    QStringList texts = {QString(), QStringLiteral("x"), QStringLiteral("text=\"\u010D\u00ED\u0161lo\" pos=\"1:1\""),
                         QString(256, QLatin1Char('a')), QString(257, QLatin1Char('b')), QString(3000, QLatin1Char('c'))};
    for (int i = 0; i < 400; ++i)
        texts.append(QStringLiteral("text=\"t%1\" pos=\"%2:%3\"").arg(i).arg(i / 7 + 1).arg(i % 80 + 1));
    // As many texts as chunks can hold: the shortest.
    for (int i = 0; i < 3000; ++i)
        texts.append(QString(1, QChar(u'A' + i % 26)));
    return texts;
}

// Every element's text, depth first.
void collectTexts(const TscXMLItem &item, QStringList &texts)
{
    texts.append(item.Text());
    for (int i = 0; i < item.Count(); ++i)
        collectTexts(*item.Items(i), texts);
}

void collectElements(TscXMLItem &item, std::vector<TscXMLItem *> &elements)
{
    elements.push_back(&item);
    for (int i = 0; i < item.Count(); ++i)
        collectElements(*item.Items(i), elements);
}

// A program whose tree fills several chunks.
QString programText()
{
    QString text = QString::fromUtf8("var a, b: Integer;\n"
                                     "    s: String;\n"
                                     "procedure P(x: Integer);\n"
                                     "begin\n"
                                     "  s := s + '\u010D' + IntToStr(x);\n"
                                     "end;\n"
                                     "begin\n");
    for (int i = 0; i < 20; ++i)
        text += QStringLiteral("  a := %1; b := a * 2 + (a - 3);\n"
                               "  if a < b then P(a) else P(b);\n"
                               "  s := '<&\">';\n").arg(i);
    return NormalizeScriptText(text + QStringLiteral("end."));
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

TEST(ElementTexts, SharedTextsEqualTheirSourcesAndOutliveTheirWriter)
{
    const QStringList sources = sampleTexts();
    QStringList texts;
    {
        SharedTextChunks chunks;
        for (const QString &source : sources)
            texts.append(chunks.copy(source));
    }
    QSet<QString> hashed(texts.cbegin(), texts.cend());
    ASSERT_EQ(texts.size(), sources.size());
    for (qsizetype i = 0; i < sources.size(); ++i) {
        SCOPED_TRACE(i);
        const QString &text = texts[i];
        EXPECT_EQ(text, sources[i]);
        EXPECT_EQ(text.size(), sources[i].size());
        EXPECT_EQ(text.isNull(), sources[i].isNull());
        EXPECT_EQ(qHash(text), qHash(sources[i]));
        EXPECT_TRUE(hashed.contains(sources[i]));
        // Terminated as every QString's characters are.
        EXPECT_EQ(text.utf16()[text.size()], 0);
    }
}

TEST(ElementTexts, ChangingASharedTextLeavesEveryOtherTextAlone)
{
    const QStringList sources = sampleTexts();
    auto chunks = std::make_unique<SharedTextChunks>();
    QStringList texts;
    for (const QString &source : sources)
        texts.append(chunks->copy(source));

    // The first text of a chunk changed while the writer still fills it:
    // the text written next must not land on the change, nor it on that.
    SharedTextChunks fresh;
    QString first = fresh.copy(QStringLiteral("text=\"a\""));
    first.append(QStringLiteral(" pos=\"1:1\""));
    QString second = fresh.copy(QStringLiteral("text=\"b\""));
    EXPECT_EQ(first, QStringLiteral("text=\"a\" pos=\"1:1\""));
    EXPECT_EQ(second, QStringLiteral("text=\"b\""));

    // Changes of every kind on every other text; the rest stay as they were.
    const QStringList copies = texts;
    for (qsizetype i = 0; i < texts.size(); i += 2) {
        switch (i / 2 % 4) {
        case 0: texts[i].append(QStringLiteral(" x=\"1\"")); break;
        case 1: texts[i].prepend(QLatin1Char(' ')); break;
        case 2: texts[i].insert(0, QStringLiteral("y=\"2\" ")); break;
        case 3: texts[i].chop(1); break;
        }
    }
    chunks.reset();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(copies[i], sources[i]);
        if (i % 2)
            EXPECT_EQ(texts[i], sources[i]);
        else
            EXPECT_NE(texts[i], sources[i]);
    }

    // The last holder of a chunk may grow into it; its old copies stay.
    QString survivor = texts[7];
    const QString before = survivor;
    texts.clear();
    second.clear();
    first.clear();
    const QStringList stillCopied = copies;
    survivor.append(QString(100, QLatin1Char('z')));
    survivor.replace(0, 4, QStringLiteral("TEXT"));
    EXPECT_EQ(before, sources[7]);
    EXPECT_EQ(survivor, QStringLiteral("TEXT") + sources[7].mid(4) + QString(100, QLatin1Char('z')));
    EXPECT_EQ(stillCopied, copies);
}

TEST(ElementTexts, TheParsersTextsOutliveItsTreeAndChangeAlone)
{
    QString saved;
    QStringList texts;
    {
        TscILParser parser{ILParserOptions()};
        parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
        ASSERT_TRUE(parser.BuildIntermediateProgram(programText()));
        saved = parser.ILScript().SaveToText();
        collectTexts(*parser.ILScript().Root(), texts);
    }
    // The same texts again, read from the saved document after the parser
    // and its tree are gone.
    TscXMLDocument reread;
    reread.LoadFromText(saved);
    QStringList rereadTexts;
    collectTexts(*reread.Root(), rereadTexts);
    EXPECT_EQ(texts, rereadTexts);
    EXPECT_GT(texts.size(), 500);

    // A parser's tree edited in place: each SetProp changes its own element.
    TscILParser parser{ILParserOptions()};
    parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
    ASSERT_TRUE(parser.BuildIntermediateProgram(programText()));
    std::vector<TscXMLItem *> elements;
    collectElements(*const_cast<TscXMLDocument &>(parser.ILScript()).Root(), elements);
    ASSERT_EQ(elements.size(), size_t(texts.size()));
    for (size_t i = 0; i < elements.size(); ++i)
        elements[i]->SetProp(QStringLiteral("pos"), QStringLiteral("%1:0").arg(i));
    std::vector<TscXMLItem *> rereadElements;
    collectElements(*reread.Root(), rereadElements);
    for (size_t i = 0; i < elements.size(); ++i) {
        SCOPED_TRACE(texts[qsizetype(i)].toStdString());
        EXPECT_EQ(elements[i]->Prop(QStringLiteral("pos")), QStringLiteral("%1:0").arg(i));
        EXPECT_EQ(elements[i]->Prop(QStringLiteral("text")), rereadElements[i]->Prop(QStringLiteral("text")));
        EXPECT_EQ(elements[i]->Prop(QStringLiteral("pos1")), rereadElements[i]->Prop(QStringLiteral("pos1")));
    }
    // Copies taken before the edits kept the parser's texts.
    EXPECT_EQ(texts, rereadTexts);
}

TEST(ElementTexts, PositionsAreWrittenWithEveryNumberOfDigits)
{
    const struct {
        int line, column;
    } cases[] = {{1, 1}, {9, 10}, {10, 99}, {99, 100}, {100, 999}, {1000, 1}, {10000, 12345}, {100001, 7}};
    for (const auto &c : cases) {
        SCOPED_TRACE(QStringLiteral("%1:%2").arg(c.line).arg(c.column).toStdString());
        TscILParser parser{ILParserOptions()};
        parser.LoadLanguageGrammar(QStringLiteral("PascalScript"));
        const QString text = QString(c.line - 1, QLatin1Char('\n')) + QString(c.column - 1, QLatin1Char(' '))
                             + QStringLiteral("begin end.");
        ASSERT_TRUE(parser.BuildIntermediateProgram(NormalizeScriptText(text)));
        const TscXMLItem &statement = *parser.ILScript().Root()->Items(0);
        EXPECT_EQ(statement.Prop(QStringLiteral("pos")), QStringLiteral("%1:%2").arg(c.line).arg(c.column));
    }
}
