// Trimming and splitting, written once as templates over QString and
// QByteArray.
#include "services/textutils.h"

#include <QIODevice>

namespace bralvo::services {

namespace {

template <typename Text> Text trimLeft(const Text &text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start) == ' ')
        ++start;
    return text.mid(start);
}

template <typename Text> Text trimRight(const Text &text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == ' ')
        --end;
    return text.left(end);
}

template <typename Text> Text before(const Text &text, const Text &separator)
{
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    return at < 0 ? text : text.left(at);
}

template <typename Text> Text after(const Text &text, const Text &separator)
{
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    return at < 0 ? text : text.mid(at + separator.size());
}

unsigned codeOf(QChar c) { return c.unicode(); }
unsigned codeOf(char c) { return static_cast<unsigned char>(c); }

template <typename Text> Text angleAddress(const Text &field, const Text &open, const Text &close)
{
    const Text inner = before(after(field, open), close);
    qsizetype start = 0;
    qsizetype end = inner.size();
    while (start < end && codeOf(inner.at(start)) <= 32u)
        ++start;
    while (end > start && codeOf(inner.at(end - 1)) <= 32u)
        --end;
    return inner.mid(start, end - start);
}

template <typename Text> Text fetchRaw(Text &text, const Text &separator)
{
    const qsizetype at = separator.isEmpty() ? -1 : text.indexOf(separator);
    if (at < 0) {
        Text whole = text;
        text.clear();
        return whole;
    }
    Text head = text.left(at);
    text = text.mid(at + separator.size());
    return head;
}

template <typename Text> Text fetchQuoted(Text &text, const Text &delimiter, const Text &quote)
{
    Text result;
    bool quoted = false;
    while (!text.isEmpty()) {
        if (!quoted && !delimiter.isEmpty() && text.startsWith(delimiter)) {
            text.remove(0, delimiter.size());
            break;
        }
        if (!quote.isEmpty() && text.startsWith(quote))
            quoted = !quoted;
        result += text.at(0);
        text.remove(0, 1);
    }
    return result;
}

template <typename Text> int findLineBreak(const Text &text, Text &terminator)
{
    terminator.clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto c = text.at(i);
        if (c != '\r' && c != '\n')
            continue;
        terminator += c;
        if (i + 1 < text.size()) {
            const auto next = text.at(i + 1);
            if ((c == '\r' && next == '\n') || (c == '\n' && next == '\r'))
                terminator += next;
        }
        return int(i + 1);
    }
    return -1;
}

} // namespace

QByteArray TrimBlanksLeft(const QByteArray &text) { return trimLeft(text); }
QByteArray TrimBlanksRight(const QByteArray &text) { return trimRight(text); }
QByteArray TrimBlanks(const QByteArray &text) { return trimLeft(trimRight(text)); }
QString TrimBlanksLeft(const QString &text) { return trimLeft(text); }
QString TrimBlanksRight(const QString &text) { return trimRight(text); }
QString TrimBlanks(const QString &text) { return trimLeft(trimRight(text)); }

QByteArray TextBefore(const QByteArray &text, const QByteArray &separator) { return before(text, separator); }
QByteArray TextAfter(const QByteArray &text, const QByteArray &separator) { return after(text, separator); }
QString TextBefore(const QString &text, const QString &separator) { return before(text, separator); }
QString TextAfter(const QString &text, const QString &separator) { return after(text, separator); }

QByteArray ExtractAngleAddress(const QByteArray &field)
{
    return angleAddress(field, QByteArray("<"), QByteArray(">"));
}

QString ExtractAngleAddress(const QString &field)
{
    return angleAddress(field, QStringLiteral("<"), QStringLiteral(">"));
}

QByteArray FetchRaw(QByteArray &text, const QByteArray &separator) { return fetchRaw(text, separator); }
QString FetchRaw(QString &text, const QString &separator) { return fetchRaw(text, separator); }

QByteArray FetchTrimmed(QByteArray &text, const QByteArray &separator)
{
    const QByteArray head = TrimBlanks(fetchRaw(text, separator));
    text = TrimBlanks(text);
    return head;
}

QString FetchTrimmed(QString &text, const QString &separator)
{
    const QString head = TrimBlanks(fetchRaw(text, separator));
    text = TrimBlanks(text);
    return head;
}

QByteArray FetchQuoted(QByteArray &text, const QByteArray &delimiter, const QByteArray &quote)
{
    return fetchQuoted(text, delimiter, quote);
}

QString FetchQuoted(QString &text, const QString &delimiter, const QString &quote)
{
    return fetchQuoted(text, delimiter, quote);
}

int FindLineBreak(const QByteArray &text, QByteArray &terminator) { return findLineBreak(text, terminator); }
int FindLineBreak(const QString &text, QString &terminator) { return findLineBreak(text, terminator); }

bool WriteStringToStream(QIODevice &stream, const QByteArray &text)
{
    return stream.write(text) == text.size();
}

} // namespace bralvo::services
