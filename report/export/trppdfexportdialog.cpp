#include "report/export/trppdfexportdialog.h"

#include "report/model/trpresources.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace bralvo::report {

namespace {

TrpPDFExportDialog::Runner &runner()
{
    static TrpPDFExportDialog::Runner r;
    return r;
}

template <class W, class... A>
W *named(QWidget *parent, const char *name, A &&...args)
{
    auto *w = new W(std::forward<A>(args)..., parent);
    w->setObjectName(QLatin1String(name));
    return w;
}

QString text(int id)
{
    return GetResources().GetResourceTextById(id);
}

} // namespace

TrpPDFExportDialog::TrpPDFExportDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TrpPDFExportDialog"));
    OkB = named<QPushButton>(this, "OkB");
    CancelB = named<QPushButton>(this, "CancelB");
    GroupPageRange = named<QGroupBox>(this, "GroupPageRange");
    DescrL = named<QLabel>(GroupPageRange, "DescrL");
    DescrL->setWordWrap(true);
    AllRB = named<QRadioButton>(GroupPageRange, "AllRB");
    AllRB->setChecked(true);
    CurPageRB = named<QRadioButton>(GroupPageRange, "CurPageRB");
    PageNumbersRB = named<QRadioButton>(GroupPageRange, "PageNumbersRB");
    PageNumbersE = named<QLineEdit>(GroupPageRange, "PageNumbersE");
    // Only digits, "," and "-" can be typed into the range.
    PageNumbersE->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9,\\-]*")), PageNumbersE));
    connect(PageNumbersE, &QLineEdit::textEdited, this, [this] { PageNumbersRB->setChecked(true); });
    GroupQuality = named<QGroupBox>(this, "GroupQuality");
    CompressedCB = named<QCheckBox>(GroupQuality, "CompressedCB");
    EmbeddedCB = named<QCheckBox>(GroupQuality, "EmbeddedCB");
    PrintOptCB = named<QCheckBox>(GroupQuality, "PrintOptCB");
    OutlineCB = named<QCheckBox>(GroupQuality, "OutlineCB");
    BackgrCB = named<QCheckBox>(GroupQuality, "BackgrCB");
    OpenCB = named<QCheckBox>(this, "OpenCB");
    OkB->setDefault(true);
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
    setTexts();
    buildLayout();
    resize(278, 271);
}

void TrpPDFExportDialog::setTexts()
{
    setWindowTitle(text(8700));
    OkB->setText(text(1));
    CancelB->setText(text(2));
    GroupPageRange->setTitle(text(7));
    AllRB->setText(text(3));
    CurPageRB->setText(text(4));
    PageNumbersRB->setText(text(5));
    DescrL->setText(text(9));
    GroupQuality->setTitle(text(8));
    CompressedCB->setText(text(8701));
    EmbeddedCB->setText(text(8702));
    PrintOptCB->setText(text(8703));
    OutlineCB->setText(text(8704));
    BackgrCB->setText(text(8705));
    OpenCB->setText(text(8706));
    // Mirrored with a right-to-left application (Qt passes the direction on).
}

void TrpPDFExportDialog::buildLayout()
{
    auto *range = new QVBoxLayout(GroupPageRange);
    range->addWidget(AllRB);
    range->addWidget(CurPageRB);
    auto *numbers = new QHBoxLayout;
    numbers->addWidget(PageNumbersRB);
    numbers->addWidget(PageNumbersE);
    range->addLayout(numbers);
    range->addWidget(DescrL);
    auto *quality = new QVBoxLayout(GroupQuality);
    for (QCheckBox *box : {CompressedCB, EmbeddedCB, PrintOptCB, OutlineCB, BackgrCB})
        quality->addWidget(box);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OkB);
    buttons->addWidget(CancelB);
    auto *main = new QVBoxLayout(this);
    main->addWidget(GroupPageRange);
    main->addWidget(GroupQuality);
    main->addWidget(OpenCB);
    main->addLayout(buttons);
}

void TrpPDFExportDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        GetResources().ShowHelp(objectName());
        return;
    }
    QDialog::keyPressEvent(event);
}

int TrpPDFExportDialog::run()
{
    if (runner())
        return runner()(*this);
    return exec();
}

void TrpPDFExportDialog::SetRunner(Runner r)
{
    runner() = std::move(r);
}

} // namespace bralvo::report
