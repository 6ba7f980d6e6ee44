// The standard controls of dialog pages: a label, an edit, a check box and
// a button. A button with a ModalResult ends its dialog page's modal run
// with that result when it is clicked.
#pragma once

#include "report/model/trpdialogpage.h"

namespace bralvo::report {

class TrpLabelControl : public TrpDialogControl {
    BRALVO_CLASS(TrpLabelControl)
public:
    explicit TrpLabelControl(platform::Component *owner);
};

class TrpEditControl : public TrpDialogControl {
    BRALVO_CLASS(TrpEditControl)
public:
    explicit TrpEditControl(platform::Component *owner);
    QString Text() const { return Caption(); }
    void SetText(const QString &v) { SetCaption(v); }
};

class TrpCheckBoxControl : public TrpDialogControl {
    BRALVO_CLASS(TrpCheckBoxControl)
public:
    explicit TrpCheckBoxControl(platform::Component *owner);
    bool Checked() const;
    void SetChecked(bool v);

private:
    bool m_checked = false;
};

class TrpButtonControl : public TrpDialogControl {
    BRALVO_CLASS(TrpButtonControl)
public:
    explicit TrpButtonControl(platform::Component *owner);
    int ModalResult() const { return m_modalResult; }
    void SetModalResult(int v) { m_modalResult = v; }
    // Enter presses the default button, Esc the cancel button.
    bool Default() const { return m_default; }
    void SetDefault(bool v);
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool v) { m_cancel = v; }

    // The click: the script's OnClick, then the page's modal result.
    void Press();

private:
    void endModalRun();

    int m_modalResult = 0;
    bool m_default = false, m_cancel = false;
};

// Registers the four classes for loading by name.
void registerDialogControlClasses();

} // namespace bralvo::report
