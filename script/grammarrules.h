// A grammar document compiled for the interpreter: the rules as a tree of
// GrammarNode (attributes decoded once, references resolved to rule
// indexes), the lexer settings of the `parser` element, the error texts and
// the `types` element. Built from the document's root (`language`); the
// document must outlive the GrammarRules (types() points into it).
#pragma once

#include "script/wordset.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <vector>

namespace bralvo::script {

class TscXMLItem;

// Kinds of token, as bits: what the text ahead could read as, and what a
// node can begin with.
enum TokenKind : unsigned {
    kAnyWord = 1,    // any word, reserved or not
    kIdentWord = 2,  // a word that is not reserved
    kNumberToken = 4,
    kStringToken = 8,
    kEolToken = 16,
};

// The first-token test of FirstTokens as one bit mask: every kind of token,
// punctuation character and keyword some node can begin with has a bit of
// its own (GrammarRules::startMask()), and the text ahead sets the bits of
// what it reads as (GrammarRules::aheadMask()). Asked before most nodes, so
// two words and no branches.
struct StartMask {
    static constexpr int kBits = 128;
    uint64_t bits[2] = {0, 0};

    bool intersects(const StartMask &other) const
    {
        return ((bits[0] & other.bits[0]) | (bits[1] & other.bits[1])) != 0;
    }
    // Both words at fixed places: a mask indexed at run time stays in
    // memory, and reading it back whole right after setting one word
    // stalls until that store is done. This way it is built in registers.
    void set(int bit)
    {
        const uint64_t one = uint64_t(1) << (bit & 63);
        bits[0] |= bit < 64 ? one : 0;
        bits[1] |= bit < 64 ? 0 : one;
    }
    void add(const StartMask &other)
    {
        bits[0] |= other.bits[0];
        bits[1] |= other.bits[1];
    }
};

// What the text at one position could read as, gathered once per position
// for the first-token tests below.
struct TokenAhead {
    static constexpr int kUnknownWord = -2; // could equal any keyword text
    char16_t raw = 0;      // the character at the position itself
    char16_t next = 0;     // the first character after blanks and comments
    bool word = false;     // a word starts at next
    int wordId = -1;       // see GrammarRules::wordId()
    unsigned kinds = 0;    // TokenKind bits
    StartMask mask;        // GrammarRules::aheadMask() of the above
};

// A conservative set of the tokens a grammar node can begin with: when the
// text ahead matches none of them, interpreting the node is known to end
// without reading, writing or recording anything.
struct FirstTokens {
    static constexpr int kMaxWords = 256;
    bool anything = true; // no test known: the node is always interpreted
    unsigned kinds = 0;   // TokenKind bits
    std::bitset<128> chars;    // punctuation after blanks
    std::bitset<128> rawChars; // punctuation at the position itself (skip="0")
    std::bitset<kMaxWords> words;

    bool mayStart(const TokenAhead &ahead) const;
    void add(const FirstTokens &other);
};

// Asked before most nodes are interpreted: inline, the cheapest tests first.
inline bool FirstTokens::mayStart(const TokenAhead &ahead) const
{
    if (anything || (kinds & ahead.kinds) != 0)
        return true;
    if ((ahead.raw < 128 && rawChars[ahead.raw]) || (ahead.next < 128 && chars[ahead.next]))
        return true;
    if (!ahead.word)
        return false;
    return ahead.wordId == TokenAhead::kUnknownWord
        ? words.any()
        : ahead.wordId >= 0 && ahead.wordId < kMaxWords && words[size_t(ahead.wordId)];
}

struct GrammarNode {
    enum Kind { Char, Keyword, Ident, Number, String, FrString, Eol, Sequence, Switch,
                OptionalSwitch, Loop, OptionalLoop, Optional, Reference };
    // What the interpreter reads for every node comes first, together.
    Kind kind = Sequence;
    int rule = -1; // for Reference: index of the rule, -1 when unknown
    // A reference with nothing of its own (no node, add, children or error)
    // to a rule without a node: interpreting it is the rule's body alone.
    bool bareReference = false;
    bool hasAddText = false;
    bool term = false;
    // Decoded once: skip "0" (a char read without blanks before it), skip
    // "1" (a loop that drops errors of its rounds), node "uses" and "expr".
    bool keepsBlanks = false;
    bool dropsErrors = false;
    bool nodeIsUses = false;
    bool nodeIsExpr = false;
    // Something to do once the node's own part passed: node, add or children.
    bool hasTail = false;
    bool isToken = false; // Char to FrString
    // For a keyword: its text's word id (GrammarRules::wordId()), -1 when
    // the text has none.
    int textWordId = -1;
    // When the text ahead cannot start the node (first.mayStart() false),
    // interpreting it returns passesUnstarted at once in effect: position
    // kept, nothing written, no error recorded, no unit included, and the
    // nesting reaches at most unstartedDepth levels (the node's own is 1).
    bool passesUnstarted = false;
    bool hasStartTest = false; // !first.anything
    int unstartedDepth = 0;
    // first as GrammarRules::startMask() gives it: the test the interpreter
    // asks when hasStartTest.
    StartMask startMask;
    // Then what the interpreter reads for most nodes it enters.
    std::vector<GrammarNode> children;
    QString text;        // token text or loop separator, lower case
    QString node;        // lower case
    QString add;
    // node and add as permanent texts, for naming the elements written.
    const QString *nodeName = nullptr;
    const QString *addName = nullptr;
    QString err;
    // Read when the grammar is compiled, or seldom.
    QString name;        // element name, lower case
    QString addText;
    // addText as an element stores it: escaped (StrToXML), a lone surrogate
    // made a replacement character. Worked out once, not per token, and
    // permanent, so that elements copy it without counting references.
    QString storedAddText;
    QString skip;
    FirstTokens first;
};

// The `parser` settings; an unset optional keeps the lexer default.
struct LexerSettings {
    QStringList keywords;
    std::optional<QString> identChars, commentLine1, commentLine2, commentBlock1, commentBlock2,
        stringQuotes, hexSequence, skipChar;
    bool lineEndsSignificant = false; // skipeol "0"
    bool caseSensitive = false;       // casesensitive "1"
    bool undeclaredAllowed = false;   // declarevars "0"
};

class GrammarRules {
public:
    GrammarRules() = default;
    explicit GrammarRules(const TscXMLItem &language);

