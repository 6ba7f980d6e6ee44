// GrammarRules: a grammar document compiled once per language selection.
#include "script/grammarrules.h"
#include "script/shorttexts.h"
#include "script/scripterror.h"
#include "script/scriptmessages.h"
#include "script/tscxmldocument.h"

#include <algorithm>
#include <mutex>

namespace bralvo::script {

namespace {

GrammarNode::Kind kindOf(const QString &name)
{
    static const QHash<QString, GrammarNode::Kind> kinds{
        {QStringLiteral("char"), GrammarNode::Char},
        {QStringLiteral("keyword"), GrammarNode::Keyword},
        {QStringLiteral("ident"), GrammarNode::Ident},
        {QStringLiteral("number"), GrammarNode::Number},
        {QStringLiteral("string"), GrammarNode::String},
        {QStringLiteral("frstring"), GrammarNode::FrString},
        {QStringLiteral("eol"), GrammarNode::Eol},
        {QStringLiteral("sequence"), GrammarNode::Sequence},
        {QStringLiteral("switch"), GrammarNode::Switch},
        {QStringLiteral("optionalswitch"), GrammarNode::OptionalSwitch},
        {QStringLiteral("loop"), GrammarNode::Loop},
        {QStringLiteral("optionalloop"), GrammarNode::OptionalLoop},
        {QStringLiteral("optional"), GrammarNode::Optional},
    };
    return kinds.value(name, GrammarNode::Reference);
}

[[noreturn]] void invalidLanguage()
{
    throw ScriptError(scriptMessage(ScriptMessage::InvalidLanguage));
}

void readSettings(const TscXMLItem &parser, LexerSettings &s, QHash<QString, QString> &errors)
{
    for (int i = 0; i < parser.Count(); ++i) {
        const TscXMLItem &item = *parser.Items(i);
        const QString name = item.Name().toLower();
        const QString value = item.Prop(QStringLiteral("text"));
        if (name == QLatin1String("keywords")) {
            for (int k = 0; k < item.Count(); ++k)
                s.keywords.append(item.Items(k)->Name());
        } else if (name == QLatin1String("errors")) {
            for (int k = 0; k < item.Count(); ++k)
                errors.insert(item.Items(k)->Name().toLower(), item.Items(k)->Prop(QStringLiteral("text")));
        } else if (name == QLatin1String("identchars")) {
            s.identChars = value;
        } else if (name == QLatin1String("commentline1")) {
            s.commentLine1 = value;
        } else if (name == QLatin1String("commentline2")) {
            s.commentLine2 = value;
        } else if (name == QLatin1String("commentblock1")) {
            s.commentBlock1 = value;
        } else if (name == QLatin1String("commentblock2")) {
            s.commentBlock2 = value;
        } else if (name == QLatin1String("stringquotes")) {
            s.stringQuotes = value;
        } else if (name == QLatin1String("hexsequence")) {
            s.hexSequence = value;
        } else if (name == QLatin1String("skipchar")) {
            s.skipChar = value;
        } else if (name == QLatin1String("skipeol")) {
            s.lineEndsSignificant = value == QLatin1String("0");
        } else if (name == QLatin1String("casesensitive")) {
            s.caseSensitive = value == QLatin1String("1");
        } else if (name == QLatin1String("declarevars")) {
            s.undeclaredAllowed = value == QLatin1String("0");
        }
    }
}

// text as an element's attribute holds it: every text written once passed
// through UTF-8, which turns a lone surrogate into a replacement character,
// then StrToXML.
QString storedText(const QString &text)
{
    const bool surrogates = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSurrogate(); });
    return StrToXML(surrogates ? QString::fromUtf8(text.toUtf8()) : text);
}

// Element names outlive any grammar (the trees written with them may), so
// they are kept once per process as static text, which elements refer to
// (TscXMLItem::SetPermanentName) and copy without counting references.
const QString &permanentName(const QString &name)
{
    static const QString none;
    if (name.isEmpty())
        return none;
    static std::mutex lock;
    static auto *names = new QHash<QString, const QString *>;
    const std::lock_guard guard(lock);
    if (const auto found = names->constFind(name); found != names->cend())
        return **found;
    auto *chars = new char16_t[size_t(name.size()) + 1];
    std::copy(name.cbegin(), name.cend(), reinterpret_cast<QChar *>(chars));
    chars[name.size()] = 0;
    const auto *permanent = new QString(QString::fromRawData(reinterpret_cast<const QChar *>(chars), name.size()));
    names->insert(name, permanent);
    return *permanent;
}

