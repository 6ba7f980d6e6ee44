// Registration modules: the process-wide list, module instances in a
// script, and the registration calls modules use.
#include "script/tscclassvariable.h"
#include "script/tscrttimodule.h"
#include "script/tscscript.h"
#include "script/tscsysfunctions.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

int &modulesMade()
{
    static int count = 0;
    return count;
}

class ColoursModule : public TscRTTIModule {
public:
    explicit ColoursModule(TscScript &script) : TscRTTIModule(script)
    {
        ++modulesMade();
        script.AddEnum(QStringLiteral("TColours"), QStringLiteral("a, b ,c"));
        script.AddEnumSet(QStringLiteral("TColourSet"), QStringLiteral("x,y , z"));
        if (TscClassVariable *cls = script.AddClass(QStringLiteral("TThing"), QString()))
            cls->AddMethod(QStringLiteral("function Size: Integer"),
                           [](platform::HandleTarget *, const QString &, const QString &, TscMethodHelper &) {
                               return Variant(3);
                           });
    }
};

struct ModuleListFixture : ::testing::Test {
    ModuleListFixture() { RegisterRTTIModule(&createRTTIModule<ColoursModule>); }
    ~ModuleListFixture() override { UnregisterRTTIModule(&createRTTIModule<ColoursModule>); }
};

int valueOf(const TscScript &script, const char *name)
{
    return script.Find(QLatin1String(name))->GetValue().toInt();
}

TEST_F(ModuleListFixture, BuiltInModuleComesFirstAndClassesAreListedOnce)
{
    RegisterRTTIModule(&createRTTIModule<ColoursModule>);
    const QList<TscRTTIModuleClass> list = RTTIModuleList();
    ASSERT_GE(list.size(), 2);
    EXPECT_EQ(list.first(), &createRTTIModule<TscSysFunctions>);
    EXPECT_EQ(list.count(&createRTTIModule<ColoursModule>), 1);
    UnregisterRTTIModule(&createRTTIModule<TscSysFunctions>);
    EXPECT_EQ(RTTIModuleList().first(), &createRTTIModule<TscSysFunctions>);
}

TEST_F(ModuleListFixture, EnumerationsAndSetsCountFromZeroAndByBits)
{
    TscScript script;
    script.AddRTTI();
    EXPECT_EQ(valueOf(script, "a"), 0);
    EXPECT_EQ(valueOf(script, "b"), 1);
    EXPECT_EQ(valueOf(script, "c"), 2);
    EXPECT_EQ(valueOf(script, "x"), 1);
    EXPECT_EQ(valueOf(script, "y"), 2);
    EXPECT_EQ(valueOf(script, "z"), 4);
    EXPECT_EQ(script.Find(QStringLiteral("b"))->TypeName.toStdString(), "TColours");
    EXPECT_TRUE(script.Find(QStringLiteral("c"))->ReadOnly);
}

TEST_F(ModuleListFixture, ModulesAreMadeOncePerScriptAndLiveUntilClearRTTI)
{
    TscScript script;
    modulesMade() = 0;
    script.AddRTTI();
    script.AddRTTI();
    EXPECT_EQ(modulesMade(), 1);
    int modules = 0;
    for (int i = 0; i < script.Count(); ++i)
        if (dynamic_cast<TscRTTIModule *>(script.ItemAt(i))) {
            ++modules;
            EXPECT_TRUE(script.NameAt(i).isEmpty());
        }
    EXPECT_EQ(modules, RTTIModuleList().size());

    script.SetLines({QStringLiteral("var t: TThing; begin end.")});
    ASSERT_TRUE(script.Compile()) << script.ErrorText.toStdString();
    script.Clear();
    EXPECT_NE(script.FindClass(QStringLiteral("TThing")), nullptr);
    EXPECT_EQ(script.FindLocal(QStringLiteral("t")), nullptr);

    script.ClearRTTI();
    EXPECT_EQ(script.Count(), 0);
    script.AddRTTI();
    EXPECT_EQ(modulesMade(), 2);
    EXPECT_EQ(valueOf(script, "z"), 4);
}

TEST_F(ModuleListFixture, ChildScriptDoesNotRegisterAClassItsParentKnows)
{
    TscScript parent;
    parent.AddRTTI();
    TscScript child;
    child.ParentScript = &parent;
    EXPECT_EQ(child.AddClass(QStringLiteral("TThing"), QString()), nullptr);
    EXPECT_EQ(child.AddConst(QStringLiteral("a"), QStringLiteral("Integer"), Variant(9)),
              parent.Find(QStringLiteral("a")));
}

} // namespace
