// The password prompt of protected report definitions.
#include "report/preview/trppasswordform.h"

#include "report/model/trpresources.h"
#include "report/preview/mirroredgeometry.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace bralvo::report {

TrpPasswordForm::TrpPasswordForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TrpPasswordForm"));
    setFixedSize(252, 92);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    TrpResources &res = GetResources();
    setWindowTitle(res.Get(QStringLiteral("5000")));
    Image = new QLabel(this);
    Image->setObjectName(QStringLiteral("Image"));
    Image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    placeMirrored(Image, QRect(8, 8, 32, 32));
    PasswordL = new QLabel(res.Get(QStringLiteral("5001")), this);
    PasswordL->setObjectName(QStringLiteral("PasswordL"));
    placeMirrored(PasswordL, QRect(48, 8, 196, 16));
    PasswordE = new QLineEdit(this);
    PasswordE->setObjectName(QStringLiteral("PasswordE"));
    PasswordE->setEchoMode(QLineEdit::Password);
    PasswordE->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    placeMirrored(PasswordE, QRect(48, 26, 196, 21));
    OkB = new QPushButton(res.Get(QStringLiteral("1")), this);
    OkB->setObjectName(QStringLiteral("OkB"));
    OkB->setDefault(true);
    placeMirrored(OkB, QRect(88, 58, 75, 25));
    CancelB = new QPushButton(res.Get(QStringLiteral("2")), this);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    placeMirrored(CancelB, QRect(169, 58, 75, 25));
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
    PasswordE->setFocus();
}

std::optional<QString> TrpPasswordForm::Ask()
{
    TrpPasswordForm form(QApplication::activeWindow());
    if (form.exec() != QDialog::Accepted)
        return std::nullopt;
    return form.PasswordE->text();
}

} // namespace bralvo::report
