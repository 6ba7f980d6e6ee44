// TscILParser: the grammar interpreter that writes the intermediate program.
// Output is collected as a flat list of elements under m_out: a failed rule
// drops what it wrote by cutting the list back, and a rule's node wraps what
// it wrote (the tail of the list) into a new element once it succeeds.
#include "script/tscilparser.h"
#include "script/shorttexts.h"
#include "script/grammarrules.h"
#include "script/languageregistry.h"
#include "script/scripterror.h"
#include "script/scriptmessages.h"
#include "script/sharedtextchunks.h"
#include "platform/textfile.h"

#include <QHash>
#include <QMutex>
#include <algorithm>
#include <array>
#include <cstring>

namespace bralvo::script {

namespace {

// The first CR or LF in [p, end), or end. Runs over every source compiled,
// where line ends lie dozens of characters apart: four characters are
// tested at once for one below 14 (CR is 13, LF 10), and only such a group
// is looked at closer.
const char16_t *findLineEnd(const char16_t *p, const char16_t *const end)
{
    constexpr quint64 kLanes = 0x0001000100010001ull;
    constexpr quint64 kLaneTops = 0x8000800080008000ull;
    for (;;) {
        for (; end - p >= 4; p += 4) {
            quint64 four;
            std::memcpy(&four, p, sizeof four);
            if (((four - kLanes * 14) & ~four & kLaneTops) != 0)
                break;
        }
        for (const char16_t *const stop = std::min(p + 4, end); p < stop; ++p)
            if (*p == u'\r' || *p == u'\n')
                return p;
        if (p == end)
            return end;
    }
}

// Characters written into a QString sized ahead, which grows only when a
// text has more line ends than expected.
class TextWriter {
public:
    explicit TextWriter(qsizetype expected) { m_text.resize(expected); }
    void append(const char16_t *from, qsizetype count)
    {
        if (m_used + count > m_text.size())
            m_text.resize(std::max(m_used + count, m_text.size() + m_text.size() / 2));
        std::memcpy(static_cast<void *>(m_text.data() + m_used), from, size_t(count) * sizeof(char16_t));
        m_used += count;
    }
    QString take()
    {
        m_text.truncate(m_used);
        return std::move(m_text);
    }

private:
    QString m_text;
    qsizetype m_used = 0;
};

} // namespace

QString NormalizeScriptText(const QString &text)
{
    const char16_t *const begin = reinterpret_cast<const char16_t *>(text.utf16());
    const char16_t *const end = begin + text.size();
    // Text already written with CR LF throughout is kept as it is.
    const char16_t *lineStart = begin;
    const char16_t *lineEnd = findLineEnd(begin, end);
    while (end - lineEnd >= 2 && lineEnd[0] == u'\r' && lineEnd[1] == u'\n') {
        lineStart = lineEnd + 2;
        lineEnd = findLineEnd(lineStart, end);
    }
    if (lineStart == end)
        return text;
    // From the first line that needs mending on, copied a line at a time.
    static constexpr char16_t kLineEnd[] = {u'\r', u'\n'};
    TextWriter out(text.size() + text.size() / 16 + 2);
    out.append(begin, lineStart - begin);
    for (; lineEnd != end; lineEnd = findLineEnd(lineStart, end)) {
        out.append(lineStart, lineEnd - lineStart);
        out.append(kLineEnd, 2);
        lineStart = lineEnd + (lineEnd[0] == u'\r' && end - lineEnd >= 2 && lineEnd[1] == u'\n' ? 2 : 1);
    }
    if (lineStart != end) {
        out.append(lineStart, end - lineStart);
        out.append(kLineEnd, 2);
    }
    return out.take();
}

namespace {

// Thrown inside the interpreter when the nesting limit is reached.
struct NestingTooDeep {
    QString position;
};

// A grammar document with its compiled rules. Compiling is the costly part
// of selecting a language, and report expressions select one per compile,
// so compiled grammars are shared, keyed by the grammar text itself: a
// re-registered grammar is a different key.
struct CompiledGrammar {
    explicit CompiledGrammar(const QString &text)
    {
        document.LoadFromText(text);
        rules = GrammarRules(*document.Root());
        for (const QString &word : rules.settings().keywords)
            keywords.AddKeyword(word);
    }
    TscXMLDocument document;
    GrammarRules rules; // points into document
    TscParser keywords; // holds the grammar's reserved words, ready to share
};

std::shared_ptr<const CompiledGrammar> compiledGrammar(const QString &text)
{
    static QMutex lock;
    static QHash<QString, std::shared_ptr<const CompiledGrammar>> cache;
    QMutexLocker guard(&lock);
    if (const auto found = cache.value(text))
        return found;
    if (cache.size() >= 16)
        cache.clear(); // holders keep their own reference
    auto compiled = std::make_shared<const CompiledGrammar>(text);
    cache.insert(text, compiled);
    return compiled;
}

// Elements hold their attributes as text; before anything went straight into
// the tree, every such text passed through UTF-8 once, which turns a lone
// surrogate into a replacement character. Keep doing so.
QString asStoredText(const QString &text)
{
    for (const QChar c : text)
        if (c.isSurrogate())
            return QString::fromUtf8(text.toUtf8());
    return text;
}

// True when text is stored unchanged: no surrogates for asStoredText to
// mend and nothing for StrToXML to escape. Every token written passes here,
// so it is one pass over the text; the characters StrToXML escapes all lie
// below 64 and are looked up as bits.
bool storedAsIs(QStringView text)
{
    constexpr quint64 kEscaped = (1ull << '\n') | (1ull << '\r') | (1ull << '"') | (1ull << '&') | (1ull << '<')
        | (1ull << '>');
    for (const QChar character : text) {
        const char16_t c = character.unicode();
        if (c < 64 ? (kEscaped >> c) & 1 : QChar::isSurrogate(c))
            return false;
    }
    return true;
}

// A token's text as an element stores it (see asStoredText and StrToXML):
// nearly every token as it stands, as a view of the source (which the
// parser keeps as long as its tree), and escaped ones without a QString of
// their own unless they hold surrogates.
QString storedTokenText(QStringView token, const QString &source, SharedTextChunks &texts)
{
    if (storedAsIs(token)) {
        const char16_t *const chars = reinterpret_cast<const char16_t *>(source.constData());
        if (token.utf16() >= chars && token.utf16() + token.size() <= chars + source.size())
            return QString(QString::DataPointer(nullptr, const_cast<char16_t *>(token.utf16()), token.size()));
        return texts.copy(token);
    }
    if (std::any_of(token.cbegin(), token.cend(), [](QChar c) { return c.isSurrogate(); }))
        return StrToXML(asStoredText(token.toString()));
    XMLEscapeBuffer escaped;
    AppendStrToXML(token, escaped);
    return texts.copy(QStringView(escaped.constData(), escaped.size()));
}

// A new last child of parent.
TscXMLItem *addElement(TscXMLItem &parent, const QString &name)
{
    TscXMLItem *item = parent.Add();
    item->SetName(name);
    return item;
}

TscXMLItem *addElement(TscXMLItem &parent, const QString &name, QString text)
{
    TscXMLItem *item = addElement(parent, name);
    item->SetText(std::move(text));
    return item;
}

// name="value" (value already escaped) alone.
QString attribute(const char *name, const QString &value)
{
    return QLatin1String(name) + QLatin1String("=\"") + value + QLatin1Char('"');
}

// A token against a grammar text (lower case). Tokens and texts are nearly
// always ASCII, compared here directly; anything else as QString compares.
bool sameToken(QStringView token, const QString &text, bool caseSensitive)
{
    if (caseSensitive)
        return token == text;
    const auto lower = [](char16_t u) { return u >= 'A' && u <= 'Z' ? char16_t(u + 32) : u; };
    if (token.size() == text.size()) {
        qsizetype i = 0;
        for (; i < token.size(); ++i) {
            const char16_t a = token[i].unicode(), b = text[i].unicode();
            if (a >= 128 || b >= 128)
                break;
            if (lower(a) != lower(b))
                return false;
        }
        if (i == token.size())
            return true;
    } else if (isAsciiText(token) && isAsciiText(text)) {
        return false;
    }
    return token.compare(text, Qt::CaseInsensitive) == 0;
}

const TscXMLDocument &emptyDocument()
{
    static const TscXMLDocument empty;
    return empty;
}

} // namespace

class TscILParser::Impl {
public:
    Impl(TscILParser &owner, ILParserOptions options) : m_owner(owner), m_options(std::move(options)) {}
    ~Impl()
    {
        // The written elements go with their arena, not one by one.
        m_out.ClearBeforeArenaEnds();
        m_il.Root()->ClearBeforeArenaEnds();
    }

