// TscParser: white space and comments, the token readers and positions.
#include "script/tscparser.h"
#include "script/shorttexts.h"
#include "platform/conversionerror.h"

#include <algorithm>
#include <cstring>

namespace bralvo::script {

namespace {

constexpr char32_t kMaxCode = 0x10FFFF;

bool isPunctuation(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '!' && u <= '/') || (u >= ':' && u <= '@') || (u >= '[' && u <= '`')
        || (u >= '{' && u <= '~');
}

int hexValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

[[noreturn]] void invalidCode(const QString &digits)
{
    throw platform::ConversionError(QStringLiteral("'%1' is not a valid integer value").arg(digits));
}

// A character from a code: Unicode scalar values only; surrogate halves and
// values past the range are conversion errors, never silently cut down.
QString characterOf(qint64 code, const QString &digits)
{
    if (code < 0 || code > kMaxCode || (code >= 0xD800 && code <= 0xDFFF))
        invalidCode(digits);
    const char32_t c = char32_t(code);
    return QString::fromUcs4(&c, 1);
}

// "line:column" appended, written directly: the parser asks for one per
// element.
void appendLineColumn(QString &out, int line, int column)
{
    char16_t buffer[32];
    int end = 32;
    const auto prepend = [&buffer, &end](qint64 n) {
        const bool negative = n < 0;
        quint64 u = negative ? quint64(-n) : quint64(n);
        do {
            buffer[--end] = char16_t('0' + u % 10);
            u /= 10;
        } while (u);
        if (negative)
            buffer[--end] = u'-';
    };
    prepend(column);
    buffer[--end] = u':';
    prepend(line);
    out.append(reinterpret_cast<const QChar *>(buffer + end), 32 - end);
}

} // namespace

TscParser::TscParser()
{
    SetDefaults();
}

