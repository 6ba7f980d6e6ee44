// TscILParser: the grammar interpreter that writes the intermediate program.
// Output is collected as text lines (one XML fragment each) so that a failed
// rule can drop what it wrote by truncating the list; the lines are read
// into the document once at the end.
#include "script/tscilparser.h"
#include "script/grammarrules.h"
#include "script/languageregistry.h"
#include "script/scripterror.h"
#include "script/scriptmessages.h"
#include "platform/textfile.h"

#include <QHash>
#include <QMutex>

namespace bralvo::script {

QString NormalizeScriptText(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16 + 2);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    if (!out.isEmpty() && !out.endsWith(QLatin1String("\r\n")))
        out += QLatin1String("\r\n");
    return out;
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
    }
    TscXMLDocument document;
    GrammarRules rules; // points into document
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

const TscXMLDocument &emptyDocument()
{
    static const TscXMLDocument empty;
    return empty;
}

} // namespace

class TscILParser::Impl {
public:
    Impl(TscILParser &owner, ILParserOptions options) : m_owner(owner), m_options(std::move(options)) {}

    void loadLanguage(const QString &name);
    bool build(const QString &text);

    TscILParser &m_owner;
    ILParserOptions m_options;
    std::shared_ptr<const CompiledGrammar> m_compiled;
    TscXMLDocument m_il;
    TscParser m_lexer;
    const GrammarRules *m_rules = nullptr; // in m_compiled
    QString m_langName;
    bool m_needDeclareVars = true;
    int m_baseDepth = 0; // nesting already used by the parsers of enclosing units

    // Working state of one build.
    QStringList m_out;
    QString m_errorText, m_errorPos, m_errorUnit;
    bool m_terminal = false;
    int m_depth = 0;

private:
    bool interpret(const GrammarNode &e, bool isRule);
    bool sequence(const std::vector<GrammarNode> &children);
    bool readToken(const GrammarNode &e, QString &token);
    bool evalSwitch(const GrammarNode &e, int entryPos);
    bool evalLoop(const GrammarNode &e, int entryPos);
    void applyNode(const QString &node, bool ok, int entryPos, int entryLines);
    void writeAdd(const GrammarNode &e, const QString &token);
    void recordError(const QString &err, bool terminal, int entryPos);
    QString positionAt(int pos);
    void includeUnits(int entryLines);
    QString includeUnit(const QString &name);
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
    for (const QString &word : s.keywords)
        m_lexer.AddKeyword(word);
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

QString TscILParser::Impl::positionAt(int pos)
{
    const int saved = m_lexer.Position();
    m_lexer.SetPosition(pos);
    m_lexer.SkipSpaces();
    const QString lc = m_lexer.GetLineColumn();
    m_lexer.SetPosition(saved);
    return lc;
}

void TscILParser::Impl::recordError(const QString &err, bool terminal, int entryPos)
{
    if (err.isEmpty() || !m_errorText.isEmpty())
        return;
    m_errorText = m_rules->errorText(err);
    m_errorPos = m_errorText.isEmpty() ? QString() : positionAt(entryPos);
    m_terminal = terminal;
}

bool TscILParser::Impl::sequence(const std::vector<GrammarNode> &children)
{
    for (const GrammarNode &child : children)
        if (!interpret(child, false))
            return false;
    return true;
}

bool TscILParser::Impl::readToken(const GrammarNode &e, QString &token)
{
    switch (e.kind) {
    case GrammarNode::Char:
        if (e.skip != QLatin1String("0"))
            m_lexer.SkipSpaces();
        token = m_lexer.GetChar();
        break;
    case GrammarNode::Keyword: token = m_lexer.GetWord(); break;
    case GrammarNode::Ident: token = m_lexer.GetIdent(); break;
    case GrammarNode::Number: token = m_lexer.GetNumber(); break;
    case GrammarNode::String: token = m_lexer.GetString(); break;
    case GrammarNode::FrString: {
        token = m_lexer.GetReportReference();
        const QString p = m_lexer.GetLineColumn();
        const QString pos = QStringLiteral(" pos=\"%1\"").arg(p);
        m_out << QStringLiteral("<dsgn%1>").arg(pos)
              << QStringLiteral("<node text=\"Get\"%1/>").arg(pos)
              << QStringLiteral("<expr%1>").arg(pos)
              << QStringLiteral("<string text=\"'%1'\"%2/>").arg(StrToXML(token), pos)
              << QStringLiteral("</expr>") << QStringLiteral("</dsgn>");
        break;
    }
    default:
        return false;
    }
    if (token.isEmpty())
        return false;
    if (e.text.isEmpty())
        return true;
    return m_lexer.CaseSensitive ? token == e.text : token.compare(e.text, Qt::CaseInsensitive) == 0;
}

void TscILParser::Impl::writeAdd(const GrammarNode &e, const QString &token)
{
    m_out << QStringLiteral("<%1 text=\"%2\" pos=\"%3\"/>")
                 .arg(e.add, StrToXML(e.hasAddText ? e.addText : token), m_lexer.GetLineColumn());
}

void TscILParser::Impl::applyNode(const QString &node, bool ok, int entryPos, int entryLines)
{
    if (node == QLatin1String("uses")) {
        includeUnits(entryLines);
        return;
    }
    if (!ok) {
        m_out.erase(m_out.begin() + entryLines, m_out.end());
        return;
    }
    const QString start = positionAt(entryPos);
    const QString open = node == QLatin1String("expr")
        ? QStringLiteral("<expr pos=\"%1\" pos1=\"%2\">").arg(start, m_lexer.GetLineColumn())
        : QStringLiteral("<%1 pos=\"%2\">").arg(node, start);
    m_out.insert(entryLines, open);
    m_out << QStringLiteral("</%1>").arg(node);
}

bool TscILParser::Impl::evalSwitch(const GrammarNode &e, int entryPos)
{
    for (const GrammarNode &child : e.children) {
        if (interpret(child, false))
            return true;
        m_lexer.SetPosition(entryPos);
    }
    if (e.kind == GrammarNode::OptionalSwitch)
        return true;
    recordError(e.err, e.term, entryPos);
    return false;
}

// loop/optionalloop: rounds of the children, with an optional separator.
bool TscILParser::Impl::evalLoop(const GrammarNode &e, int entryPos)
{
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
            m_lexer.SkipSpaces();
            if (m_lexer.GetChar().compare(e.text, Qt::CaseInsensitive) != 0) {
                m_lexer.SetPosition(lastEnd);
                break;
            }
        }
        if (m_lexer.Position() == start)
            break;
    }
    if (rounds > 1) {
        if (e.skip == QLatin1String("1") || m_terminal) {
            m_errorText.clear();
            m_errorPos.clear();
            m_terminal = false;
        }
        m_lexer.SetPosition(lastEnd);
        return true;
    }
    if (!lastOk)
        m_lexer.SetPosition(entryPos);
    return lastOk || e.kind == GrammarNode::OptionalLoop;
}

