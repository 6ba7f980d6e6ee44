// Forms and controls a script creates: real Qt widgets behind handle
// targets. A control object owns its widget; a widget whose form went
// first (Qt deletes children with their parent) is simply gone, and the
// control's members then do nothing and read as empty.
//
// Events: the control fires its bound script events (OnClick, OnChange,
// OnEnter, ...) from the widget's signals; TButton.Click fires OnClick as
// a press of the button would.
#pragma once

#include "script/bindings/tschostobjects.h"
#include "script/tscevents.h"

#include <QPointer>
#include <QWidget>

namespace bralvo::script {

class TscControlObject : public TscHostObject, public TscEventHost {
public:
    // Makes the widget for className (TForm, TButton, TLabel, TEdit,
    // TMemo, TCheckBox, TRadioButton, TGroupBox, TComboBox, TListBox,
    // TScrollBox, TPanel; anything else a plain widget). A form is a
    // top-level window; a control gets a parent through Parent.
    TscControlObject(const QString &className, platform::HandleTarget *owner);
    ~TscControlObject() override;

    QWidget *Widget() const { return m_widget; }
    bool IsForm() const { return m_isForm; }

    QString Caption() const;
    void SetCaption(const QString &text);
    QString Text() const;
    void SetText(const QString &text);
    bool Checked() const;
    void SetChecked(bool on);
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The control's parent control (a handle), 0 when none.
    qint64 ParentHandle() const { return m_parent; }
    // Reparents the widget; 0 takes it off its parent.
    void SetParentHandle(qint64 handle);
    void Click();
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int result);
    int ShowModal();

    // Fires a notify event bound under eventName.
    void fireNotify(const QString &eventName);

private:
    void connectSignals();

    QPointer<QWidget> m_widget;
    bool m_isForm = false;
    qint64 m_parent = 0;
    qint64 m_owner = 0;
    int m_modalResult = 0;
};

// The first form a script created that is still alive, for tools that
// take a picture of it; nullptr when none.
QWidget *firstScriptForm();

} // namespace bralvo::script