// What interpreting a node does when the text ahead cannot start it: the
// summary FirstTokens and the two facts stored along with it.
struct Unstarted {
    FirstTokens first;
    bool passes = false;
    int depth = 0;
    bool known() const { return !first.anything; }
};

Unstarted opaque()
{
    return Unstarted();
}

// Works out GrammarNode::first and its companions for every node, following
// references, in two rounds (see run()).
class FirstTokenFinder {
public:
    FirstTokenFinder(std::vector<GrammarNode> &rules, WordSet &words)
        : m_rules(rules), m_words(words), m_state(rules.size(), NotDone), m_summary(rules.size())
    {
    }

    // A rule met again while its own summary is worked out stands for
    // nothing known in the first round; in the second it stands for what
    // the first round found for it, which holds as well, and the cycle's
    // other rules can get a test too.
    void run()
    {
        for (int round = 0; round < 2; ++round) {
            std::fill(m_state.begin(), m_state.end(), NotDone);
            for (size_t i = 0; i < m_rules.size(); ++i)
                rule(int(i));
            m_previous = m_summary;
        }
    }

private:
    enum State { NotDone, InProgress, Done };

    Unstarted rule(int index);
    Unstarted node(GrammarNode &n);
    Unstarted token(const GrammarNode &n);
    Unstarted sequence(std::vector<GrammarNode> &children);
    Unstarted alternatives(GrammarNode &n);
    Unstarted reference(GrammarNode &n);

    std::vector<GrammarNode> &m_rules;
    WordSet &m_words;
    std::vector<State> m_state;
    std::vector<Unstarted> m_summary;
    std::vector<Unstarted> m_previous; // the first round's, while in progress
};

// A rule as a reference interprets it: its children in a row, then its node.
Unstarted FirstTokenFinder::rule(int index)
{
    const size_t i = size_t(index);
    if (m_state[i] == InProgress)
        return m_previous.empty() ? opaque() : m_previous[i];
    if (m_state[i] == Done)
        return m_summary[i];
    m_state[i] = InProgress;
    GrammarNode &r = m_rules[i];
    Unstarted s = sequence(r.children);
    // A rule that passes writes its node; the uses node includes units even
    // when the clause fails.
    if (r.nodeIsUses || (s.passes && !r.node.isEmpty()))
        s = opaque();
    else
        s.depth += 1;
    m_state[i] = Done;
    m_summary[i] = s;
    return s;
}

// Children read one after another: the text ahead reaches every child up to
// the first one that fails unstarted.
Unstarted FirstTokenFinder::sequence(std::vector<GrammarNode> &children)
{
    Unstarted s;
    s.first.anything = false;
    s.passes = true;
    bool combining = true;
    for (GrammarNode &child : children) {
        const Unstarted c = node(child); // every child gets its own summary
        if (!combining)
            continue;
        if (!c.known()) {
            s = opaque();
            combining = false;
            continue;
        }
        s.first.add(c.first);
        s.depth = std::max(s.depth, c.depth);
        if (!c.passes) {
            s.passes = false;
            combining = false;
        }
    }
    return s;
}

Unstarted FirstTokenFinder::token(const GrammarNode &n)
{
    // An error text is recorded when the token fails.
    if (!n.err.isEmpty())
        return opaque();
    Unstarted s;
    s.first.anything = false;
    s.depth = 1;
    FirstTokens &f = s.first;
    switch (n.kind) {
    case GrammarNode::Char: {
        std::bitset<128> &chars = n.keepsBlanks ? f.rawChars : f.chars;
        if (n.text.isEmpty())
            chars.set(); // any punctuation
        else if (n.text[0].unicode() < 128)
            chars.set(n.text[0].unicode());
        else
            return opaque();
        break;
    }
    case GrammarNode::Keyword: {
        const int id = n.text.isEmpty() || !isAsciiText(n.text) ? -1 : m_words.add(n.text);
        if (id >= 0 && id < FirstTokens::kMaxWords)
            f.words.set(size_t(id));
        else
            f.kinds |= kAnyWord;
        break;
    }
    case GrammarNode::Ident: f.kinds |= kIdentWord; break;
    case GrammarNode::Number: f.kinds |= kNumberToken; break;
    case GrammarNode::String: f.kinds |= kStringToken; break;
    case GrammarNode::Eol: f.kinds |= kEolToken; break;
    default: return opaque(); // a report reference writes before it reads
    }
    return s;
}

