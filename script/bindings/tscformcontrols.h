// Forms and controls a script creates: real Qt widgets behind handle
// targets. A control object owns its widget; a widget whose form went
// first (Qt deletes children with their parent) is simply gone, and the
// control's members then do nothing and read as empty.
//
// Events: the control fires its bound script events from the widget:
// clicks, double clicks, mouse buttons and moves, resizes, focus entering
// and leaving, keys (a handler's Key comes back), a combo's drop-down and
// close-up; a form also its activation, showing, hiding, painting (on its
// Canvas), OnCloseQuery (CanClose comes back) and OnClose (Action comes
// back). A script error raised by a handler that Qt called ends a running
// ShowModal and is raised by it. OnCreate fires once, before the form
// first shows (a script binds it only after Create).
#pragma once

#include "script/bindings/tscgraphicsmodule.h"
#include "script/bindings/tschostobjects.h"
#include "script/tscevents.h"

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <memory>

class QEventLoop;

namespace bralvo::platform {
class ControlEventRouter;
}

namespace bralvo::script {

class TscControlObject;

// A control's Items (combo and list box) or Lines (memo): changes by the
// script show in the widget.
class TscControlStrings : public TscStrings {
public:
    explicit TscControlStrings(TscControlObject &control) : m_control(control) {}
    void Changed() override;

private:
    TscControlObject &m_control;
};

class TscControlObject : public TscComponentObject, public TscEventHost {
public:
    // Makes the widget for className (TForm, TButton, TLabel, TEdit,
    // TMemo, TCheckBox, TRadioButton, TGroupBox, TComboBox, TListBox,
    // TScrollBox, TPanel; anything else a plain widget). A form is a
    // top-level window; a control gets a parent through Parent.
    TscControlObject(const QString &className, platform::HandleTarget *owner);
    // A form fires OnDestroy.
    ~TscControlObject() override;

    QWidget *Widget() const { return m_widget; }
    bool IsForm() const { return m_isForm; }
    // The control object of a widget; nullptr when none.
    static TscControlObject *of(const QWidget *widget);

    QString Caption() const;
    void SetCaption(const QString &text);
    QString Text() const;
    void SetText(const QString &text);
    bool Checked() const;
    void SetChecked(bool on);
    // TCheckBoxState: 0 unchecked, 1 checked, 2 grayed.
    int State() const;
    void SetState(int state);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The control's parent control (a handle), 0 when none.
    qint64 ParentHandle() const { return m_parent; }
    // Reparents the widget; 0 takes it off its parent.
    void SetParentHandle(qint64 handle);
    // OnCanResize decides (and may change the size) first.
    void SetBounds(QRect bounds);

    // Presses the control: a button's OnClick, then its ModalResult goes
    // to its form.
    void Click();
    // Combo and list box items, memo lines; nullptr for other controls.
    TscControlStrings *Items();
    void syncItems();

    // Form: setting a result other than 0 while ShowModal runs asks
    // OnCloseQuery and OnClose and then ends ShowModal with it.
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result);
    int ShowModal();
    void Show();
    // As the user's close: OnCloseQuery, OnClose, then the window hides
    // (a modal one ends with mrCancel).
    void Close();
    TscCanvasObject &Canvas() { return m_canvas; }

    // Style kept by the control and applied to its widget.
    TscFontObject &Font() { return m_font; }
    void ApplyFont();
    int Color() const { return m_color; }
    void SetColor(int color);
    int Align() const { return m_align; }
    void SetAlign(int align);
    int TabOrder() const { return m_tabOrder; }
    void SetTabOrder(int order);
    bool KeyPreview() const { return m_keyPreview; }
    void SetKeyPreview(bool on) { m_keyPreview = on; }
    int BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(int style);
    int Position() const { return m_position; }
    void SetPosition(int position) { m_position = position; }
    int ButtonResult() const { return m_buttonResult; }
    void SetButtonResult(int result) { m_buttonResult = result; }
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool on) { m_cancel = on; }

    // Fires a notify event bound under eventName.
    void fireNotify(const QString &eventName);

private:
    friend class TscControlStrings;
    void connectSignals();
    void routeEvents();
    void routeFormEvents();
    bool closeQuery();
    void endModal();
    void beforeFirstShow();
    void placeForm();
    void layoutAligned();
    // Runs a handler Qt called; an error is kept for ShowModal or the
    // script call that caused the event, else shown in an error box.
    void guarded(const std::function<void()> &event);
    void reportLeftFailure();
    TscControlObject *form();

    QPointer<QWidget> m_widget;
    platform::ControlEventRouter *m_router = nullptr;  // a child of the widget
    bool m_isForm = false;
    qint64 m_parent = 0;
    int m_modalResult = 0;
    QEventLoop *m_loop = nullptr;
    bool m_created = false;
    std::exception_ptr m_failure;
    std::unique_ptr<TscControlStrings> m_items;
    QImage m_canvasImage;
    TscCanvasObject m_canvas{&m_canvasImage};
    TscFontObject m_font;
    int m_color;
    int m_align = 0;
    int m_tabOrder = -1;
    bool m_keyPreview = false;
    int m_borderStyle = 2;
    int m_position = 0;
    int m_buttonResult = 0;
    bool m_cancel = false;
};

// The first form a script created that is still alive, for tools that
// take a picture of it; nullptr when none.
QWidget *firstScriptForm();

// The control a script object stands for, and its widget; a script
// object of another class, or one whose widget is gone, raises
// InvalidHandleError.
TscControlObject &controlOf(platform::HandleTarget *obj);
QWidget &widgetOf(platform::HandleTarget *obj);
template <class W>
W &widgetAs(platform::HandleTarget *obj)
{
    auto *w = qobject_cast<W *>(&widgetOf(obj));
    if (!w)
        throw platform::InvalidHandleError();
    return *w;
}

} // namespace bralvo::script
