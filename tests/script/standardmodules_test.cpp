// The standard and report modules inside a program's own script:
// questions through the message-box seam, freeing host-owned objects,
// and the report enumerations equal to the model's tables.
#include "platform/commondialogseam.h"
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

// Answers the colour, font and printer dialogs as a user would.
class AnsweringDialogs : public bralvo::platform::CommonDialogSeam {
public:
    AnsweringDialogs() { m_previous = bralvo::platform::setCommonDialogSeam(this); }
    ~AnsweringDialogs() override { bralvo::platform::setCommonDialogSeam(m_previous); }
    std::optional<int> chooseColor(int initial) override
    {
        asked.append(QStringLiteral("color %1").arg(initial));
        return 0x00FF00;
    }
    std::optional<bralvo::platform::FontChoice> chooseFont(const bralvo::platform::FontChoice &initial) override
    {
        asked.append(QStringLiteral("font %1 %2").arg(initial.name).arg(initial.size));
        return bralvo::platform::FontChoice{QStringLiteral("DejaVu Sans"), 12, 1, initial.color};
    }
    bool choosePrinter(bool setupOnly) override
    {
        asked.append(setupOnly ? QStringLiteral("setup") : QStringLiteral("print"));
        return !setupOnly;
    }
    QStringList asked;

private:
    bralvo::platform::CommonDialogSeam *m_previous = nullptr;
};

TEST(StandardModules, ColourFontAndPrinterDialogsGiveTheUsersChoice)
{
    AnsweringDialogs dialogs;
    auto s = pascal(QStringLiteral(
        "var c: TColorDialog; f: TFontDialog; p: TPrintDialog; u: TPrinterSetupDialog;\n"
        "  okColor, okFont, okPrint, okSetup: Boolean; color, size, style: Integer; name: String;\n"
        "begin\n  c := TColorDialog.Create(nil);\n  c.Color := clRed;\n  okColor := c.Execute;\n  color := c.Color;\n"
        "  f := TFontDialog.Create(nil);\n  f.Font.Name := 'Arial';\n  f.Font.Size := 9;\n  okFont := f.Execute;\n"
        "  name := f.Font.Name;\n  size := f.Font.Size;\n  style := 0;\n  if fsBold in f.Font.Style then style := 1;\n"
        "  p := TPrintDialog.Create(nil);\n  okPrint := p.Execute;\n"
        "  u := TPrinterSetupDialog.Create(nil);\n  okSetup := u.Execute;\nend."));
    s->Execute();
    EXPECT_EQ(dialogs.asked, QStringList({"color 255", "font Arial 9", "print", "setup"}));
    EXPECT_TRUE(valueOf(*s, QStringLiteral("okColor")).toBool());
    EXPECT_EQ(valueOf(*s, QStringLiteral("color")).toInt(), 0x00FF00);
    EXPECT_TRUE(valueOf(*s, QStringLiteral("okFont")).toBool());
    EXPECT_EQ(valueOf(*s, QStringLiteral("name")).toString(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(valueOf(*s, QStringLiteral("size")).toInt(), 12);
    EXPECT_EQ(valueOf(*s, QStringLiteral("style")).toInt(), 1);
    EXPECT_TRUE(valueOf(*s, QStringLiteral("okPrint")).toBool());
    EXPECT_FALSE(valueOf(*s, QStringLiteral("okSetup")).toBool());
}

} // namespace