// switch / optionalswitch: every child is tried in turn until one passes.
Unstarted FirstTokenFinder::alternatives(GrammarNode &n)
{
    Unstarted s;
    s.first.anything = false;
    s.passes = n.kind == GrammarNode::OptionalSwitch;
    bool known = true;
    for (GrammarNode &child : n.children) {
        const Unstarted c = node(child);
        known = known && c.known();
        s.first.add(c.first);
        s.passes = s.passes || c.passes;
        s.depth = std::max(s.depth, c.depth);
    }
    if (!known || (!s.passes && !n.err.isEmpty()))
        return opaque();
    s.depth += 1;
    return s;
}

Unstarted FirstTokenFinder::reference(GrammarNode &n)
{
    sequence(n.children);
    if (n.rule < 0)
        return opaque();
    Unstarted s = rule(n.rule);
    if (!s.known())
        return opaque();
    // Failing records the reference's error; passing writes its node and
    // add and reads its children.
    if (!s.passes && !n.err.isEmpty())
        return opaque();
    if (s.passes && (!n.node.isEmpty() || !n.add.isEmpty() || !n.children.empty()))
        return opaque();
    s.depth += 1;
    return s;
}

Unstarted FirstTokenFinder::node(GrammarNode &n)
{
    Unstarted s;
    switch (n.kind) {
    case GrammarNode::Sequence:
        s = sequence(n.children);
        // Its node and add are written before the children are read.
        if (!n.node.isEmpty() || !n.add.isEmpty() || !n.err.isEmpty())
            s = opaque();
        else
            s.depth += 1;
        break;
    case GrammarNode::Switch:
    case GrammarNode::OptionalSwitch: s = alternatives(n); break;
    case GrammarNode::Loop:
    case GrammarNode::OptionalLoop:
        // A first round that fails leaves the loop at once; one that could
        // pass without reading would go on to the separator.
        s = sequence(n.children);
        if (s.known() && !s.passes) {
            s.passes = n.kind == GrammarNode::OptionalLoop;
            s.depth += 1;
        } else {
            s = opaque();
        }
        break;
    case GrammarNode::Optional:
        s = sequence(n.children);
        if (s.known()) {
            s.passes = true;
            s.depth += 1;
        }
        break;
    case GrammarNode::Reference: s = reference(n); break;
    default:
        sequence(n.children); // read only after the token
        s = token(n);
        break;
    }
    n.first = s.first;
    n.passesUnstarted = s.passes;
    n.unstartedDepth = s.depth;
    return s;
}

} // namespace

void FirstTokens::add(const FirstTokens &other)
{
    anything = anything || other.anything;
    kinds |= other.kinds;
    chars |= other.chars;
    rawChars |= other.rawChars;
    words |= other.words;
}

GrammarRules::GrammarRules(const TscXMLItem &language)
{
    // Every child of the root is a rule definition by name; parser and types
    // are looked up by name as well.
    for (int i = 0; i < language.Count(); ++i) {
        const TscXMLItem &item = *language.Items(i);
        const QString name = item.Name().toLower();
        if (name == QLatin1String("parser") && !m_ruleIndex.contains(name))
            readSettings(item, m_settings, m_errors);
        if (name == QLatin1String("types") && !m_types)
            m_types = &item;
        if (!m_ruleIndex.contains(name))
            m_ruleIndex.insert(name, int(m_rules.size()));
        m_rules.push_back(compile(item));
    }
    for (GrammarNode &rule : m_rules)
        resolve(rule);
    findFirstTokens();
    assignStartBits();
    for (GrammarNode &rule : m_rules)
        findStartMasks(rule);
    addReservedWords();
    for (GrammarNode &rule : m_rules)
        findTextWordIds(rule);
}

void GrammarRules::findTextWordIds(GrammarNode &node) const
{
    if (node.kind == GrammarNode::Keyword && !node.text.isEmpty())
        node.textWordId = m_words.find(node.text, false);
    for (GrammarNode &child : node.children)
        findTextWordIds(child);
}

