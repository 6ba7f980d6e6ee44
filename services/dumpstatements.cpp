// Incremental statement splitting of dump text.
#include "services/dumpstatements.h"

namespace bralvo::services {

namespace {

bool isWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'
        || (static_cast<unsigned char>(c) >= 0x80);
}

} // namespace

void DumpStatementSplitter::feed(const QByteArray &text)
{
    compact();
    m_buffer += text;
}

// Drops the statements already handed out once they make up most of the
// buffer, so appending stays linear.
void DumpStatementSplitter::compact()
{
    if (m_start > 0 && m_start >= m_buffer.size() / 2) {
        m_buffer.remove(0, m_start);
        m_scan -= m_start;
        m_start = 0;
    }
}

// The first words decide whether the statement is a trigger (its body
// holds ";"); later words only matter as the END before the last ";".
void DumpStatementSplitter::noteWord(const QByteArray &word)
{
    const QByteArray upper = word.toUpper();
    if (m_wordCount < 4) {
        ++m_wordCount;
        if (upper == "TRIGGER" && m_wordCount >= 2)
            m_trigger = true;
        if (m_wordCount == 1 && upper != "CREATE")
            m_wordCount = 4;  // not a CREATE statement: no trigger
        if (m_wordCount == 2 && upper != "TEMP" && upper != "TEMPORARY" && upper != "TRIGGER")
            m_wordCount = 4;
    }
    m_lastWordEnd = upper == "END";
}

std::optional<QByteArray> DumpStatementSplitter::next()
{
    for (; m_scan < m_buffer.size(); ++m_scan) {
        const char c = m_buffer.at(m_scan);
        switch (m_state) {
        case State::Single:
            if (c == '\'')
                m_state = State::Normal;
            continue;
        case State::Double:
            if (c == '"')
                m_state = State::Normal;
            continue;
        case State::Backtick:
            if (c == '`')
                m_state = State::Normal;
            continue;
        case State::Bracket:
            if (c == ']')
                m_state = State::Normal;
            continue;
        case State::LineComment:
            if (c == '\n')
                m_state = State::Normal;
            continue;
        case State::BlockComment:
            if (m_starSeen && c == '/')
                m_state = State::Normal;
            m_starSeen = c == '*';
            continue;
        case State::Normal:
            break;
        }
        if (isWordByte(c)) {
            m_word += c;
            m_dashSeen = m_slashSeen = false;
            continue;
        }
        if (!m_word.isEmpty()) {
            noteWord(m_word);
            m_word.clear();
        }
        if (m_dashSeen && c == '-') {
            m_state = State::LineComment;
        } else if (m_slashSeen && c == '*') {
            m_state = State::BlockComment;
            m_starSeen = false;
        } else if (c == '\'') {
            m_state = State::Single;
        } else if (c == '"') {
            m_state = State::Double;
        } else if (c == '`') {
            m_state = State::Backtick;
        } else if (c == '[') {
            m_state = State::Bracket;
        } else if (c == ';' && (!m_trigger || m_lastWordEnd)) {
            const QByteArray statement = m_buffer.mid(m_start, m_scan + 1 - m_start);
            m_start = ++m_scan;
            m_wordCount = 0;
            m_trigger = m_lastWordEnd = false;
            m_dashSeen = m_slashSeen = false;
            return statement;
        }
        m_dashSeen = c == '-';
        m_slashSeen = c == '/';
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '-' && c != '/')
            m_lastWordEnd = false;
    }
    return std::nullopt;
}

} // namespace bralvo::services
