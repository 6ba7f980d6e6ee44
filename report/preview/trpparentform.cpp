// The hidden parent window of loose dialog controls.
#include "report/preview/trpparentform.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

namespace bralvo::report {

namespace {

QPointer<QWidget> &parentForm()
{
    static QPointer<QWidget> form;
    return form;
}

} // namespace

QWidget *GetParentForm()
{
    QPointer<QWidget> &form = parentForm();
    if (!form) {
        form = new QWidget(nullptr);
        form->setObjectName(QStringLiteral("ParentForm"));
        form->setAttribute(Qt::WA_DontShowOnScreen);
        form->winId(); // the window exists at once, as controls expect a parent window
        qAddPostRoutine(ClearParentForm);
    }
    return form;
}

void ClearParentForm()
{
    QPointer<QWidget> &form = parentForm();
    if (!form)
        return;
    for (QWidget *child : form->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setParent(nullptr);
    delete form.data();
    form = nullptr;
}

} // namespace bralvo::report