bool TscILParser::Impl::interpret(const GrammarNode &e, bool isRule)
{
    struct DepthGuard {
        int &depth;
        explicit DepthGuard(int &d) : depth(++d) {}
        ~DepthGuard() { --depth; }
    } guard(m_depth);
    if (m_depth + m_baseDepth > kMaxDepth)
        throw NestingTooDeep{positionAt(m_lexer.Position())};

    const int entryPos = m_lexer.Position();
    const int entryLines = int(m_out.size());
    if (isRule) {
        const bool ok = sequence(e.children);
        if (!e.node.isEmpty())
            applyNode(e.node, ok, entryPos, entryLines);
        if (!ok)
            m_lexer.SetPosition(entryPos);
        return ok;
    }
    QString token;
    bool ok = false;
    switch (e.kind) {
    case GrammarNode::Eol: ok = m_lexer.GetEOL(); break;
    case GrammarNode::Sequence: ok = true; break;
    case GrammarNode::Switch:
    case GrammarNode::OptionalSwitch: return evalSwitch(e, entryPos);
    case GrammarNode::Loop:
    case GrammarNode::OptionalLoop: return evalLoop(e, entryPos);
    case GrammarNode::Optional:
        if (!sequence(e.children))
            m_lexer.SetPosition(entryPos);
        return true;
    case GrammarNode::Reference: ok = interpret(m_rules->rule(e), true); break;
    default: ok = readToken(e, token); break;
    }
    if (ok) {
        if (!e.node.isEmpty())
            applyNode(e.node, true, entryPos, entryLines);
        if (!e.add.isEmpty())
            writeAdd(e, token);
        ok = sequence(e.children);
    }
    if (!ok) {
        recordError(e.err, e.term, entryPos);
        m_lexer.SetPosition(entryPos);
    }
    return ok;
}

// ---- units

void TscILParser::Impl::includeUnits(int entryLines)
{
    const QStringList files = m_out.mid(entryLines);
    m_out.erase(m_out.begin() + entryLines, m_out.end());
    int at = entryLines;
    for (auto it = files.crbegin(); it != files.crend(); ++it) {
        TscXMLDocument line;
        line.LoadFromText(QStringLiteral("<?xml version=\"1.0\"?>") + *it);
        QString name = line.Root()->Prop(QStringLiteral("text"));
        if (name.size() >= 2)
            name = name.mid(1, name.size() - 2);
        if (m_owner.UsesList.contains(name))
            continue;
        m_owner.UsesList.append(name);
        const QString content = includeUnit(name);
        m_out.insert(at++, QStringLiteral("<uses unit=\"%1\">").arg(StrToXML(name)));
        m_out.insert(at++, content);
        m_out.insert(at++, QStringLiteral("</uses>"));
    }
}

QString TscILParser::Impl::includeUnit(const QString &name)
{
    std::optional<QString> text = m_options.unitSource ? m_options.unitSource(name) : std::nullopt;
    if (!text) {
        text = platform::readTextFile(name);
        if (!text)
            throw ScriptError(QStringLiteral("Cannot open file \"%1\"").arg(name));
    }
    const QString source = NormalizeScriptText(*text);
    if (source.isEmpty())
        return QString();
    TscILParser unit(m_options);
    unit.UnitName = name;
    unit.m_impl->m_baseDepth = m_baseDepth + m_depth;
    unit.LoadLanguageGrammar(m_langName);
    unit.UsesList = m_owner.UsesList;
    if (unit.BuildIntermediateProgram(source)) {
        m_owner.UsesList = unit.UsesList;
        QString xml = unit.ILScript().SaveToText();
        return xml.mid(xml.indexOf(QLatin1String("?>")) + 2);
    }
    m_errorText = unit.ErrorText();
    m_errorPos = unit.ErrorPosition();
    m_terminal = false;
    m_errorUnit = unit.ErrorUnitName().isEmpty() ? name : unit.ErrorUnitName();
    return QString();
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
    m_out.clear();
    m_errorText.clear();
    m_errorPos.clear();
    m_errorUnit.clear();
    m_terminal = false;
    m_depth = 0;
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
    bool ok = false;
    try {
        ok = interpret(m_rules->programRule(), true);
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
    m_il.LoadFromText(QStringLiteral("<?xml version=\"1.0\"?>\n<program>\n") + m_out.join(QLatin1Char('\n'))
                      + QStringLiteral("\n</program>"));
    if (const TscXMLItem *types = m_rules->types())
        m_il.Root()->Add()->Assign(types);
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