    void loadLanguage(const QString &name);
    bool build(const QString &text);

    TscILParser &m_owner;
    ILParserOptions m_options;
    std::shared_ptr<const CompiledGrammar> m_compiled;
    // The written elements' blocks: the whole tree goes at once, and its
    // memory back to the system with it. Declared before every tree.
    blockpool::Arena m_arena;
    TscXMLDocument m_il;
    TscParser m_lexer;
    const GrammarRules *m_rules = nullptr; // in m_compiled
    QString m_langName;
    bool m_needDeclareVars = true;
    int m_baseDepth = 0; // nesting already used by the parsers of enclosing units
    int m_depthLimit = kMaxDepth; // kMaxDepth - m_baseDepth, for m_depth

    // Working state of one build.
    SharedTextChunks m_texts; // holds the written tokens' texts not in a source
    // The sources whose characters the tree's tokens view (this parser's
    // and its units'), kept as long as the tree; and those of the build
    // under way, for the elements it writes.
    QList<QString> m_treeSources, m_buildSources;
    TscXMLItem m_out;         // the elements written so far, not yet in m_il
    QString m_errorText, m_errorPos, m_errorUnit;
    bool m_terminal = false;
    int m_depth = 0;
    // The word last read and where it starts: backtracking reads the same
    // word at the same place again and again, and the settings stay put
    // during a build.
    struct Word {
        int start = -1, end = 0;
        bool keyword = false;
        int id = -1; // GrammarRules::wordId()
    } m_word;
    // The lexer holds the grammar's reserved words, so that the grammar can
    // classify a word alone.
    bool m_grammarKnowsKeywords = false;
    // What the text at m_ahead.from reads as, for the first-token tests.
    struct Ahead {
        int from = -1;
        TokenAhead tokens;
    } m_ahead;
    // What starts a number or a string besides digits and '#', set per
    // build; -1 for no hexadecimal prefix.
    int m_hexStart = -1, m_quote = '\'';
    // Where tokens read from recent positions start (past blanks and
    // comments): elements ask for the start of their first token.
    struct TokenStart {
        int from = -1, start = 0;
    };
    std::array<TokenStart, 64> m_tokenStarts;

private:
    // Asked before most nodes, mostly where the text ahead is known already.
    const TokenAhead &ahead()
    {
        return m_lexer.Position() == m_ahead.from ? m_ahead.tokens : readAhead();
    }
    const TokenAhead &readAhead();
    // True when e would end at once without any effect (see
    // GrammarNode::first) and stay within the nesting limit on the way.
    bool cannotStart(const GrammarNode &e)
    {
        return e.hasStartTest && m_lexer.SkipSpace && m_depth + e.unstartedDepth <= m_depthLimit
            && !e.startMask.intersects(ahead().mask);
    }
    class Nesting;
    // Each kind of node in a frame of its own: most are tokens or choices.
    bool interpret(const GrammarNode &e)
    {
        if (e.isToken)
            return interpretToken(e);
        switch (e.kind) {
        case GrammarNode::Switch:
        case GrammarNode::OptionalSwitch: return evalSwitch(e);
        case GrammarNode::Loop:
        case GrammarNode::OptionalLoop: return evalLoop(e);
        case GrammarNode::Reference: return interpretReference(e);
        default: return interpretStructure(e);
        }
    }
    bool interpretStructure(const GrammarNode &e);
    bool interpretReference(const GrammarNode &e);
    bool interpretRule(const GrammarNode &rule, int entryPos, int entryLines);
    bool interpretBareRule(const GrammarNode &rule, int entryPos);
    bool interpretToken(const GrammarNode &e);
    bool finish(const GrammarNode &e, bool ok, int entryPos, int entryLines, QStringView token);
    bool sequence(const std::vector<GrammarNode> &children);
    bool readTextToken(const GrammarNode &e, QStringView &token);
    bool readToken(const GrammarNode &e, QString &storage, QStringView &token);
    bool tokenMatches(const GrammarNode &e, QStringView token) const;
    QStringView readWord(bool identOnly);
    void readNewWord(int start);
    void classifyWord(QStringView word);
    bool evalSwitch(const GrammarNode &e);
    bool evalLoop(const GrammarNode &e);
    void applyNode(const GrammarNode &e, bool ok, int entryPos, int entryLines);
    void writeAdd(const GrammarNode &e, QStringView token);
    void recordError(const QString &err, bool terminal, int entryPos);
    QString positionAt(int pos);
    int tokenStartAt(int pos);
    // The lexer's SkipSpaces, remembered per position: tokens of several
    // kinds are tried at the same place.
    void skipBlanks()
    {
        const int pos = m_lexer.Position();
        TokenStart &known = m_tokenStarts[size_t(pos) % m_tokenStarts.size()];
        if (known.from == pos) {
            m_lexer.ReturnTo(known.start); // as SkipSpaces leaves it
            return;
        }
        m_lexer.SkipSpaces();
        known = {pos, m_lexer.Position()};
    }
    TscXMLItem *write(const QString &name, QString text);
    void includeUnits(int entryLines);
    void includeUnit(const QString &name, TscXMLItem &uses);
    bool checkRestOfText();
};

// ---- language selection

void TscILParser::Impl::loadLanguage(const QString &name)
{
    // A switch must not inherit anything from the previous language.
    m_lexer.SetDefaults();
    m_lexer.CaseSensitive = false;
    m_lexer.CommentLine2.clear();
    m_needDeclareVars = true;
    m_langName = name;
    m_compiled = compiledGrammar(GetScriptLanguageGrammar(name));
    m_rules = &m_compiled->rules;
    const LexerSettings &s = m_rules->settings();
    m_lexer.SetKeywordsFrom(m_compiled->keywords);
    if (s.identChars)
        m_lexer.SetIdentifierCharset(*s.identChars);
    if (s.commentLine1) m_lexer.CommentLine1 = *s.commentLine1;
    if (s.commentLine2) m_lexer.CommentLine2 = *s.commentLine2;
    if (s.commentBlock1) m_lexer.SetCommentBlock1(*s.commentBlock1);
    if (s.commentBlock2) m_lexer.SetCommentBlock2(*s.commentBlock2);
    if (s.stringQuotes) m_lexer.StringQuotes = *s.stringQuotes;
    if (s.hexSequence) m_lexer.HexSequence = *s.hexSequence;
    if (s.skipChar) m_lexer.SkipChar = *s.skipChar;
    if (s.lineEndsSignificant) m_lexer.SkipEOL = false;
    if (s.caseSensitive) m_lexer.CaseSensitive = true;
    if (s.undeclaredAllowed) m_needDeclareVars = false;
    m_lexer.SetHighCharIdents(m_options.highCharIdents);
}

// ---- the interpreter

// One more level of nesting while it lives; past the limit a syntax error
// at the current position.
class TscILParser::Impl::Nesting {
public:
    explicit Nesting(Impl &parser) : m_depth(parser.m_depth)
    {
        if (++m_depth > parser.m_depthLimit) {
            --m_depth;
            throw NestingTooDeep{parser.positionAt(parser.m_lexer.Position())};
        }
    }
    ~Nesting() { --m_depth; }
    Nesting(const Nesting &) = delete;
    Nesting &operator=(const Nesting &) = delete;

private:
    int &m_depth;
};

// Where a token read from pos would start: past blanks and comments.
int TscILParser::Impl::tokenStartAt(int pos)
{
    const TokenStart &known = m_tokenStarts[size_t(pos) % m_tokenStarts.size()];
    if (known.from == pos)
        return known.start;
    const int saved = m_lexer.Position();
    m_lexer.ReturnTo(pos);
    skipBlanks();
    const int start = m_lexer.Position();
    m_lexer.ReturnTo(saved);
    return start;
}

QString TscILParser::Impl::positionAt(int pos)
{
    return m_lexer.LineColumnOf(tokenStartAt(pos));
}

void TscILParser::Impl::recordError(const QString &err, bool terminal, int entryPos)
{
    if (err.isEmpty() || !m_errorText.isEmpty())
        return;
    m_errorText = m_rules->errorText(err);
    m_errorPos = m_errorText.isEmpty() ? QString() : positionAt(entryPos);
    m_terminal = terminal;
}

const TokenAhead &TscILParser::Impl::readAhead()
{
    const int from = m_lexer.Position();
    const char16_t raw = m_lexer.CharAt(from);
    const QStringView word = readWord(false); // reads blanks and comments first, as every token does
    const char16_t next = m_lexer.CharAt(m_lexer.TokenStart());
    m_lexer.ReturnTo(from);
    m_ahead.from = from;
    TokenAhead &t = m_ahead.tokens;
    t = TokenAhead();
    t.raw = raw;
    t.next = next;
    if (!word.isEmpty()) {
        t.word = true;
        t.wordId = m_word.id;
        t.kinds |= m_word.keyword ? kAnyWord : kAnyWord | kIdentWord;
    }
    if ((next >= '0' && next <= '9') || next == m_hexStart)
        t.kinds |= kNumberToken;
    if (next == '#' || next == m_quote)
        t.kinds |= kStringToken;
    if (next == '\r' || next == '\n')
        t.kinds |= kEolToken;
    t.mask = m_rules->aheadMask(t);
    return t;
}

bool TscILParser::Impl::sequence(const std::vector<GrammarNode> &children)
{
    for (const GrammarNode &child : children) {
        if (cannotStart(child)) {
            if (!child.passesUnstarted)
                return false;
            continue;
        }
        if (!interpret(child))
            return false;
    }
    return true;
}

// The word last read is asked for again at once, by the token after the
// first-token test: that is answered inline.
inline QStringView TscILParser::Impl::readWord(bool identOnly)
{
    if (m_lexer.SkipSpace)
        skipBlanks();
    const int start = m_lexer.Position();
    if (start != m_word.start)
        readNewWord(start);
    else
        m_lexer.ReturnToSpan(start, m_word.end);
    if (identOnly && m_word.keyword)
        return QStringView();
    return QStringView(m_lexer.Text().constData() + start - 1, m_word.end - start);
}

void TscILParser::Impl::readNewWord(int start)
{
    const QStringView word = m_lexer.WordViewHere();
    m_word = {start, m_lexer.Position()};
    if (!word.isEmpty())
        classifyWord(word);
}

void TscILParser::Impl::classifyWord(QStringView word)
{
    const bool caseSensitive = m_lexer.CaseSensitive;
    if (m_grammarKnowsKeywords && m_rules->classifyWord(word, caseSensitive, m_word.id, m_word.keyword))
        return;
    m_word.keyword = m_lexer.IsKeyword(word);
    m_word.id = m_rules->wordId(word, caseSensitive);
}

// Tokens are views into the text where they can be: backtracking reads the
// same token many times over. Words and punctuation are read inline.
inline bool TscILParser::Impl::readTextToken(const GrammarNode &e, QStringView &token)
{
    switch (e.kind) {
    case GrammarNode::Char:
        if (!e.keepsBlanks)
            skipBlanks();
        token = m_lexer.CharView();
        break;
    case GrammarNode::Keyword: token = readWord(false); break;
    default: token = readWord(true); break;
    }
    return tokenMatches(e, token);
}

// Numbers, strings and report references.
bool TscILParser::Impl::readToken(const GrammarNode &e, QString &storage, QStringView &token)
{
    switch (e.kind) {
    case GrammarNode::Number: token = m_lexer.NumberView(storage); break;
    case GrammarNode::String:
        storage = m_lexer.GetString();
        token = storage;
        break;
    case GrammarNode::FrString: {
        // A report reference reads as a call of Get with the text.
        storage = m_lexer.GetReportReference();
        token = storage;
        const QString pos = attribute("pos", m_lexer.GetLineColumn());
        TscXMLItem *dsgn = write(QStringLiteral("dsgn"), pos);
        addElement(*dsgn, QStringLiteral("node"), QStringLiteral("text=\"Get\" ") + pos);
        TscXMLItem *expr = addElement(*dsgn, QStringLiteral("expr"), pos);
        addElement(*expr, QStringLiteral("string"),
                   attribute("text", QLatin1Char('\'') + StrToXML(asStoredText(storage)) + QLatin1Char('\''))
                       + QLatin1Char(' ') + pos);
        break;
    }
    default:
        return false;
    }
    return tokenMatches(e, token);
}

// A token read against the node's text, if it has one.
inline bool TscILParser::Impl::tokenMatches(const GrammarNode &e, QStringView token) const
{
    if (token.isEmpty())
        return false;
    if (e.text.isEmpty())
        return true;
    // The word's id and a punctuation character settle most comparisons.
    if (e.kind == GrammarNode::Keyword && e.textWordId >= 0 && m_word.id != TokenAhead::kUnknownWord)
        return m_word.id == e.textWordId;
    if (e.kind == GrammarNode::Char && e.text.size() == 1)
        return token[0] == e.text[0];
    return sameToken(token, e.text, m_lexer.CaseSensitive);
}

TscXMLItem *TscILParser::Impl::write(const QString &name, QString text)
{
    return addElement(m_out, name, std::move(text));
}

void TscILParser::Impl::writeAdd(const GrammarNode &e, QStringView token)
{
    QString value;
    if (e.hasAddText)
        value = e.storedAddText;
    else
        value = storedTokenText(token, m_lexer.Text(), m_texts);
    int line = 0, column = 0;
    m_lexer.LineColumnNumbersOf(m_lexer.Position(), line, column);
    TscXMLItem *item = m_out.Add();
    item->SetPermanentName(*e.addName);
    item->SetTokenValues(std::move(value), line, column);
}

void TscILParser::Impl::applyNode(const GrammarNode &e, bool ok, int entryPos, int entryLines)
{
    if (e.nodeIsUses) {
        includeUnits(entryLines);
        return;
    }
    if (!ok) {
        m_out.DeleteChildrenFrom(entryLines);
        return;
    }
    int line = 0, column = 0;
    m_lexer.LineColumnNumbersOf(tokenStartAt(entryPos), line, column);
    TscXMLItem *wrapper = m_out.WrapChildrenFrom(entryLines);
    wrapper->SetPermanentName(*e.nodeName);
    if (e.nodeIsExpr) {
        int endLine = 0, endColumn = 0;
        m_lexer.LineColumnNumbersOf(m_lexer.Position(), endLine, endColumn);
        wrapper->SetNodeValues(line, column, endLine, endColumn);
    } else {
        wrapper->SetNodeValues(line, column);
    }
}

bool TscILParser::Impl::evalSwitch(const GrammarNode &e)
{
    const Nesting nesting(*this);
    const int entryPos = m_lexer.Position();
    for (const GrammarNode &child : e.children) {
        if (cannotStart(child)) {
            if (child.passesUnstarted)
                return true;
            continue;
        }
        if (interpret(child))
            return true;
        m_lexer.ReturnTo(entryPos);
    }
    if (e.kind == GrammarNode::OptionalSwitch)
        return true;
    recordError(e.err, e.term, entryPos);
    return false;
}

// loop/optionalloop: rounds of the children, with an optional separator.
bool TscILParser::Impl::evalLoop(const GrammarNode &e)
{
    const Nesting nesting(*this);
    const int entryPos = m_lexer.Position();
    int rounds = 0;
    int lastEnd = entryPos;
    bool lastOk = true;
    for (;;) {
        const int start = m_lexer.Position();
        ++rounds;
        if (!sequence(e.children)) {
            // The failed round restored its start: a separator the previous
            // round read stays read (so "1: a; else" stops before "else").
            lastOk = false;
            lastEnd = start;
            break;
        }
        lastEnd = m_lexer.Position();
        if (!e.text.isEmpty()) {
            skipBlanks();
            if (!sameToken(m_lexer.CharView(), e.text, false)) {
                m_lexer.ReturnTo(lastEnd);
                break;
            }
        }
        if (m_lexer.Position() == start)
            break;
    }
    if (rounds > 1) {
        if (e.dropsErrors || m_terminal) {
            m_errorText.clear();
            m_errorPos.clear();
            m_terminal = false;
        }
        m_lexer.ReturnTo(lastEnd);
        return true;
    }
    if (!lastOk)
        m_lexer.ReturnTo(entryPos);
    return lastOk || e.kind == GrammarNode::OptionalLoop;
}

// A rule's body, one level deeper than what refers to it.
inline bool TscILParser::Impl::interpretRule(const GrammarNode &rule, int entryPos, int entryLines)
{
    const Nesting nesting(*this);
    const bool ok = sequence(rule.children);
    if (!rule.node.isEmpty())
        applyNode(rule, ok, entryPos, entryLines);
    if (!ok)
        m_lexer.ReturnTo(entryPos);
    return ok;
}

// interpretRule for a rule without a node, nothing written around it. Most
// such rules are one switch or reference: that child is asked for directly.
inline bool TscILParser::Impl::interpretBareRule(const GrammarNode &rule, int entryPos)
{
    const Nesting nesting(*this);
    bool ok;
    if (rule.children.size() == 1) {
        const GrammarNode &only = rule.children.front();
        ok = cannotStart(only) ? only.passesUnstarted : interpret(only);
    } else {
        ok = sequence(rule.children);
    }
    if (!ok)
        m_lexer.ReturnTo(entryPos);
    return ok;
}

// What follows a node's own part: its node and add written and its children
// read when it passed, its error recorded when anything failed.
inline bool TscILParser::Impl::finish(const GrammarNode &e, bool ok, int entryPos, int entryLines, QStringView token)
{
    if (ok) {
        if (!e.hasTail)
            return true;
        if (!e.node.isEmpty())
            applyNode(e, true, entryPos, entryLines);
        if (!e.add.isEmpty())
            writeAdd(e, token);
        ok = e.children.empty() || sequence(e.children);
        if (ok)
            return true;
    }
    recordError(e.err, e.term, entryPos);
    m_lexer.ReturnTo(entryPos);
    return false;
}

// Sequences, optionals and line ends.
bool TscILParser::Impl::interpretStructure(const GrammarNode &e)
{
    const Nesting nesting(*this);
    const int entryPos = m_lexer.Position();
    const int entryLines = m_out.Count();
    bool ok = false;
    switch (e.kind) {
    case GrammarNode::Eol: ok = m_lexer.GetEOL(); break;
    case GrammarNode::Sequence: ok = true; break;
    case GrammarNode::Optional:
        if (!sequence(e.children))
            m_lexer.ReturnTo(entryPos);
        return true;
    default: break; // the others have frames of their own
    }
    return finish(e, ok, entryPos, entryLines, QStringView());
}

bool TscILParser::Impl::interpretReference(const GrammarNode &e)
{
    const Nesting nesting(*this);
    const int entryPos = m_lexer.Position();
    const GrammarNode &rule = m_rules->rule(e);
    if (e.bareReference)
        return interpretBareRule(rule, entryPos);
    const int entryLines = m_out.Count();
    const bool ok = interpretRule(rule, entryPos, entryLines);
    return finish(e, ok, entryPos, entryLines, QStringView());
}

// Tokens apart: only they need room for a token text of their own, and
// most nodes are tokens.
bool TscILParser::Impl::interpretToken(const GrammarNode &e)
{
    const Nesting nesting(*this);
    const int entryPos = m_lexer.Position();
    const int entryLines = m_out.Count();
    QString storage; // for tokens that are not views into the text
    QStringView token;
    const bool ok = e.kind <= GrammarNode::Ident ? readTextToken(e, token) : readToken(e, storage, token);
    return finish(e, ok, entryPos, entryLines, token);
}

// ---- units

namespace {

// The `text` of every element the clause wrote, in writing order; an element
// that wrapped others counts once more after them, with no text.
void collectFileNames(const TscXMLItem &item, QStringList &names)
{
    names << item.Prop(QStringLiteral("text"));
    for (int i = 0; i < item.Count(); ++i)
        collectFileNames(*item.Items(i), names);
    if (item.Count() > 0)
        names << QString();
}

} // namespace

// The clause's own elements give way to one `uses` element per unit not
// included yet, taken last to first.
void TscILParser::Impl::includeUnits(int entryLines)
{
    TscXMLItem written;
    m_out.MoveChildrenTo(entryLines, written);
    QStringList files;
    for (int i = 0; i < written.Count(); ++i)
        collectFileNames(*written.Items(i), files);
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        QString name = *it;
        if (name.size() >= 2)
            name = name.mid(1, name.size() - 2);
        if (m_owner.UsesList.contains(name))
            continue;
        m_owner.UsesList.append(name);
        TscXMLItem *uses = write(QStringLiteral("uses"), attribute("unit", StrToXML(asStoredText(name))));
        includeUnit(name, *uses);
    }
}

