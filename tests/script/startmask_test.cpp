// The interpreter asks the first-token test as two bit masks; they must
// answer as FirstTokens::mayStart does, for every node of every grammar and
// whatever the text ahead reads as.
#include "script/grammarrules.h"
#include "script/languageregistry.h"
#include "script/tscxmldocument.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace bralvo::script;

namespace {

// Every node reachable from the program rule.
void collectNodes(const GrammarRules &rules, const GrammarNode &node, std::set<int> &rulesSeen,
                  std::vector<const GrammarNode *> &nodes)
{
    nodes.push_back(&node);
    for (const GrammarNode &child : node.children)
        collectNodes(rules, child, rulesSeen, nodes);
    if (node.kind == GrammarNode::Reference && node.rule >= 0 && rulesSeen.insert(node.rule).second)
        collectNodes(rules, rules.rule(node), rulesSeen, nodes);
}

// What the text ahead may read as: every character before and after
// blanks, every word id and the words without one, each kind of token.
std::vector<TokenAhead> aheads()
{
    std::vector<TokenAhead> all;
    const char16_t chars[] = {0, u' ', u'\r', u'\n', u'\t', u'a', u'Z', u'0', u'\'', u'"', u'#', u'$', u'&',
                              u'{', u'/', 127, 128, 0xE9, 0x2028};
    for (char16_t c = 0; c < 130; ++c) {
        for (const char16_t other : chars) {
            TokenAhead before;
            before.raw = c;
            before.next = other;
            all.push_back(before);
            TokenAhead after;
            after.raw = other;
            after.next = c;
            all.push_back(after);
        }
    }
    for (int id = TokenAhead::kUnknownWord; id <= FirstTokens::kMaxWords + 1; ++id) {
        for (const unsigned kinds : {unsigned(kAnyWord), unsigned(kAnyWord | kIdentWord)}) {
            TokenAhead word;
            word.raw = word.next = u'b';
            word.word = true;
            word.wordId = id;
            word.kinds = kinds;
            all.push_back(word);
        }
    }
    for (const unsigned kind : {unsigned(kNumberToken), unsigned(kStringToken), unsigned(kEolToken), unsigned(kNumberToken | kEolToken)}) {
        TokenAhead token;
        token.raw = token.next = 0x100;
        token.kinds = kind;
        all.push_back(token);
    }
    return all;
}

// Checks every node of rules against every text ahead: the masks must give
// mayStart's answer, or with exact false at least every true one.
void checkMasks(const GrammarRules &rules, const std::string &language, bool exact)
{
    static const std::vector<TokenAhead> texts = aheads();
    std::set<int> rulesSeen;
    std::vector<const GrammarNode *> nodes;
    collectNodes(rules, rules.programRule(), rulesSeen, nodes);
    int tested = 0, rejected = 0, mismatches = 0;
    for (const GrammarNode *node : nodes) {
        if (node->first.anything)
            continue;
        ++tested;
        EXPECT_FALSE(rules.startMask(node->first).intersects(StartMask())) << language;
        for (const TokenAhead &ahead : texts) {
            const bool general = node->first.mayStart(ahead);
            const bool masked = node->startMask.intersects(rules.aheadMask(ahead));
            rejected += masked ? 0 : 1;
            if ((exact ? masked != general : general && !masked) && ++mismatches <= 5)
                ADD_FAILURE() << language << ": node " << node->name.toStdString() << " '"
                              << node->text.toStdString() << "' raw " << int(ahead.raw) << " next "
                              << int(ahead.next) << " word " << ahead.wordId << " kinds " << ahead.kinds
                              << ": mask says " << masked;
        }
    }
    // The test has teeth only when both answers occur.
    EXPECT_GT(tested, 20) << language;
    EXPECT_GT(rejected, 1000) << language;
    EXPECT_EQ(mismatches, 0) << language;
}

TEST(StartMasks, AgreeWithTheFirstTokenTest)
{
    for (const char *language : {"PascalScript", "C++Script", "BasicScript", "JScript"}) {
        TscXMLDocument grammar;
        grammar.LoadFromText(GetScriptLanguageGrammar(QString::fromLatin1(language)));
        checkMasks(GrammarRules(*grammar.Root()), language, true);
    }
}

// More keywords and punctuation than bits: those left over share one bit,
// and a node is at worst interpreted where it could not start.
TEST(StartMasks, GrammarWithMoreTokensThanBitsStaysSafe)
{
    QString alternatives, rules;
    for (int i = 0; i < 150; ++i) {
        alternatives += QStringLiteral("<sequence><keyword text=\"kw%1\"/><ident/></sequence><word%1/>").arg(i);
        rules += QStringLiteral("<word%1><keyword text=\"rw%1\"/><number/></word%1>").arg(i);
    }
    for (const char c : std::string("!#$%()*+,-./:;=?@[]^|~"))
        alternatives += QStringLiteral("<char text=\"%1\"/><char text=\"%1\" skip=\"0\"/>").arg(QLatin1Char(c));
    TscXMLDocument grammar;
    grammar.LoadFromText(QStringLiteral("<?xml version=\"1.0\"?><language text=\"Many\"><parser/>"
                                        "<program><loop><switch>%1</switch></loop></program>%2</language>")
                             .arg(alternatives, rules));
    checkMasks(GrammarRules(*grammar.Root()), "Many", false);
}

} // namespace