void TscParser::SetDefaults()
{
    m_keywords.clear();
    m_keywordsLower.clear();
    m_keywordSet.clear();
    m_keywordLowerSet.clear();
    CommentLine1 = QStringLiteral("//");
    SetCommentBlock1(QStringLiteral("{,}"));
    SetCommentBlock2(QStringLiteral("(*,*)"));
    HexSequence = QStringLiteral("$");
    SetIdentifierCharset(QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz_"));
    SkipChar.clear();
    SkipEOL = true;
    StringQuotes = QStringLiteral("'");
    SkipSpace = true;
}

void TscParser::AddKeyword(const QString &word)
{
    const auto at = std::upper_bound(m_keywords.begin(), m_keywords.end(), word, [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    m_keywords.insert(at, word);
    m_keywordsLower.append(word.toLower());
    m_keywordSet.add(word);
    m_keywordLowerSet.add(m_keywordsLower.last());
}

void TscParser::SetKeywordsFrom(const TscParser &other)
{
    m_keywords = other.m_keywords;
    m_keywordsLower = other.m_keywordsLower;
    m_keywordSet = other.m_keywordSet;
    m_keywordLowerSet = other.m_keywordLowerSet;
}

bool TscParser::IsKeyword(QStringView word) const
{
    // Asked for every identifier read: hashed, lowering ASCII letters on the
    // fly; other letters lower as QString does.
    if (CaseSensitive)
        return m_keywordSet.find(word, false) >= 0;
    if (!isAsciiText(word))
        return m_keywordsLower.contains(word.toString().toLower());
    return m_keywordLowerSet.find(word, true) >= 0;
}

void TscParser::setBlock(Block &block, const QString &pair)
{
    block.pair = pair;
    const QStringList parts = pair.split(QLatin1Char(','));
    block.open = parts.value(0);
    block.close = parts.value(1);
}

void TscParser::SetCommentBlock1(const QString &pair) { setBlock(m_block[0], pair); }
void TscParser::SetCommentBlock2(const QString &pair) { setBlock(m_block[1], pair); }

void TscParser::SetIdentifierCharset(const QString &chars)
{
    m_identChars.reset();
    for (QChar c : chars)
        if (c.unicode() < 256)
            m_identChars.set(c.unicode());
    if (m_highCharIdents)
        SetHighCharIdents(true);
}

void TscParser::SetHighCharIdents(bool on)
{
    m_highCharIdents = on;
    for (int c = 128; c < 256; ++c)
        m_identChars.set(c, on || m_identChars.test(c));
}

void TscParser::SetText(const QString &source)
{
    m_source = source;
    // NUL-terminated; copied only when source refers to raw data.
    m_chars = reinterpret_cast<const char16_t *>(m_source.utf16());
    m_position = m_tokenStart = 1;
    m_lineStarts.clear();
    if (!TrackLines)
        return;
    m_lineStarts.push_back(0);
    const char16_t *chars = m_chars;
    const int size = Size();
    // Four characters at a time are tested for an LF among them (a lane
    // that XORs to zero); line ends lie dozens of characters apart.
    constexpr quint64 kLanes = 0x0001000100010001ull;
    constexpr quint64 kLaneTops = 0x8000800080008000ull;
    int i = 0;
    for (; size - i >= 4; i += 4) {
        quint64 four;
        std::memcpy(&four, chars + i, sizeof four);
        const quint64 x = four ^ (kLanes * u'\n');
        if (((x - kLanes) & ~x & kLaneTops) == 0)
            continue;
        for (int k = i; k < i + 4; ++k)
            if (chars[k] == u'\n')
                m_lineStarts.push_back(k + 1);
    }
    for (; i < size; ++i)
        if (chars[i] == u'\n')
            m_lineStarts.push_back(i + 1);
}

void TscParser::skipComment(const Block &block)
{
    m_position += int(block.open.size());
    while (m_position <= Size() && !startsWithAt(m_position, block.close))
        ++m_position;
    m_position = std::min(m_position + int(block.close.size()), Size() + 1);
}

void TscParser::skipBlanks()
{
    const int size = Size();
    for (;;) {
        int position = m_position;
        while (position <= size && isSpace(at(position)))
            ++position;
        m_position = position;
        // Nothing else to skip here: the tests below would all fail.
        if (!mayStartBlank(m_chars[m_position - 1]))
            break;
        if (m_position <= Size() && !SkipChar.isEmpty() && at(m_position) == SkipChar[0]) {
            ++m_position;
            GetEOL();
            continue;
        }
        if (m_position >= Size())
            break;
        if (startsWithAt(m_position, CommentLine1) || startsWithAt(m_position, CommentLine2)) {
            // Where line ends matter, the comment stops before the line end
            // so that the line still ends there.
            while (m_position <= Size() && at(m_position) != QLatin1Char('\n')
                   && (SkipEOL || at(m_position) != QLatin1Char('\r')))
                ++m_position;
            continue;
        }
        if (startsWithAt(m_position, m_block[0].open)) {
            skipComment(m_block[0]);
            continue;
        }
        if (startsWithAt(m_position, m_block[1].open)) {
            skipComment(m_block[1]);
            continue;
        }
        break;
    }
    m_tokenStart = m_position;
}

bool TscParser::GetEOL()
{
    SkipSpaces();
    const auto isEol = [this](int p) {
        return p <= Size() && (at(p) == QLatin1Char('\r') || at(p) == QLatin1Char('\n'));
    };
    if (!isEol(m_position))
        return false;
    while (isEol(m_position))
        ++m_position;
    return true;
}

QStringView TscParser::WordView()
{
    if (SkipSpace)
        SkipSpaces();
    return WordViewHere();
}

QStringView TscParser::readWordHere()
{
    const int size = Size();
    int end = m_position + 1;
    while (end <= size && isIdent(at(end)))
        ++end;
    m_position = end;
    return QStringView(m_chars + m_tokenStart - 1, m_position - m_tokenStart);
}

QStringView TscParser::IdentView()
{
    const QStringView word = WordView();
    return IsKeyword(word) ? QStringView() : word;
}

QStringView TscParser::CharView()
{
    if (m_position <= Size() && isPunctuation(at(m_position)))
        return QStringView(m_chars + m_position++ - 1, 1);
    return QStringView();
}

QString TscParser::GetWord() { return WordView().toString(); }
QString TscParser::GetIdent() { return IdentView().toString(); }
QString TscParser::GetChar() { return CharView().toString(); }

bool TscParser::readHexDigits(qint64 &value, QString &digits)
{
    value = 0;
    digits.clear();
    while (m_position <= Size() && hexValue(at(m_position)) >= 0) {
        digits += at(m_position);
        // Stop accumulating once out of range; the caller raises.
        if (value <= kMaxCode)
            value = value * 16 + hexValue(at(m_position));
        ++m_position;
    }
    return !digits.isEmpty();
}

bool TscParser::readQuotedPart(QString &value)
{
    const QChar quote = StringQuotes.isEmpty() ? QLatin1Char('\'') : StringQuotes[0];
    if (m_position > Size() || at(m_position) != quote)
        return false;
    const bool escapes = quote == QLatin1Char('"');
    const int start = m_position++;
    QString part;
    for (;;) {
        const QChar c = at(m_position);
        if (m_position > Size() || (c.unicode() < 32 && c != QLatin1Char('\t'))) {
            m_position = start; // strings do not span lines
            return false;
        }
        ++m_position;
        if (c == quote) {
            if (!escapes && at(m_position) == quote) {
                part += quote;
                ++m_position;
                continue;
            }
            break;
        }
        if (escapes && c == QLatin1Char('\\')) {
            const QChar e = at(m_position);
            if (m_position > Size()) {
                part += c;
                continue;
            }
            ++m_position;
            if (e == QLatin1Char('n') || e == QLatin1Char('N')) {
                part += QLatin1Char('\n');
            } else if (e == QLatin1Char('r') || e == QLatin1Char('R')) {
                part += QLatin1Char('\r');
            } else if (e == QLatin1Char('x') || e == QLatin1Char('X')) {
                qint64 code = 0;
                QString digits;
                if (readHexDigits(code, digits))
                    part += characterOf(code, QStringLiteral("$") + digits);
            } else {
                part += e;
            }
            continue;
        }
        part += c;
    }
    value += part;
    return true;
}

bool TscParser::readCharCode(QString &value)
{
    if (m_position > Size() || at(m_position) != QLatin1Char('#'))
        return false;
    const int start = m_position++;
    qint64 code = 0;
    QString digits;
    if (startsWithAt(m_position, HexSequence)) {
        m_position += int(HexSequence.size());
        if (readHexDigits(code, digits)) {
            value += characterOf(code, QStringLiteral("$") + digits);
            return true;
        }
        m_position = start + 1;
    }
    while (m_position <= Size() && isDigit(at(m_position))) {
        digits += at(m_position);
        if (code <= kMaxCode)
            code = code * 10 + (at(m_position).unicode() - '0');
        ++m_position;
    }
    if (digits.isEmpty()) {
        m_position = start;
        return false;
    }
    value += characterOf(code, digits);
    return true;
}

QString TscParser::GetString()
{
    if (SkipSpace)
        SkipSpaces();
    QString value;
    bool any = false;
    while (readQuotedPart(value) || readCharCode(value))
        any = true;
    return any ? QLatin1Char('\'') + value + QLatin1Char('\'') : QString();
}

QString TscParser::GetNumber()
{
    QString storage;
    const QStringView number = NumberView(storage);
    return number.data() == storage.constData() ? storage : number.toString();
}

QStringView TscParser::NumberView(QString &storage)
{
    if (SkipSpace)
        SkipSpaces();
    const int start = m_position;
    const auto digitsRun = [this](bool hex) {
        const int from = m_position;
        while (m_position <= Size() && (hex ? hexValue(at(m_position)) >= 0 : isDigit(at(m_position))))
            ++m_position;
        return m_position > from;
    };
    bool ok = false;
    if (startsWithAt(m_position, HexSequence)) {
        m_position += int(HexSequence.size());
        ok = digitsRun(true);
        if (!ok)
            m_position = start;
    }
    if (!ok && !digitsRun(false)) {
        m_position = start;
        return QStringView();
    }
    if (at(m_position) == QLatin1Char('.') && isDigit(at(m_position + 1))) {
        ++m_position;
        digitsRun(false);
        const int beforeExponent = m_position;
        if (at(m_position) == QLatin1Char('e') || at(m_position) == QLatin1Char('E')) {
            ++m_position;
            if (at(m_position) == QLatin1Char('+') || at(m_position) == QLatin1Char('-'))
                ++m_position;
            if (!digitsRun(false))
                m_position = beforeExponent;
        }
    } else if (at(m_position) == QLatin1Char('e') || at(m_position) == QLatin1Char('E')) {
        const int beforeExponent = m_position++;
        if (at(m_position) == QLatin1Char('+') || at(m_position) == QLatin1Char('-'))
            ++m_position;
        if (!digitsRun(false))
            m_position = beforeExponent;
    }
    const QStringView number(m_chars + m_tokenStart - 1, m_position - m_tokenStart);
    if (HexSequence == QLatin1String("$") || HexSequence.isEmpty() || !number.contains(HexSequence))
        return number;
    storage = number.toString().replace(HexSequence, QStringLiteral("$"));
    return storage;
}

QString TscParser::GetReportReference()
{
    const int start = m_position;
    int depth = 1;
    bool inDouble = false, inSingle = false;
    while (m_position <= Size()) {
        const QChar c = at(m_position);
        if (c == QLatin1Char('"') && !inSingle) {
            inDouble = !inDouble;
        } else if (c == QLatin1Char('\'') && !inDouble) {
            inSingle = !inSingle;
        } else if (!inDouble && !inSingle) {
            if (c == QLatin1Char('<') || c == QLatin1Char('['))
                ++depth;
            else if ((c == QLatin1Char('>') || c == QLatin1Char(']')) && --depth == 0)
                break;
        }
        ++m_position;
    }
    return m_source.mid(start - 1, m_position - start);
}

QString TscParser::LineColumnOf(int position) const
{
    QString text;
    AppendLineColumnOf(position, text);
    return text;
}

void TscParser::AppendLineColumnOf(int position, QString &out) const
{
    int line = 0, column = 0;
    LineColumnNumbersOf(position, line, column);
    appendLineColumn(out, line, column);
}

void TscParser::lineColumnNumbersSearched(int position, int &line, int &column) const
{
    if (m_lineStarts.empty()) {
        line = 1;
        column = position;
        return;
    }
    // Line starts lower than the position: an LF itself belongs to its line.
    // Positions asked for mostly lie on the line asked for last or the next
    // one; the start of an element's first token often a line up.
    const size_t lines = m_lineStarts.size();
    const auto onLine = [this, lines, position](size_t line) {
        return line >= 1 && line <= lines && m_lineStarts[line - 1] < position
            && (line == lines || m_lineStarts[line] >= position);
    };
    size_t found = m_lastLine;
    if (!onLine(found)) {
        if (onLine(found + 1))
            m_lastLine = ++found;
        else if (onLine(found - 1))
            --found;
        else
            m_lastLine = found = size_t(std::lower_bound(m_lineStarts.begin(), m_lineStarts.end(), position)
                                        - m_lineStarts.begin());
    }
    line = int(found);
    column = position - m_lineStarts[size_t(line - 1)];
}

QString TscParser::GetLineColumn() const
{
    return LineColumnOf(m_position);
}

int TscParser::GetPositionOf(int column, int line) const
{
    if (line < 1 || line > int(m_lineStarts.size()))
        return -1;
    return column + m_lineStarts[size_t(line - 1)];
}

} // namespace bralvo::script
