// A script's name space: which item a name finds while items enter and
// leave, small scripts and large alike, and what Clear keeps and frees.
#include "script/tscrttimodule.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

// Records its own destruction, so that a test sees when and how often an
// item was freed.
class TracedVariable : public TscVariable {
public:
    TracedVariable(const QString &name, QStringList &freed) : TscVariable(name, tcInteger, QString()), m_freed(freed) {}
    ~TracedVariable() override { m_freed.append(Name); }

private:
    QStringList &m_freed;
};

// An item that is no variable (a module object, an event adapter).
class PlainObject : public TscObject {};

TscVariable *addVariable(TscScript &script, const QString &name)
{
    auto *item = new TscVariable(name, tcInteger, QString());
    script.Add(name, item);
    return item;
}

// Fills script with count items named N0, N1, ...
void addNumbered(TscScript &script, int count)
{
    for (int i = 0; i < count; ++i)
        addVariable(script, QStringLiteral("N%1").arg(i));
}

} // namespace

// Sizes on both sides of the point where a script starts hashing its names
// (and far beyond it): the rules must not depend on the size.
class ScriptLookupBySize : public ::testing::TestWithParam<int> {};

TEST_P(ScriptLookupBySize, NewestOfEqualNamesWinsUntilItLeaves)
{
    TscScript script;
    addNumbered(script, GetParam());
    TscVariable *older = addVariable(script, QStringLiteral("Twin"));
    addNumbered(script, 3);
    TscVariable *newer = addVariable(script, QStringLiteral("TWIN"));
    EXPECT_EQ(script.Find(QStringLiteral("twin")), newer);

    script.Remove(older); // the shadowed one leaving changes nothing
    EXPECT_EQ(script.Find(QStringLiteral("Twin")), newer);
    script.Add(older->Name, older);
    EXPECT_EQ(script.Find(QStringLiteral("Twin")), older);
    script.Remove(older);
    EXPECT_EQ(script.Find(QStringLiteral("Twin")), newer);
    script.Remove(newer);
    EXPECT_EQ(script.Find(QStringLiteral("Twin")), nullptr);
    delete older;
    delete newer;
    for (int i = 0; i < GetParam(); ++i)
        EXPECT_NE(script.Find(QStringLiteral("n%1").arg(i)), nullptr) << i;
}

TEST_P(ScriptLookupBySize, NamesStayFoundWhileTheListShrinksAndGrowsAgain)
{
    TscScript script;
    // Twice over: what the first emptying leaves behind must not answer
    // for the names entered again.
    for (int round = 0; round < 2; ++round) {
        QList<TscObject *> items;
        for (int i = 0; i <= GetParam(); ++i)
            items.append(addVariable(script, QStringLiteral("N%1").arg(i)));
        EXPECT_EQ(script.Count(), GetParam() + 1);
        // Oldest first (every removal shifts the rest), then newest first.
        for (int k = 0; k <= GetParam(); ++k) {
            const int i = round == 0 ? k : GetParam() - k;
            const int other = round == 0 ? GetParam() : 0;
            EXPECT_EQ(script.Find(QStringLiteral("N%1").arg(i)), items[i]) << i;
            script.Remove(items[i]);
            delete items[i];
            EXPECT_EQ(script.Find(QStringLiteral("N%1").arg(i)), nullptr) << i;
            EXPECT_EQ(script.Find(QStringLiteral("N%1").arg(other)), i == other ? nullptr : items[other]) << i;
        }
        EXPECT_EQ(script.Count(), 0);
    }
}

TEST_P(ScriptLookupBySize, NamelessItemsAnswerOnlyForTheEmptyName)
{
    TscScript parent;
    TscVariable *inParent = addVariable(parent, QString());
    TscScript script;
    script.ParentScript = &parent;
    addNumbered(script, GetParam());
    TscVariable *nameless = addVariable(script, QString());
    EXPECT_EQ(script.Find(QString()), nameless);
    EXPECT_EQ(script.Find(QStringLiteral("")), nameless);
    // The newest nameless item is no variable: this script finds nothing
    // for the name and the parent is asked.
    script.Add(QString(), new PlainObject);
    EXPECT_EQ(script.FindLocal(QString()), nullptr);
    EXPECT_EQ(script.Find(QString()), inParent);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ScriptLookupBySize, ::testing::Values(0, 1, 12, 13, 14, 15, 16, 17, 40));