namespace {

// The attributes a grammar node is compiled from, in the order they are
// decoded.
enum NodeAttribute { Text, Node, Add, AddText, Err, Term, Skip, AttributeCount };

// Each attribute's value as TscXMLItem::Prop gives it, found in one pass
// over the element's text instead of a search each; found[a] tells an
// attribute present but empty from an absent one.
void readNodeAttributes(const TscXMLItem &item, QString (&values)[AttributeCount], bool (&found)[AttributeCount])
{
    static constexpr QStringView names[AttributeCount] = {u"text", u"node", u"add", u"addtext",
                                                          u"err",  u"term", u"skip"};
    QStringView raw[AttributeCount];
    std::fill(std::begin(found), std::end(found), false);
    // As RawProp reads: every `="` ends a candidate name, tried in order,
    // and the first candidate of each name wins.
    const QStringView text(item.Text());
    const QChar *const chars = text.data();
    for (qsizetype equals = 0; equals + 1 < text.size(); ++equals) {
        if (chars[equals] != u'=' || chars[equals + 1] != u'"')
            continue;
        for (int a = 0; a < AttributeCount; ++a) {
            const qsizetype at = equals - names[a].size();
            if (found[a] || at < 0 || (at > 0 && chars[at - 1] != u' ')
                || !SameNameIgnoringCase(text.mid(at, names[a].size()), names[a]))
                continue;
            qsizetype end = equals + 2;
            while (end < text.size() && chars[end] != u'"')
                ++end;
            raw[a] = text.mid(equals + 2, end - equals - 2);
            found[a] = true;
        }
    }
    for (int a = 0; a < AttributeCount; ++a)
        values[a] = raw[a].isEmpty() ? QString() : XMLToStr(raw[a].toString());
}

} // namespace

GrammarNode GrammarRules::compile(const TscXMLItem &item) const
{
    GrammarNode n;
    n.name = item.Name().toLower();
    n.kind = kindOf(n.name);
    QString values[AttributeCount];
    bool found[AttributeCount];
    readNodeAttributes(item, values, found);
    n.text = values[Text].toLower();
    n.nodeName = &permanentName(values[Node].toLower());
    n.addName = &permanentName(values[Add]);
    n.node = *n.nodeName;
    n.add = *n.addName;
    n.addText = values[AddText];
    n.hasAddText = found[AddText];
    n.storedAddText = permanentName(storedText(n.addText));
    n.err = values[Err];
    n.term = values[Term] == QLatin1String("1");
    n.skip = values[Skip];
    n.keepsBlanks = n.skip == QLatin1String("0");
    n.dropsErrors = n.skip == QLatin1String("1");
    n.nodeIsUses = n.node == QLatin1String("uses");
    n.nodeIsExpr = n.node == QLatin1String("expr");
    n.children.reserve(size_t(item.Count()));
    for (int i = 0; i < item.Count(); ++i)
        n.children.push_back(compile(*item.Items(i)));
    n.hasTail = !n.node.isEmpty() || !n.add.isEmpty() || !n.children.empty();
    n.isToken = n.kind >= GrammarNode::Char && n.kind <= GrammarNode::FrString;
    return n;
}

void GrammarRules::resolve(GrammarNode &node) const
{
    if (node.kind == GrammarNode::Reference) {
        node.rule = m_ruleIndex.value(node.name, -1);
        node.bareReference = node.rule >= 0 && !node.hasTail && node.err.isEmpty()
            && m_rules[size_t(node.rule)].node.isEmpty();
    }
    for (GrammarNode &child : node.children)
        resolve(child);
}

void GrammarRules::findFirstTokens()
{
    FirstTokenFinder(m_rules, m_words).run();
}

namespace {

// Every node's first that has a test, as the start bits must cover them.
void collectFirsts(const GrammarNode &node, std::vector<const FirstTokens *> &firsts)
{
    if (!node.first.anything)
        firsts.push_back(&node.first);
    for (const GrammarNode &child : node.children)
        collectFirsts(child, firsts);
}

} // namespace