void TscILParser::Impl::includeUnit(const QString &name, TscXMLItem &uses)
{
    // The unit's source may come from anywhere and the unit's parser has
    // an arena of its own, adopted with its tree.
    const TscXMLItem::ArenaScope outside(nullptr);
    std::optional<QString> text = m_options.unitSource ? m_options.unitSource(name) : std::nullopt;
    if (!text) {
        text = platform::readTextFile(name);
        if (!text)
            throw ScriptError(QStringLiteral("Cannot open file \"%1\"").arg(name));
    }
    const QString source = NormalizeScriptText(*text);
    if (source.isEmpty())
        return;
    TscILParser unit(m_options);
    unit.UnitName = name;
    unit.m_impl->m_baseDepth = m_baseDepth + m_depth;
    unit.LoadLanguageGrammar(m_langName);
    unit.UsesList = m_owner.UsesList;
    if (unit.BuildIntermediateProgram(source)) {
        m_owner.UsesList = unit.UsesList;
        TscXMLItem &program = *unit.m_impl->m_il.Root();
        program.MoveChildrenTo(0, *addElement(uses, program.Name(), program.Text()));
        m_arena.adopt(unit.m_impl->m_arena);
        m_buildSources += unit.m_impl->m_treeSources;
        return;
    }
    m_errorText = unit.ErrorText();
    m_errorPos = unit.ErrorPosition();
    m_terminal = false;
    m_errorUnit = unit.ErrorUnitName().isEmpty() ? name : unit.ErrorUnitName();
}