TEST(ScriptLookup, ClearFreesProgramItemsNewestFirstAndKeepsModuleNames)
{
    TscScript parent;
    TscVariable *inParent = addVariable(parent, QStringLiteral("Shared"));
    TscScript script;
    script.ParentScript = &parent;
    script.AddRTTI();
    const int registered = script.Count();
    QStringList freed;
    for (const char *name : {"First", "Second", "Shared", "Third"}) {
        const QString text = QLatin1String(name);
        script.Add(text, new TracedVariable(text, freed));
    }
    ASSERT_NE(script.Find(QStringLiteral("Shared")), inParent);
    const quint64 before = script.Generation();

    script.Clear();
    EXPECT_EQ(freed, QStringList({QStringLiteral("Third"), QStringLiteral("Shared"), QStringLiteral("Second"),
                                  QStringLiteral("First")}));
    EXPECT_NE(script.Generation(), before);
    EXPECT_EQ(script.Count(), registered);
    EXPECT_NE(script.Find(QStringLiteral("True")), nullptr);
    EXPECT_NE(script.Find(QStringLiteral("IntToStr")), nullptr);
    EXPECT_EQ(script.Find(QStringLiteral("First")), nullptr);
    EXPECT_EQ(script.Find(QStringLiteral("Shared")), inParent);

    script.Clear(); // nothing left to free: nothing freed twice
    EXPECT_EQ(freed.size(), 4);
}

TEST(ScriptLookup, ClearThenAddShadowsModuleNamesAgainInOrder)
{
    TscScript script;
    script.AddRTTI();
    TscCustomVariable *builtIn = script.Find(QStringLiteral("True"));
    ASSERT_NE(builtIn, nullptr);
    addVariable(script, QStringLiteral("True"));
    script.Clear();
    EXPECT_EQ(script.Find(QStringLiteral("true")), builtIn);
    TscVariable *first = addVariable(script, QStringLiteral("true"));
    TscVariable *second = addVariable(script, QStringLiteral("TRUE"));
    EXPECT_EQ(script.Find(QStringLiteral("True")), second);
    script.Remove(second);
    delete second;
    EXPECT_EQ(script.Find(QStringLiteral("True")), first);
    script.ClearRTTI();
    EXPECT_EQ(script.Find(QStringLiteral("True")), first);
}

TEST(ScriptLookup, RecompilingAfterClearFindsTheNewProgramOnly)
{
    TscScript script;
    script.AddRTTI();
    Variant kept;
    TscScript host;
    host.AddRTTI();
    host.AddMethod(QStringLiteral("procedure Keep(V: Variant)"),
                   [&kept](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &h) {
                       kept = h.GetParamValue(0);
                       return Variant::null();
                   });
    script.ParentScript = &host;
    script.SetLines({QStringLiteral("var Old: Integer;\n"
                                    "function Twice(n: Integer): Integer; begin Result := n * 2 end;\n"
                                    "begin Old := 1; Keep(Twice(4)) end.")});
    ASSERT_TRUE(script.Compile()) << script.ErrorText.toStdString();
    script.Execute();
    EXPECT_EQ(kept.toInt(), 8);

    script.Clear();
    script.SetLines({QStringLiteral("var Later: Integer;\n"
                                    "function Twice(n: Integer): Integer; begin Result := n * 3 end;\n"
                                    "begin Later := 2; Keep(Twice(4) + Later) end.")});
    ASSERT_TRUE(script.Compile()) << script.ErrorText.toStdString();
    script.Execute();
    EXPECT_EQ(kept.toInt(), 14);
    EXPECT_EQ(script.Find(QStringLiteral("Old")), nullptr);
    ASSERT_NE(script.Find(QStringLiteral("Later")), nullptr);
    EXPECT_EQ(script.Find(QStringLiteral("Later"))->GetValue().toInt(), 2);
    EXPECT_NE(script.Find(QStringLiteral("Keep")), nullptr);
}

TEST(ScriptLookup, UpperCaseNamesAreRightWhateverNamesCameBefore)
{
    // Enough names, twice over, that remembered upper-case texts are both
    // reused and replaced.
    QStringList names = {QStringLiteral("i"), QStringLiteral("I"), QStringLiteral("Result"),
                         QStringLiteral("RESULT"), QStringLiteral("straße"), QStringLiteral("")};
    for (int i = 0; i < 200; ++i)
        names.append(QStringLiteral("name%1").arg(i));
    for (int round = 0; round < 2; ++round) {
        for (const QString &name : names) {
            const TscVariable variable(name, tcInteger, QString());
            EXPECT_EQ(variable.UpperName, name.toUpper()) << name.toStdString();
            EXPECT_EQ(variable.UpperName.isNull(), name.toUpper().isNull()) << name.toStdString();
        }
    }
    const TscVariable nameless(QString(), tcInteger, QString());
    EXPECT_TRUE(nameless.UpperName.isNull());
}
