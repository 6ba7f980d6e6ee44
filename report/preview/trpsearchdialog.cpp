// The preview's search dialog.
#include "report/preview/trpsearchdialog.h"

#include "report/model/trpresources.h"
#include "report/preview/mirroredgeometry.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace bralvo::report {

QString &LastSearchText()
{
    static QString text;
    return text;
}

namespace {

template <typename T>
T *make(QWidget *parent, const char *name, const QRect &geometry)
{
    T *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    placeMirrored(w, geometry);
    return w;
}

} // namespace

TrpSearchDialog::TrpSearchDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TrpSearchDialog"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(340, 150);
    TrpResources &res = GetResources();
    setWindowTitle(res.Get(QStringLiteral("300")));
    ReplacePanel = make<QWidget>(this, "ReplacePanel", QRect(0, 0, 0, 0));
    ReplacePanel->hide();
    ReplaceL = make<QLabel>(ReplacePanel, "ReplaceL", QRect(8, 4, 200, 16));
    ReplaceL->setText(res.Get(QStringLiteral("303")));
    ReplaceE = make<QLineEdit>(ReplacePanel, "ReplaceE", QRect(8, 20, 320, 21));
    Panel2 = make<QWidget>(this, "Panel2", QRect(0, 0, 340, 52));
    TextL = make<QLabel>(Panel2, "TextL", QRect(8, 8, 320, 16));
    TextL->setText(res.Get(QStringLiteral("301")));
    TextE = make<QLineEdit>(Panel2, "TextE", QRect(8, 26, 324, 21));
    Panel3 = make<QWidget>(this, "Panel3", QRect(0, 52, 340, 98));
    SearchL = make<QGroupBox>(Panel3, "SearchL", QRect(8, 4, 230, 84));
    SearchL->setTitle(res.Get(QStringLiteral("302")));
    TopCB = make<QCheckBox>(SearchL, "TopCB", QRect(8, 20, 214, 20));
    TopCB->setText(res.Get(QStringLiteral("304")));
    CaseCB = make<QCheckBox>(SearchL, "CaseCB", QRect(8, 46, 214, 20));
    CaseCB->setText(res.Get(QStringLiteral("305")));
    OkB = make<QPushButton>(Panel3, "OkB", QRect(252, 10, 80, 25));
    OkB->setText(res.Get(QStringLiteral("1")));
    OkB->setDefault(true);
    CancelB = make<QPushButton>(Panel3, "CancelB", QRect(252, 42, 80, 25));
    CancelB->setText(res.Get(QStringLiteral("2")));
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

void TrpSearchDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    TextE->setText(LastSearchText());
    TextE->setFocus();
    TextE->selectAll();
}

void TrpSearchDialog::done(int result)
{
    if (result == QDialog::Accepted)
        LastSearchText() = TextE->text();
    QDialog::done(result);
}

void TrpSearchDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        GetResources().ShowHelp(QStringLiteral("TrpSearchDialog"));
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace bralvo::report
