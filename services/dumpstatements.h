// Cutting dump text into single SQL statements as it streams in, so a
// restore runs each statement as soon as it is complete and never holds
// more than one statement in memory. A statement ends at a ";" outside
// quotes, brackets and comments; a CREATE TRIGGER statement ends only at
// the ";" after its END.
#pragma once

#include <QByteArray>
#include <optional>

namespace bralvo::services {

class DumpStatementSplitter {
public:
    // Appends more text.
    void feed(const QByteArray &text);
    // The next complete statement with its ";", or nullopt until more
    // text arrives.
    std::optional<QByteArray> next();
    // What is left after the last complete statement: only blanks and
    // comments for a whole dump.
    QByteArray rest() const { return m_buffer.mid(m_start); }
    // Bytes of the statement being collected so far.
    qsizetype pendingSize() const { return m_buffer.size() - m_start; }

private:
    enum class State { Normal, Single, Double, Backtick, Bracket, LineComment, BlockComment };

    void compact();
    void noteWord(const QByteArray &word);

    QByteArray m_buffer;
    qsizetype m_start = 0;     // first byte of the statement being collected
    qsizetype m_scan = 0;      // first byte not yet scanned
    State m_state = State::Normal;
    QByteArray m_word;         // the word being read (normal state)
    int m_wordCount = 0;       // words of the statement so far (up to 4)
    bool m_trigger = false;    // the statement is CREATE [TEMP] TRIGGER
    bool m_lastWordEnd = false;
    bool m_starSeen = false;   // "*" inside a block comment
    bool m_dashSeen = false;   // "-" in normal state
    bool m_slashSeen = false;  // "/" in normal state
};

} // namespace bralvo::services
