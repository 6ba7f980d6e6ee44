// Script procedures bound to host events: binding by name, unbinding,
// values written back by the handler, re-entrancy, refused names.
#include "platform/handleregistry.h"
#include "script/runtimeerror.h"
#include "script/tscclassvariable.h"
#include "script/tscevents.h"
#include "script/tscscript.h"

#include <gtest/gtest.h>

using namespace bralvo;
using namespace bralvo::script;
using platform::Variant;

namespace {

// A control whose events a script can bind.
struct Button : platform::HandleTarget, TscEventHost {
    QString scriptClassName() const override { return QStringLiteral("TButton"); }
    template <class Event>
    Event *event(const char *name) const
    {
        return ScriptEventAs<Event>(QLatin1String(name));
    }
    void click()
    {
        if (auto *e = event<TscNotifyEvent>("OnClick"))
            e->Call(this);
    }
};

struct EventHost {
    TscScript script;
    Button button;

    explicit EventHost(const QString &program)
    {
        script.AddRTTI();
        TscClassVariable *cls = script.AddClass(QStringLiteral("TButton"), QString());
        cls->AddEvent(QStringLiteral("OnClick"), &createScriptEvent<TscNotifyEvent>);
        cls->AddEvent(QStringLiteral("OnKeyPress"), &createScriptEvent<TscKeyPressEvent>);
        cls->AddEvent(QStringLiteral("OnKeyDown"), &createScriptEvent<TscKeyEvent>);
        cls->AddEvent(QStringLiteral("OnCloseQuery"), &createScriptEvent<TscCloseQueryEvent>);
        cls->AddEvent(QStringLiteral("OnCanResize"), &createScriptEvent<TscCanResizeEvent>);
        cls->AddMethod(QStringLiteral("procedure Click"),
                       [](platform::HandleTarget *obj, const QString &, const QString &, TscMethodHelper &) {
                           static_cast<Button *>(obj)->click();
                           return Variant::null();
                       });
        script.AddObject(QStringLiteral("Button1"), &button, QStringLiteral("TButton"));
        script.AddVariable(QStringLiteral("Log"), QStringLiteral("String"), Variant(QString()));
        script.SetLines(program.split(QLatin1Char('\n')));
        if (!script.Compile())
            ADD_FAILURE() << script.ErrorText.toStdString() << " at " << script.ErrorPosition.toStdString();
    }
    QString log() { return script.Find(QStringLiteral("Log"))->GetValue().toString(); }
};

const char *handlers =
    "procedure Clicked(Sender: Variant);\n"
    "begin Log := Log + 'click;'; Button1.Click end;\n"
    "procedure KeyPressed(Sender: Variant; var Key: Char);\n"
    "begin Log := Log + Key + ';'; if Key = 'a' then Key := #0 end;\n"
    "procedure KeyDown(Sender: Variant; var Key: Integer; Shift: Integer);\n"
    "begin Key := Key + Shift end;\n"
    "procedure CloseQuery(Sender: Variant; var CanClose: Boolean);\n"
    "begin CanClose := False end;\n"
    "procedure CanResize(Sender: Variant; var W, H: Integer; var Resize: Boolean);\n"
    "begin W := W * 2; H := 7; Resize := False end;\n";

TEST(ScriptEvents, BoundProceduresRunAndWriteBack)
{
    EventHost host(QLatin1String(handlers)
                   + QStringLiteral("begin Button1.OnClick := 'Clicked'; Button1.OnKeyPress := 'KeyPressed';\n"
                                    "Button1.OnKeyDown := 'KeyDown'; Button1.OnCloseQuery := 'CloseQuery';\n"
                                    "Button1.OnCanResize := 'CanResize' end."));
    host.script.Execute();

    // A click whose handler clicks again runs the handler once.
    host.button.click();
    EXPECT_EQ(host.log().toStdString(), "click;");

    QChar key = u'a';
    host.button.event<TscKeyPressEvent>("OnKeyPress")->Call(&host.button, key);
    EXPECT_EQ(key, QChar(0));
    key = u'b';
    host.button.event<TscKeyPressEvent>("OnKeyPress")->Call(&host.button, key);
    EXPECT_EQ(key, QChar(u'b'));

    quint16 code = 40;
    host.button.event<TscKeyEvent>("OnKeyDown")->Call(&host.button, code, 2);
    EXPECT_EQ(code, 42);

    bool canClose = true;
    host.button.event<TscCloseQueryEvent>("OnCloseQuery")->Call(&host.button, canClose);
    EXPECT_FALSE(canClose);

    int w = 10, h = 20;
    bool resize = true;
    host.button.event<TscCanResizeEvent>("OnCanResize")->Call(&host.button, w, h, resize);
    EXPECT_EQ(w, 20);
    EXPECT_EQ(h, 7);
    EXPECT_FALSE(resize);
    EXPECT_EQ(host.log().toStdString(), "click;a;b;");
}

TEST(ScriptEvents, NilUnbindsAndReadingGivesTheEmptyText)
{
    EventHost host(QStringLiteral("procedure Clicked(Sender: Variant); begin Log := Log + 'x' end;\n"
                                  "begin Button1.OnClick := 'Clicked'; Log := '[' + Button1.OnClick + ']';\n"
                                  "Button1.OnClick := nil end."));
    host.script.Execute();
    EXPECT_EQ(host.log().toStdString(), "[]");
    EXPECT_EQ(host.button.ScriptEvent(QStringLiteral("OnClick")), nullptr);
    host.button.click();
    EXPECT_EQ(host.log().toStdString(), "[]");
}

TEST(ScriptEvents, NameThatIsNoProcedureRaisesAndLeavesTheEventBound)
{
    EventHost host(QStringLiteral("procedure Clicked(Sender: Variant); begin Log := Log + 'x' end;\n"
                                  "begin Button1.OnClick := 'Clicked';\n"
                                  "try Button1.OnClick := 'Log' except Log := ExceptionMessage end;\n"
                                  "Button1.OnClick := 'Missing' end."));
    try {
        host.script.Execute();
        ADD_FAILURE() << "binding a missing procedure did not raise";
    } catch (const ScriptRuntimeError &error) {
        EXPECT_EQ(error.userText().toStdString(), "Event handler must be a procedure");
    }
    EXPECT_EQ(host.log().toStdString(), "Event handler must be a procedure");
    host.button.click();
    EXPECT_EQ(host.log().toStdString(), "Event handler must be a procedurex");
}

TEST(ScriptEvents, HandlerErrorsReachTheHostThatFired)
{
    EventHost host(QStringLiteral("procedure Clicked(Sender: Variant); begin RaiseException('boom') end;\n"
                                  "begin Button1.OnClick := 'Clicked' end."));
    host.script.Execute();
    EXPECT_THROW(host.button.click(), ScriptRuntimeError);
    // The handler is not left marked as running.
    EXPECT_THROW(host.button.click(), ScriptRuntimeError);
}

TEST(ScriptEvents, ClearingTheScriptUnbindsItsAdaptersFromLiveHosts)
{
    EventHost host(QStringLiteral("procedure Clicked(Sender: Variant); begin end;\n"
                                  "begin Button1.OnClick := 'Clicked'; Button1.OnClick := 'Clicked' end."));
    const int before = host.script.Count();
    host.script.Execute();
    EXPECT_EQ(host.script.Count(), before + 2); // replaced adapters stay until cleared
    ASSERT_NE(host.button.ScriptEvent(QStringLiteral("OnClick")), nullptr);
    host.script.Clear();
    EXPECT_EQ(host.button.ScriptEvent(QStringLiteral("OnClick")), nullptr);
    host.button.click(); // nothing bound: no call into a freed adapter
    EXPECT_NE(host.script.Find(QStringLiteral("IntToStr")), nullptr);
}

} // namespace
