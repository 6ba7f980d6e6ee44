// TScrunButton: script events fired by the host.
#include "tools/scrun/scrunevents.h"

#include "platform/handleregistry.h"
#include "platform/variant.h"
#include "script/tscclassvariable.h"
#include "script/tscevents.h"
#include "script/tscscript.h"

#include <QHash>
#include <memory>

namespace bralvo::scrun {

using platform::HandleTarget;
using platform::Variant;
using script::TscMethodHelper;

namespace {

class ScrunButton : public HandleTarget, public script::TscEventHost {
public:
    QString scriptClassName() const override { return QStringLiteral("TScrunButton"); }

    template <class Event>
    Event *event(const char *name) const
    {
        return ScriptEventAs<Event>(QLatin1String(name));
    }
    void click()
    {
        ++clicks;
        if (auto *e = event<script::TscNotifyEvent>("OnClick"))
            e->Call(this);
    }

    int clicks = 0;
};

ScrunButton &button1()
{
    static ScrunButton button;
    return button;
}

// Buttons the script created; they live as long as the process.
std::vector<std::unique_ptr<ScrunButton>> &createdButtons()
{
    static std::vector<std::unique_ptr<ScrunButton>> buttons;
    return buttons;
}

ScrunButton &self(HandleTarget *obj) { return *static_cast<ScrunButton *>(obj); }
int param(TscMethodHelper &h, int i) { return int(h.GetParamValue(i).toInt64()); }

void addEvents(script::TscClassVariable &cls)
{
    using namespace script;
    cls.AddEvent(QStringLiteral("OnClick"), &createScriptEvent<TscNotifyEvent>);
    cls.AddEvent(QStringLiteral("OnKeyPress"), &createScriptEvent<TscKeyPressEvent>);
    cls.AddEvent(QStringLiteral("OnKeyDown"), &createScriptEvent<TscKeyEvent>);
    cls.AddEvent(QStringLiteral("OnCloseQuery"), &createScriptEvent<TscCloseQueryEvent>);
    cls.AddEvent(QStringLiteral("OnMouseDown"), &createScriptEvent<TscMouseEvent>);
}

Variant pressKey(HandleTarget *obj, TscMethodHelper &h)
{
    const QString text = h.GetParamValue(0).toString();
    QChar key = text.isEmpty() ? QChar(0) : text.front();
    if (auto *e = self(obj).event<script::TscKeyPressEvent>("OnKeyPress"))
        e->Call(obj, key);
    return Variant(QString(key));
}

Variant keyDown(HandleTarget *obj, TscMethodHelper &h)
{
    quint16 key = quint16(param(h, 0));
    if (auto *e = self(obj).event<script::TscKeyEvent>("OnKeyDown"))
        e->Call(obj, key, param(h, 1));
    return Variant(int(key));
}

Variant closeQuery(HandleTarget *obj)
{
    bool canClose = true;
    if (auto *e = self(obj).event<script::TscCloseQueryEvent>("OnCloseQuery"))
        e->Call(obj, canClose);
    return Variant(canClose);
}

Variant mouseDown(HandleTarget *obj, TscMethodHelper &h)
{
    if (auto *e = self(obj).event<script::TscMouseEvent>("OnMouseDown"))
        e->Call(obj, param(h, 0), param(h, 1), param(h, 2), param(h, 3));
    return Variant::null();
}

void addMethods(script::TscClassVariable &cls)
{
    cls.AddConstructor(QStringLiteral("constructor Create"),
                       [](HandleTarget *, const QString &, const QString &, TscMethodHelper &) {
                           createdButtons().push_back(std::make_unique<ScrunButton>());
                           return Variant(createdButtons().back()->handle());
                       });
    cls.AddMethod(QStringLiteral("procedure Click"),
                  [](HandleTarget *obj, const QString &, const QString &, TscMethodHelper &) {
                      self(obj).click();
                      return Variant::null();
                  });
    cls.AddMethod(QStringLiteral("function PressKey(Key: String): String"),
                  [](HandleTarget *obj, const QString &, const QString &, TscMethodHelper &h) {
                      return pressKey(obj, h);
                  });
    cls.AddMethod(QStringLiteral("function KeyDown(Key: Integer; Shift: Integer): Integer"),
                  [](HandleTarget *obj, const QString &, const QString &, TscMethodHelper &h) {
                      return keyDown(obj, h);
                  });
    cls.AddMethod(QStringLiteral("function CloseQuery: Boolean"),
                  [](HandleTarget *obj, const QString &, const QString &, TscMethodHelper &) {
                      return closeQuery(obj);
                  });
    cls.AddMethod(QStringLiteral("procedure MouseDown(Button: Integer; Shift: Integer; X: Integer; Y: Integer)"),
                  [](HandleTarget *obj, const QString &, const QString &, TscMethodHelper &h) {
                      return mouseDown(obj, h);
                  });
    cls.AddProperty(QStringLiteral("Clicks"), QStringLiteral("Integer"),
                    [](HandleTarget *obj, const QString &, const QString &) { return Variant(self(obj).clicks); });
}

} // namespace

void registerEventHost(script::TscScript &script)
{
    script::TscClassVariable *cls = script.AddClass(QStringLiteral("TScrunButton"), QStringLiteral("TObject"));
    if (!cls)
        return;
    addEvents(*cls);
    addMethods(*cls);
    script.AddObject(QStringLiteral("Button1"), &button1(), QStringLiteral("TScrunButton"));
}

void clickButton1AfterRun()
{
    if (button1().event<script::TscNotifyEvent>("OnClick"))
        button1().click();
}

} // namespace bralvo::scrun
