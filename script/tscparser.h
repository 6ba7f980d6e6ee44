// TscParser: the configurable lexer of the script engine. It has no fixed
// token set; its settings (comment markers, quote, hexadecimal prefix,
// identifier characters, reserved words, case sensitivity, line ends) come
// from a language's grammar document. The grammar-driven parser asks it for
// one token of a given kind at the current position and moves the position
// back itself when a rule fails.
//
// Positions are 1-based character indexes into the text; the text gets one
// NUL terminator. Line:column texts ("3:15") are 1-based as well, a tab
// counting as one column. Token readers never throw for malformed input and
// return an empty text instead; a character code ("#n", "\x..") outside
// the Unicode range raises platform::ConversionError "'n' is not a valid
// integer value".
#pragma once

#include "script/wordset.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <bitset>
#include <vector>

namespace bralvo::script {

class TscParser {
public:
    TscParser();

    // Reserved-word list emptied; "//" line comment; "{,}" and "(*,*)" block
    // comments; "$" hexadecimal prefix; letters, digits and "_" as identifier
    // characters; no continuation character; line ends skipped; "'" quote;
    // white space skipped. CommentLine2, CaseSensitive and TrackLines stay.
    void SetDefaults();

    void AddKeyword(const QString &word);
    // Replaces the reserved words by those of other (shared, not copied).
    void SetKeywordsFrom(const TscParser &other);
    const QStringList &Keywords() const { return m_keywords; }
    bool IsKeyword(QStringView word) const;

    QString CommentLine1, CommentLine2;
    void SetCommentBlock1(const QString &pair); // "open,close"
    void SetCommentBlock2(const QString &pair);
    QString CommentBlock1() const { return m_block[0].pair; }
    QString CommentBlock2() const { return m_block[1].pair; }
    QString HexSequence;
    QString StringQuotes;
    QString SkipChar;
    bool SkipEOL = true;
    bool SkipSpace = true;
    bool CaseSensitive = false;
    bool TrackLines = true;
    // Exactly these characters (below 256) form identifiers.
    void SetIdentifierCharset(const QString &chars);
    // Also every character from 128 upwards (accented letters in names).
    void SetHighCharIdents(bool on);

    void SetText(const QString &source);
    const QString &Text() const { return m_source; }
    int Size() const { return int(m_source.size()); }
    int Position() const { return m_position; }
    void SetPosition(int position) { m_position = m_tokenStart = std::clamp(position, 1, Size() + 1); }
    // Position and token start together, as a token read left them.
    void SetSpan(int tokenStart, int position)
    {
        SetPosition(tokenStart);
        m_position = std::clamp(position, m_tokenStart, Size() + 1);
    }
    // SetPosition and SetSpan for positions this lexer gave out for the
    // current text: no range to check. A backtracking parser goes back to
    // such positions all the time.
    void ReturnTo(int position) { m_position = m_tokenStart = position; }
    void ReturnToSpan(int tokenStart, int position)
    {
        m_tokenStart = tokenStart;
        m_position = position;
    }
    int TokenStart() const { return m_tokenStart; }
    // The character at a position from 1 to Size() + 1; 0 past the end.
    char16_t CharAt(int position) const { return m_chars[position - 1]; }

    // Inline for the common case: no blank or comment at the position.
    void SkipSpaces()
    {
        if (mayStartBlank(CharAt(m_position)))
            skipBlanks();
        else
            m_tokenStart = m_position;
    }
    bool GetEOL();
    QString GetWord();
    QString GetIdent();
    QString GetChar();
    QString GetString();  // re-quoted with single quotes: 'value'
    QString GetNumber();  // hexadecimal prefix rewritten to "$"
    // The same tokens as views into Text(), for readers that mostly compare
    // and drop them. A number whose prefix needs rewriting lands in storage
    // and the view shows storage.
    QStringView WordView();
    // WordView without skipping blanks first, for a reader that did so.
    // Inline up to the first character: most positions asked hold none.
    QStringView WordViewHere()
    {
        if (m_position > Size() || !isIdent(at(m_position)) || isDigit(at(m_position)))
            return QStringView();
        return readWordHere();
    }
    QStringView IdentView();
    QStringView CharView();
    QStringView NumberView(QString &storage);
    QString GetReportReference();
    QString GetLineColumn() const;          // of Position
    QString LineColumnOf(int position) const;
    // The same text appended to out, without a text of its own.
    void AppendLineColumnOf(int position, QString &out) const;
    // The same as numbers.
    void LineColumnNumbersOf(int position, int &line, int &column) const
    {
        // Asked for every element written, mostly on the line asked for last.
        const size_t last = m_lastLine;
        if (last >= 1 && last < m_lineStarts.size() && m_lineStarts[last - 1] < position
            && m_lineStarts[last] >= position) {
            line = int(last);
            column = position - m_lineStarts[last - 1];
            return;
        }
        lineColumnNumbersSearched(position, line, column);
    }
    int GetPositionOf(int column, int line) const; // -1 when no such line
    // 0-based index of each line's first character in Text(), 0 first; empty
    // when TrackLines is off. Handed on to whoever needs them after parsing,
    // so that the text is scanned for line ends once.
    const std::vector<int> &LineStarts() const { return m_lineStarts; }

private:
    struct Block {
        QString pair, open, close;
    };
    QChar at(int position) const { return QChar(m_chars[position - 1]); }
    // Asked at every token for every comment marker: inline, and the first
    // character settles almost every call.
    bool startsWithAt(int position, const QString &marker) const
    {
        return !marker.isEmpty() && position >= 1 && position <= Size() && at(position) == marker[0]
            && QStringView(m_source).mid(position - 1).startsWith(marker);
    }
    bool isSpace(QChar c) const { return c.unicode() <= 32 && (SkipEOL || c != QLatin1Char('\r')); }
    bool isIdent(QChar c) const
    {
        const char16_t u = c.unicode();
        return u < 256 ? m_identChars.test(u) : m_highCharIdents;
    }
    // False when blank skipping certainly stops before c.
    bool mayStartBlank(char16_t c) const
    {
        const auto starts = [c](const QString &marker) { return !marker.isEmpty() && marker[0].unicode() == c; };
        return c <= 32 || starts(SkipChar) || starts(CommentLine1) || starts(CommentLine2)
            || starts(m_block[0].open) || starts(m_block[1].open);
    }
    void skipBlanks();
    QStringView readWordHere(); // past a first character that starts a word
    void lineColumnNumbersSearched(int position, int &line, int &column) const;
    bool isDigit(QChar c) const { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
    bool readQuotedPart(QString &value);
    bool readCharCode(QString &value);
    bool readHexDigits(qint64 &value, QString &digits);
    void skipComment(const Block &block);
    static void setBlock(Block &block, const QString &pair);

    QStringList m_keywords; // as added, sorted ignoring case
    QStringList m_keywordsLower; // as added, lower case
    WordSet m_keywordSet;        // m_keywords for case-sensitive look-ups
    WordSet m_keywordLowerSet;   // m_keywordsLower
    Block m_block[2];
    std::bitset<256> m_identChars;
    bool m_highCharIdents = false;
    QString m_source;
    // m_source's characters with the NUL a QString keeps after them, so
    // that reading one past the end gives 0 without a copy of the text.
    const char16_t *m_chars = u"";
    int m_position = 1;
    int m_tokenStart = 1;
    std::vector<int> m_lineStarts;
    mutable size_t m_lastLine = 0; // where AppendLineColumnOf found the last position
};

} // namespace bralvo::script
