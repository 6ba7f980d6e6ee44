// Events of dialog pages and their controls, passed to the report-script
// procedures their event properties name. The page itself stands for
// the window as the sender (scripts cannot hold the window).
#include "report/model/trpdialogpage.h"

#include "report/model/trpreport.h"

namespace bralvo::report {

namespace {

platform::Variant arrayOf(const QList<platform::Variant> &items)
{
    platform::Variant a = platform::Variant::createArray({platform::VarArrayBound{0, items.size() - 1}},
                                                         platform::varVariant);
    for (int i = 0; i < items.size(); ++i)
        a.setElement(i, items.at(i));
    return a;
}

platform::Variant handleOf(platform::HandleTarget *obj)
{
    return platform::Variant(platform::HandleRegistry::handleOf(obj));
}

// Runs Name with Params; false when the object belongs to no report or
// no procedure is named.
bool run(TrpComponent *sender, const QString &name, platform::Variant &params)
{
    TrpReport *report = sender->Report();
    if (!report || name.trimmed().isEmpty())
        return false;
    report->RunScriptEventParams(name, params, true);
    return true;
}

bool truthOf(const platform::Variant &v)
{
    return !v.isNull() && !v.isEmpty() && v.toBool();
}

} // namespace

void TrpDialogPage::DoEvent(DialogEvent event)
{
    QString name;
    switch (event) {
    case DialogEvent::Activate: name = OnActivate(); break;
    case DialogEvent::Click: name = OnClick(); break;
    case DialogEvent::Deactivate: name = OnDeactivate(); break;
    case DialogEvent::Hide: name = OnHide(); break;
    case DialogEvent::Resize: name = OnResize(); break;
    case DialogEvent::Show: name = OnShow(); break;
    }
    platform::Variant params = arrayOf({handleOf(this)});
    run(this, name, params);
}

void TrpDialogPage::DoCloseQuery(bool &canClose)
{
    platform::Variant params = arrayOf({handleOf(this), platform::Variant(canClose)});
    if (run(this, OnCloseQuery(), params))
        canClose = truthOf(params.element(1));
}

void TrpDialogPage::DoKey(bool down, int &key, int shift)
{
    platform::Variant params = arrayOf({handleOf(this), platform::Variant(key), platform::Variant(shift)});
    if (run(this, down ? OnKeyDown() : OnKeyUp(), params))
        key = params.element(1).toInt();
}

void TrpDialogPage::DoKeyPress(QChar &key)
{
    platform::Variant params = arrayOf({handleOf(this), platform::Variant(QString(key))});
    if (run(this, OnKeyPress(), params)) {
        const QString back = params.element(1).toString();
        key = back.isEmpty() ? QChar(0) : back.at(0);
    }
}

void TrpDialogControl::DoClick(bool doubleClick)
{
    platform::Variant params = arrayOf({handleOf(this)});
    run(this, doubleClick ? OnDblClick() : OnClick(), params);
}

void TrpDialogControl::DoEnter(bool enter)
{
    platform::Variant params = arrayOf({handleOf(this)});
    run(this, enter ? OnEnter() : OnExit(), params);
}

void TrpDialogControl::DoKey(bool down, int &key, int shift)
{
    platform::Variant params = arrayOf({handleOf(this), platform::Variant(key), platform::Variant(shift)});
    if (run(this, down ? OnKeyDown() : OnKeyUp(), params))
        key = params.element(1).toInt();
}

void TrpDialogControl::DoKeyPress(QChar &key)
{
    platform::Variant params = arrayOf({handleOf(this), platform::Variant(QString(key))});
    if (run(this, OnKeyPress(), params)) {
        const QString back = params.element(1).toString();
        key = back.isEmpty() ? QChar(0) : back.at(0);
    }
}

void TrpDialogControl::DoMouse(bool down, int button, int shift, int x, int y)
{
    platform::Variant params = arrayOf({handleOf(this), platform::Variant(button), platform::Variant(shift),
                                        platform::Variant(x), platform::Variant(y)});
    run(this, down ? OnMouseDown() : OnMouseUp(), params);
}

void TrpDialogControl::DoMouseMove(int shift, int x, int y)
{
    platform::Variant params =
        arrayOf({handleOf(this), platform::Variant(shift), platform::Variant(x), platform::Variant(y)});
    run(this, OnMouseMove(), params);
}

} // namespace bralvo::report