    const LexerSettings &settings() const { return m_settings; }
    // Text of errN; empty when the grammar has none of that name.
    QString errorText(const QString &err) const { return m_errors.value(err.toLower()); }
    const TscXMLItem *types() const { return m_types; }
    // The rule a reference names. Throws ScriptError (SInvalidLanguage) when
    // the grammar has no such rule.
    const GrammarNode &rule(const GrammarNode &reference) const
    {
        if (reference.rule < 0)
            throwInvalidLanguage();
        return m_rules[size_t(reference.rule)];
    }
    // The `program` rule; throws ScriptError (SInvalidLanguage) without one.
    const GrammarNode &programRule() const;
    // True when the program ends in a loop (a run of statements) rather than
    // in a closing token, so leftover text means nothing could start there.
    bool programIsOpenEnded() const;
    // The index of word among the texts of the grammar's keyword nodes (as
    // FirstTokens::words counts them), -1 for none, or TokenAhead::kUnknownWord.
    int wordId(QStringView word, bool caseSensitive) const;
    // wordId() and whether the word is one of settings().keywords as a lexer
    // holding exactly those reserved words sees it, with one look-up: asked
    // for nearly every word read. False, with nothing set, for a word only
    // the general tests can judge (not ASCII, read ignoring case).
    bool classifyWord(QStringView word, bool caseSensitive, int &id, bool &reserved) const;
    // The bit masks of the first-token test: for any node's first that is
    // not anything, first.mayStart(ahead) equals
    // startMask(first).intersects(aheadMask(ahead)), except that a grammar
    // with more tokens than bits shares one bit among the rest (a node is
    // then at worst interpreted where it could not start).
    StartMask startMask(const FirstTokens &first) const;
    StartMask aheadMask(const TokenAhead &ahead) const;

private:
    [[noreturn]] static void throwInvalidLanguage();
    GrammarNode compile(const TscXMLItem &item) const;
    void resolve(GrammarNode &node) const;
    void findFirstTokens();

    LexerSettings m_settings;
    QHash<QString, QString> m_errors;
    const TscXMLItem *m_types = nullptr;
    std::vector<GrammarNode> m_rules;
    QHash<QString, int> m_ruleIndex;
    WordSet m_words; // keyword node texts, lower case
    // m_words followed by the reserved words, as they stand and lowered; an
    // index below m_words.size() is a word id. reserved[i]: entry i is one.
    struct WordTable {
        WordSet words;
        std::vector<bool> reserved;
    } m_exactWords, m_loweredWords;
    void addReservedWords();
    void findTextWordIds(GrammarNode &node) const;

    // The bits of StartMask: the TokenKind bits as they are, then one for
    // any punctuation after blanks, one for any at the position itself, one
    // shared by what did not get a bit of its own, then the characters and
    // words the grammar's nodes begin with. 0 in the tables: no bit.
    static constexpr int kAnyCharBit = 5, kAnyRawCharBit = 6, kSharedBit = 7, kFirstOwnBit = 8;
    std::array<uint8_t, 128> m_charBits{}, m_rawCharBits{};
    std::array<uint8_t, FirstTokens::kMaxWords> m_wordBits{};
    StartMask m_allWordBits; // what a word of unknown id may be
    struct {
        std::vector<size_t> chars, rawChars, words;
    } m_withBits; // what has a bit in the tables, in order
    void assignStartBits();
    void findStartMasks(GrammarNode &node) const;
};

// Asked once per position the interpreter reaches: inline.
inline StartMask GrammarRules::aheadMask(const TokenAhead &ahead) const
{
    StartMask mask;
    mask.bits[0] = ahead.kinds;
    if (ahead.next < 128) {
        mask.set(kAnyCharBit);
        if (const int bit = m_charBits[ahead.next])
            mask.set(bit);
    }
    if (ahead.raw < 128) {
        mask.set(kAnyRawCharBit);
        if (const int bit = m_rawCharBits[ahead.raw])
            mask.set(bit);
    }
    if (!ahead.word)
        return mask;
    if (ahead.wordId == TokenAhead::kUnknownWord)
        mask.add(m_allWordBits);
    else if (ahead.wordId >= 0 && ahead.wordId < FirstTokens::kMaxWords)
        if (const int bit = m_wordBits[size_t(ahead.wordId)])
            mask.set(bit);
    return mask;
}

} // namespace bralvo::script
