// Automation objects from scripts: creation by registered name, members
// called by name with the dispatch convention, and the error texts.
#include "platform/handleregistry.h"
#include "script/oleautomation.h"
#include "script/runtimeerror.h"
#include "script/tscscript.h"
#include "tests/script/keepscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

QStringList &calls()
{
    static QStringList log;
    return log;
}

// A small server: Visible and Name properties, Sub(a, b) = a - b, Quit,
// and Fail, which reports an exception with its details.
class TestServer : public OleAutomationObject {
public:
    qint32 idOfName(const QString &name) override
    {
        static const QStringList names{"Visible", "Name", "Sub", "Quit", "Fail"};
        for (int i = 0; i < names.size(); ++i)
            if (names[i].compare(name, Qt::CaseInsensitive) == 0)
                return i + 1;
        return kDispIdUnknown;
    }
    qint32 invoke(qint32 id, int flags, const QList<Variant> &args, bool namedPut, Variant *result,
                  OleExceptionInfo &info) override
    {
        QStringList shown;
        for (const Variant &a : args)
            shown.append(a.toString());
        calls().append(QStringLiteral("%1 flags=%2 args=%3 put=%4 result=%5")
                           .arg(id)
                           .arg(flags)
                           .arg(shown.join(QLatin1Char(',')))
                           .arg(namedPut)
                           .arg(result != nullptr));
        switch (id) {
        case 1:
            if (flags & kDispatchPropertyPut)
                m_visible = args.value(0).toBool();
            else if (result)
                *result = Variant(m_visible);
            return 0;
        case 2:
            if (result)
                *result = Variant(QStringLiteral("server"));
            return 0;
        case 3:
            if (args.size() != 2)
                return kDispEBadParamCount;
            if (result)
                *result = args[1].subtract(args[0]); // the block holds the last argument first
            return 0;
        case 4: return 0;
        case 5:
            info.source = QStringLiteral("TestServer");
            info.description = QStringLiteral("It failed");
            return kDispEException;
        default: return kDispEMemberNotFound;
        }
    }

private:
    bool m_visible = false;
};

struct OleFixture : ::testing::Test {
    OleFixture()
    {
        RegisterOleClass(QStringLiteral("Test.Server"), [] { return std::make_unique<TestServer>(); });
        calls().clear();
    }
    ~OleFixture() override { UnregisterOleClass(QStringLiteral("Test.Server")); }

    // Runs a PascalScript program; Keep collects values, an uncaught
    // error ends the list as "CLASS: message".
    QStringList run(const QString &program)
    {
        script.AddRTTI();
        test::addKeep(script, [this](const Variant &value) { kept.append(value.toString()); });
        script.SetLines(program.split(QLatin1Char('\n')));
        const QString failure = test::compileAndRun(script);
        if (!failure.isEmpty())
            kept.append(failure);  // after a compile error nothing was kept
        return kept;
    }

    TscScript script;
    QStringList kept;
};

TEST_F(OleFixture, MembersAreCalledByNameWithTheDispatchConvention)
{
    const QStringList result = run(QStringLiteral("var v: Variant;\n"
                                                  "begin v := CreateOleObject('test.server');\n"
                                                  "v.Visible := True; v.Quit; Keep(v.Name); Keep(v.Sub(10, 3));\n"
                                                  "Keep(v.Visible) end."));
    EXPECT_EQ(result, (QStringList{"server", "7", "True"}));
    EXPECT_EQ(calls(), (QStringList{"1 flags=4 args=True put=1 result=0", "4 flags=1 args= put=0 result=0",
                                    "2 flags=3 args= put=0 result=1", "3 flags=3 args=3,10 put=0 result=1",
                                    "1 flags=3 args= put=0 result=1"}));
}

TEST_F(OleFixture, FailedCallsRaiseOleErrorWithCodeNameAndDetails)
{
    const QStringList result = run(QStringLiteral("var v: Variant;\n"
                                                  "begin v := CreateOleObject('Test.Server');\n"
                                                  "try v.Nope except Keep(ExceptionMessage) end;\n"
                                                  "try v.Sub(1) except Keep(ExceptionMessage) end;\n"
                                                  "v.Fail end."));
    EXPECT_EQ(result, (QStringList{"OLE error 80020003: Nope: Member not found.",
                                   "OLE error 8002000E: Sub: Invalid number of parameters.",
                                   "Exception: OLE error 80020009: Fail: Exception occurred.\r\n"
                                   "Source        ::  TestServer\r\nDescription ::  It failed"}));
}

TEST_F(OleFixture, UnregisteredNameRaisesInvalidClassString)
{
    EXPECT_EQ(run(QStringLiteral("begin CreateOleObject('Word.Application') end.")),
              QStringList{"EOleSysError: Invalid class string"});
}

TEST_F(OleFixture, ObjectLivesAsLongAsTheScriptThatCreatedIt)
{
    run(QStringLiteral("var v: Variant; begin v := CreateOleObject('Test.Server'); Keep(VarType(v)) end."));
    EXPECT_EQ(kept, QStringList{"9"});
    const qint64 handle = script.Find(QStringLiteral("v"))->GetValue().toInt64();
    EXPECT_TRUE(platform::HandleRegistry::isLive(handle));
    script.Clear();
    EXPECT_FALSE(platform::HandleRegistry::isLive(handle));
}

TEST_F(OleFixture, MoreThan64ArgumentsAreRefused)
{
    QStringList args;
    for (int i = 0; i < 65; ++i)
        args.append(QString::number(i));
    const QStringList result = run(QStringLiteral("var v: Variant; begin v := CreateOleObject('Test.Server');\n"
                                                  "v.Sub(%1) end.")
                                       .arg(args.join(QStringLiteral(", "))));
    EXPECT_EQ(result, QStringList{"Exception: OLE error 8002000E: Sub: Invalid number of parameters."});
    EXPECT_TRUE(calls().isEmpty());
}

TEST(OleHelper, LinkOnAValueThatIsNoAutomationObjectFailsToConvert)
{
    TscOLEHelper helper(QStringLiteral("Visible"));
    helper.LeftValue = Variant(QStringLiteral("text"));
    try {
        helper.GetValue();
        ADD_FAILURE() << "no error";
    } catch (const platform::VariantError &error) {
        EXPECT_EQ(error.userText().toStdString(), "Could not convert variant of type (String) into type (Dispatch)");
    }
    helper.LeftValue = Variant::fromDispatch(0);
    EXPECT_THROW(helper.SetValue(Variant(true)), platform::VariantError);
}

} // namespace