// ---- one build

// When the program is a run of statements that may stop anywhere, text left
// over is a statement nothing could start: report it instead of dropping it.
bool TscILParser::Impl::checkRestOfText()
{
    if (!m_rules->programIsOpenEnded())
        return true;
    m_lexer.SkipSpaces();
    while (m_lexer.GetEOL())
        ;
    if (m_lexer.Position() > m_lexer.Size())
        return true;
    m_errorText = m_rules->errorText(QStringLiteral("err3"));
    m_errorPos = m_lexer.GetLineColumn();
    return false;
}

bool TscILParser::Impl::build(const QString &text)
{
    m_out.Clear();
    m_errorText.clear();
    m_errorPos.clear();
    m_errorUnit.clear();
    m_terminal = false;
    m_depth = 0;
    m_depthLimit = kMaxDepth - m_baseDepth;
    int start = 1;
    if (text.startsWith(QLatin1Char('#')) && text.mid(1, 8).compare(QLatin1String("language"), Qt::CaseInsensitive) == 0) {
        int end = 9;
        while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        loadLanguage(text.mid(9, end - 9).trimmed());
        start = end + 1 + (text.mid(end, 2) == QLatin1String("\r\n") ? 2 : 1);
    }
    if (m_langName.isEmpty())
        loadLanguage(QStringLiteral("PascalScript"));
    m_lexer.SetText(text);
    m_lexer.SetPosition(start);
    m_buildSources = {m_lexer.Text()};
    m_word = Word();
    m_grammarKnowsKeywords = m_lexer.Keywords() == m_compiled->keywords.Keywords();
    m_ahead = Ahead();
    const QString &hex = m_lexer.HexSequence;
    m_hexStart = hex.isEmpty() ? -1 : hex[0].unicode();
    const QString &quotes = m_lexer.StringQuotes;
    m_quote = quotes.isEmpty() ? u'\'' : quotes[0].unicode();
    m_tokenStarts.fill(TokenStart());
    const TscXMLItem::ArenaScope written(&m_arena);
    bool ok = false;
    try {
        ok = interpretRule(m_rules->programRule(), m_lexer.Position(), m_out.Count());
        if (ok && m_errorText.isEmpty())
            ok = checkRestOfText();
    } catch (const NestingTooDeep &deep) {
        ok = false;
        m_errorText = scriptMessage(ScriptMessage::NestingTooDeep);
        m_errorPos = deep.position;
        m_errorUnit.clear();
    }
    ok = ok && m_errorText.isEmpty();
    if (!ok) {
        if (m_errorText.isEmpty())
            m_errorPos.clear();
        return false;
    }
    TscXMLItem &root = *m_il.Root();
    root.Clear();
    root.SetName(QStringLiteral("program"));
    root.SetText(QString());
    m_out.MoveChildrenTo(0, root);
    m_treeSources.swap(m_buildSources);
    m_buildSources.clear();
    if (const TscXMLItem *types = m_rules->types())
        root.Add()->Assign(types);
    return true;
}

// ---- TscILParser

TscILParser::TscILParser(ILParserOptions options) : m_impl(std::make_unique<Impl>(*this, std::move(options))) {}
TscILParser::~TscILParser() = default;

void TscILParser::LoadLanguageGrammar(const QString &name) { m_impl->loadLanguage(name); }
bool TscILParser::BuildIntermediateProgram(const QString &text) { return m_impl->build(text); }
const TscXMLDocument &TscILParser::ILScript() const { return m_impl->m_il; }
const TscXMLDocument &TscILParser::Grammar() const
{
    return m_impl->m_compiled ? m_impl->m_compiled->document : emptyDocument();
}
TscParser &TscILParser::Lexer() { return m_impl->m_lexer; }
const QString &TscILParser::LangName() const { return m_impl->m_langName; }
bool TscILParser::NeedDeclareVars() const { return m_impl->m_needDeclareVars; }
const QString &TscILParser::ErrorText() const { return m_impl->m_errorText; }
const QString &TscILParser::ErrorPosition() const { return m_impl->m_errorPos; }
const QString &TscILParser::ErrorUnitName() const { return m_impl->m_errorUnit; }

} // namespace bralvo::script
