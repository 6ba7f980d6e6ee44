// NormalizeScriptText against its rule spelt out a character at a time:
// every line end (CR LF, LF or CR) becomes CR LF, and a text that does not
// end with one gets one.
#include "script/tscilparser.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace bralvo::script;

namespace {

QString referenceNormalized(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            continue; // the LF that follows writes the line end
        if (text[i] == QLatin1Char('\r') || text[i] == QLatin1Char('\n'))
            out += QLatin1String("\r\n");
        else
            out += text[i];
    }
    if (!out.isEmpty() && !out.endsWith(QLatin1String("\r\n")))
        out += QLatin1String("\r\n");
    return out;
}

} // namespace

TEST(NormalizeScriptText, EveryLineEndAsItsRuleSays)
{
    const QString texts[] = {
        QStringLiteral("a"),
        QStringLiteral("\r"),
        QStringLiteral("\n"),
        QStringLiteral("\r\n"),
        QStringLiteral("\n\r"),
        QStringLiteral("\r\r\n\n"),
        QStringLiteral("a\r"),
        QStringLiteral("\ra"),
        QStringLiteral("line 1\nline 2\nline 3"),
        QStringLiteral("line 1\r\nline 2\r\n"),
        QStringLiteral("x\n\n\ny\r\r"),
        QStringLiteral("\u010D\u00ED\u0161lo\r\U0001F600\n"),
        QString(1, QChar(0xD800)) + QStringLiteral("\ra"), // a lone surrogate passes as it is
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(QString(text).replace(QLatin1Char('\r'), QLatin1String("<CR>"))
                         .replace(QLatin1Char('\n'), QLatin1String("<LF>")).toStdString());
        EXPECT_EQ(NormalizeScriptText(text), referenceNormalized(text));
    }
    EXPECT_TRUE(NormalizeScriptText(QString()).isEmpty());
}

// Every text of up to six characters from line ends and one letter.
TEST(NormalizeScriptText, EveryShortMixOfLineEnds)
{
    const QString alphabet = QStringLiteral("\r\na");
    QStringList texts = {QString()};
    for (qsizetype first = 0; first < texts.size() && texts[first].size() < 6; ++first)
        for (const QChar c : alphabet)
            texts.append(texts[first] + c);
    for (const QString &text : std::as_const(texts))
        ASSERT_EQ(NormalizeScriptText(text), referenceNormalized(text)) << text.toStdString();
}

// Longer lines, where line ends are searched several characters at a time:
// control characters below CR, line ends at every offset within such a
// group, and text already in shape, which comes back unchanged.
TEST(NormalizeScriptText, LongLinesWithControlCharacters)
{
    const QString line = QStringLiteral("begin\tx := 1;\x01\x0B\x0C y\u00E9\U0001F600");
    const QString ends[] = {QStringLiteral("\r\n"), QStringLiteral("\n"), QStringLiteral("\r"), QString()};
    for (int lead = 0; lead < 9; ++lead) {
        for (const QString &end : ends) {
            const QString text = QString(lead, QLatin1Char('a')) + line + end + line + QStringLiteral("\r\n") + line;
            ASSERT_EQ(NormalizeScriptText(text), referenceNormalized(text)) << lead;
            const QString inShape = referenceNormalized(text);
            ASSERT_EQ(NormalizeScriptText(inShape), inShape) << lead;
        }
    }
}
