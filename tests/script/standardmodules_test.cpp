// The standard and report modules inside a program's own script:
// questions through the message-box seam, freeing host-owned objects,
// and the report enumerations equal to the model's tables.
#include "platform/handleregistry.h"
#include "report/model/trpcomponent.h"
#include "report/model/trpmemoview.h"
#include "report/model/trpoptions.h"
#include "report/model/trpscriptclasses.h"
#include "report/model/trpshapeview.h"
#include "report/model/trpview.h"
#include "script/runtimeerror.h"
#include "script/tscscript.h"
#include "tests/support/scriptedmessageboxes.h"

#include <gtest/gtest.h>

namespace {

using bralvo::platform::Variant;
using bralvo::script::TscScript;

// A script with every module, given Pascal lines; compiled.
std::unique_ptr<TscScript> pascal(const QString &text)
{
    bralvo::report::registerReportScriptModule();
    auto script = std::make_unique<TscScript>();
    script->AddRTTI();
    script->SetLines(text.split(u'\n'));
    EXPECT_TRUE(script->Compile()) << script->ErrorText.toStdString();
    return script;
}

Variant valueOf(TscScript &script, const QString &name)
{
    return script.Find(name)->GetValue();
}

TEST(StandardModules, QuestionsGoThroughTheMessageBoxSeam)
{
    bralvo::test::ScriptedMessageBoxes boxes;
    boxes.answerBox(bralvo::platform::kIdYes);
    boxes.answerText(QStringLiteral("typed"));
    boxes.answerText(std::nullopt);
    boxes.answerText(QStringLiteral("edited"));
    auto s = pascal(QStringLiteral(
        "var r: Integer; a, b, v: String; ok: Boolean;\n"
        "begin\n  r := MessageDlg('Delete?', mtConfirmation, [mbYes, mbNo], 0);\n"
        "  a := InputBox('Title', 'Name', 'default');\n  b := InputBox('Title', 'Name', 'default');\n"
        "  v := 'old';\n  ok := InputQuery('Title', 'Value', v);\nend."));
    s->Execute();
    EXPECT_EQ(valueOf(*s, QStringLiteral("r")).toInt(), 6);
    EXPECT_EQ(valueOf(*s, QStringLiteral("a")).toString(), QStringLiteral("typed"));
    EXPECT_EQ(valueOf(*s, QStringLiteral("b")).toString(), QStringLiteral("default"));
    EXPECT_EQ(valueOf(*s, QStringLiteral("v")).toString(), QStringLiteral("edited"));
    EXPECT_TRUE(valueOf(*s, QStringLiteral("ok")).toBool());
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, QStringLiteral("Delete?"));
    EXPECT_EQ(boxes.boxes()[0].flags, bralvo::platform::kMbIconQuestion + bralvo::platform::kMbYesNo);
    EXPECT_EQ(boxes.calls()[3].initialText, QStringLiteral("old"));
}

TEST(StandardModules, FreeingAHostObjectRaisesAndLeavesItAlive)
{
    bralvo::report::TrpMemoView memo(nullptr);
    auto s = pascal(QStringLiteral("var o: TObject;\nbegin\n  o.Free;\nend."));
    s->Find(QStringLiteral("o"))->SetValue(Variant(memo.handle()));
    EXPECT_THROW(s->Execute(), bralvo::platform::InvalidHandleError);
    EXPECT_TRUE(bralvo::platform::HandleRegistry::isLive(memo.handle()));
}

TEST(StandardModules, ObjectsAScriptCreatedGoWithTheScript)
{
    qint64 list = 0;
    {
        auto s = pascal(QStringLiteral("var l: TStringList;\nbegin\n  l := TStringList.Create;\nend."));
        s->Execute();
        list = valueOf(*s, QStringLiteral("l")).toInt64();
        EXPECT_TRUE(bralvo::platform::HandleRegistry::isLive(list));
        s->ClearRTTI();
    }
    EXPECT_FALSE(bralvo::platform::HandleRegistry::isLive(list));
}

TEST(StandardModules, ReportEnumerationsEqualTheModelsTables)
{
    using namespace bralvo::report;
    auto s = pascal(QStringLiteral("begin end."));
    const struct {
        const bralvo::platform::EnumInfo *info;
        bool isSet;
    } tables[] = {{&shapeKindEnum(), false}, {&alignEnum(), false}, {&previewButtonEnum(), true},
                  {&restrictionEnum(), true}};
    for (const auto &t : tables) {
        for (int i = 0; i < t.info->names.size(); ++i) {
            SCOPED_TRACE(t.info->names[i].toStdString());
            EXPECT_EQ(valueOf(*s, t.info->names[i]).toInt64(), t.isSet ? (qint64(1) << i) : i);
        }
    }
    for (const char *name : {"skDiamond", "pbEdit", "baClient", "rfDontEdit"})
        EXPECT_NE(s->Find(QString::fromLatin1(name)), nullptr) << name;
}

} // namespace