void GrammarRules::assignStartBits()
{
    std::vector<const FirstTokens *> firsts;
    for (const GrammarNode &rule : m_rules)
        collectFirsts(rule, firsts);
    // A set of every punctuation character is tested with its own bit.
    std::bitset<128> chars, rawChars;
    std::bitset<FirstTokens::kMaxWords> words;
    for (const FirstTokens *first : firsts) {
        if (!first->chars.all())
            chars |= first->chars;
        if (!first->rawChars.all())
            rawChars |= first->rawChars;
        words |= first->words;
    }
    int next = kFirstOwnBit;
    const auto bitFor = [&next] { return uint8_t(next < StartMask::kBits ? next++ : kSharedBit); };
    for (size_t c = 0; c < chars.size(); ++c)
        if (chars[c]) {
            m_charBits[c] = bitFor();
            m_withBits.chars.push_back(c);
        }
    for (size_t c = 0; c < rawChars.size(); ++c)
        if (rawChars[c]) {
            m_rawCharBits[c] = bitFor();
            m_withBits.rawChars.push_back(c);
        }
    for (size_t w = 0; w < words.size(); ++w)
        if (words[w]) {
            m_wordBits[w] = bitFor();
            m_allWordBits.set(m_wordBits[w]);
            m_withBits.words.push_back(w);
        }
}

void GrammarRules::findStartMasks(GrammarNode &node) const
{
    node.hasStartTest = !node.first.anything;
    if (node.hasStartTest)
        node.startMask = startMask(node.first);
    for (GrammarNode &child : node.children)
        findStartMasks(child);
}

StartMask GrammarRules::startMask(const FirstTokens &first) const
{
    StartMask mask;
    mask.bits[0] = first.kinds;
    // A character or word some node begins with has a bit; others none.
    const auto addChars = [&mask](const std::bitset<128> &set, const std::vector<size_t> &withBits,
                                  const std::array<uint8_t, 128> &bits, int anyBit) {
        if (set.all()) {
            mask.set(anyBit);
            return;
        }
        for (const size_t c : withBits)
            if (set[c])
                mask.set(bits[c]);
    };
    addChars(first.chars, m_withBits.chars, m_charBits, kAnyCharBit);
    addChars(first.rawChars, m_withBits.rawChars, m_rawCharBits, kAnyRawCharBit);
    for (const size_t w : m_withBits.words)
        if (first.words[w])
            mask.set(m_wordBits[w]);
    return mask;
}

int GrammarRules::wordId(QStringView word, bool caseSensitive) const
{
    // Keyword texts are lower case: a case-sensitive match needs the word as
    // it stands, any other a case-blind one, done here for ASCII only.
    if (caseSensitive)
        return m_words.find(word, false);
    return isAsciiText(word) ? m_words.find(word, true) : TokenAhead::kUnknownWord;
}

void GrammarRules::addReservedWords()
{
    m_exactWords.words = m_words;
    m_loweredWords.words = m_words;
    const auto add = [](WordTable &table, const QString &word) {
        const size_t i = size_t(table.words.add(word));
        table.reserved.resize(size_t(table.words.size()));
        table.reserved[i] = true;
    };
    // Lowered as the lexer lowers its reserved words.
    for (const QString &word : m_settings.keywords) {
        add(m_exactWords, word);
        add(m_loweredWords, word.toLower());
    }
    m_exactWords.reserved.resize(size_t(m_exactWords.words.size()));
    m_loweredWords.reserved.resize(size_t(m_loweredWords.words.size()));
}

bool GrammarRules::classifyWord(QStringView word, bool caseSensitive, int &id, bool &reserved) const
{
    const WordTable &table = caseSensitive ? m_exactWords : m_loweredWords;
    const int found = caseSensitive ? table.words.find(word, false) : table.words.findAsciiLowered(word);
    if (found == WordSet::kNotAscii)
        return false;
    id = found < m_words.size() ? found : -1;
    reserved = found >= 0 && table.reserved[size_t(found)];
    return true;
}

void GrammarRules::throwInvalidLanguage()
{
    invalidLanguage();
}

const GrammarNode &GrammarRules::programRule() const
{
    const int i = m_ruleIndex.value(QStringLiteral("program"), -1);
    if (i < 0)
        invalidLanguage();
    return m_rules[size_t(i)];
}

bool GrammarRules::programIsOpenEnded() const
{
    const GrammarNode *n = &programRule();
    // Follow the last element through references (a bounded walk: grammars
    // may be cyclic).
    for (int hops = 0; hops < 64; ++hops) {
        if (n->children.empty())
            return false;
        const GrammarNode &last = n->children.back();
        if (last.kind == GrammarNode::Loop || last.kind == GrammarNode::OptionalLoop)
            return true;
        if (last.kind != GrammarNode::Reference || last.rule < 0)
            return false;
        n = &m_rules[size_t(last.rule)];
    }
    return false;
}

} // namespace bralvo::script
