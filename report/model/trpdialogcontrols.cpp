// The standard dialog-page controls over Qt's label, line edit, check box
// and push button.
#include "report/model/trpdialogcontrols.h"

#include "platform/classregistry.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bralvo::report {

namespace {

template <class T>
T *typed(QWidget *control)
{
    return qobject_cast<T *>(control);
}

} // namespace

// --- TrpLabelControl

const platform::ClassInfo &TrpLabelControl::staticClass()
{
    using T = TrpLabelControl;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpLabelControl", &TrpDialogControl::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Caption", &T::Caption, &T::SetCaption);
            publishDialogControlEvents(b);
        });
    return info;
}

TrpLabelControl::TrpLabelControl(platform::Component *owner) : TrpDialogControl(owner)
{
    SetCaptionFollowsName(true);
    SetWidth(65);
    SetHeight(13);
    if (platformControlsAvailable())
        AttachControl(new QLabel);
}

// --- TrpEditControl

const platform::ClassInfo &TrpEditControl::staticClass()
{
    using T = TrpEditControl;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpEditControl", &TrpDialogControl::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Text", &T::Text, &T::SetText);
            publishDialogControlEvents(b);
        });
    return info;
}

TrpEditControl::TrpEditControl(platform::Component *owner) : TrpDialogControl(owner)
{
    SetWidth(121);
    SetHeight(21);
    if (platformControlsAvailable())
        AttachControl(new QLineEdit);
}

// --- TrpCheckBoxControl

const platform::ClassInfo &TrpCheckBoxControl::staticClass()
{
    using T = TrpCheckBoxControl;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpCheckBoxControl", &TrpDialogControl::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Caption", &T::Caption, &T::SetCaption);
            b.boolean("Checked", &T::Checked, &T::SetChecked, false);
            publishDialogControlEvents(b);
        });
    return info;
}

TrpCheckBoxControl::TrpCheckBoxControl(platform::Component *owner) : TrpDialogControl(owner)
{
    SetCaptionFollowsName(true);
    SetWidth(97);
    SetHeight(17);
    if (platformControlsAvailable())
        AttachControl(new QCheckBox);
}

bool TrpCheckBoxControl::Checked() const
{
    auto *box = typed<QCheckBox>(Control());
    return box ? box->isChecked() : m_checked;
}

void TrpCheckBoxControl::SetChecked(bool v)
{
    m_checked = v;
    if (auto *box = typed<QCheckBox>(Control()))
        box->setChecked(v);
}

// --- TrpButtonControl

const platform::ClassInfo &TrpButtonControl::staticClass()
{
    using T = TrpButtonControl;
    static const platform::ClassInfo info = platform::makeClassInfo(
        "TrpButtonControl", &TrpDialogControl::staticClass(), [](platform::Component *o) { return new T(o); },
        [](platform::PropertyTable &t) {
            platform::PropertyBuilder<T> b(t);
            b.string("Caption", &T::Caption, &T::SetCaption);
            b.boolean("Cancel", &T::Cancel, &T::SetCancel, false);
            b.boolean("Default", &T::Default, &T::SetDefault, false);
            b.integer("ModalResult", &T::ModalResult, &T::SetModalResult, 0);
            publishDialogControlEvents(b);
        });
    return info;
}

TrpButtonControl::TrpButtonControl(platform::Component *owner) : TrpDialogControl(owner)
{
    SetCaptionFollowsName(true);
    SetWidth(75);
    SetHeight(25);
    if (!platformControlsAvailable())
        return;
    auto *button = new QPushButton;
    button->setAutoDefault(false);
    AttachControl(button);
    // After the script's OnClick (connected first by AttachControl).
    QObject::connect(button, &QPushButton::clicked, button, [this] { endModalRun(); });
}

void TrpButtonControl::SetDefault(bool v)
{
    m_default = v;
    if (auto *button = typed<QPushButton>(Control()))
        button->setDefault(v);
}

void TrpButtonControl::Press()
{
    DoClick(false);
    endModalRun();
}

void TrpButtonControl::endModalRun()
{
    if (m_modalResult == 0)
        return;
    for (TrpComponent *c = Parent(); c; c = c->Parent()) {
        if (auto *page = dynamic_cast<TrpDialogPage *>(c)) {
            page->SetModalResult(m_modalResult);
            return;
        }
    }
}

void registerDialogControlClasses()
{
    static const bool done = [] {
        for (const platform::ClassInfo *c : {&TrpLabelControl::staticClass(), &TrpEditControl::staticClass(),
                                             &TrpCheckBoxControl::staticClass(), &TrpButtonControl::staticClass()})
            platform::registerClass(*c);
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace bralvo::report
