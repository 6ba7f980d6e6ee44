// The print dialog: its controls, the pictures it draws, and how it moves
// PrintOptions in and out.
#include "report/preview/trpprintdialog.h"

#include "platform/messageboxseam.h"
#include "platform/widgets/named.h"
#include "report/engine/trppagesprinter.h"
#include "report/engine/trpprinters.h"
#include "report/model/trpenginebases.h"
#include "report/model/trpoptions.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/preview/mirroredgeometry.h"
#include "report/preview/trpprinterproperties.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QStyle>

namespace bralvo::report {

using platform::named;

namespace {

QString text(int id) { return GetResources().GetResourceTextById(id); }
QString text(const char *key) { return GetResources().Get(QString::fromLatin1(key)); }

// A sheet with a page number, as the collate pictures show it.
void drawSheet(QPainter &p, int x, int y, int number)
{
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(x, y, 20, 26);
    p.drawText(QRect(x, y, 20, 26), Qt::AlignCenter, QString::number(number));
}

// Two stacks "1 2 3" when collated, else a stack of 1s and one of 2s.
class CollatePicture : public QWidget {
public:
    CollatePicture(QCheckBox *collate, QWidget *parent) : QWidget(parent), m_collate(collate) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        QFont f = font();
        f.setPixelSize(10);
        p.setFont(f);
        for (int stack = 0; stack < 2; ++stack)
            for (int i = 2; i >= 0; --i) {
                const int number = m_collate->isChecked() ? i + 1 : stack + 1;
                drawSheet(p, 2 + stack * 46 + i * 8, 2 + (2 - i) * 8, number);
            }
    }

private:
    QCheckBox *m_collate;
};

// The 64 x 32 picture of a print mode: pages (grey) on sheets (white).
QPixmap printModePicture(int mode)
{
    QPixmap pm(64, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::black);
    const auto sheet = [&p](const QRect &r) { p.setBrush(Qt::white); p.drawRect(r); };
    const auto page = [&p](const QRect &r) { p.setBrush(Qt::lightGray); p.drawRect(r); };
    switch (mode) {
    case pmSplit: page(QRect(2, 2, 26, 28)); sheet(QRect(36, 2, 12, 28)); sheet(QRect(50, 2, 12, 28)); break;
    case pmJoin: page(QRect(2, 8, 10, 14)); page(QRect(14, 8, 10, 14)); sheet(QRect(36, 6, 26, 20));
        page(QRect(38, 8, 10, 16)); page(QRect(50, 8, 10, 16)); break;
    case pmScale: page(QRect(2, 2, 22, 28)); sheet(QRect(40, 10, 16, 20)); page(QRect(42, 12, 12, 16)); break;
    default: page(QRect(2, 4, 18, 24)); sheet(QRect(40, 4, 18, 24)); page(QRect(42, 6, 14, 20)); break;
    }
    return pm;
}

} // namespace

TrpPrintDialog::TrpPrintDialog(TrpReport &report, TrpCustomPreviewPages *pages, QWidget *parent)
    : QDialog(parent), m_report(&report), m_pages(pages)
{
    setObjectName(QStringLiteral("TrpPrintDialog"));
    setFixedSize(557, 334);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setWindowTitle(text(200));
    if (isRightToLeftLocale())
        setLayoutDirection(Qt::RightToLeft);
    createControls();
    createLists();
    TrpPrinters &printers = rpPrinters();
    const QIcon printerIcon = style()->standardIcon(QStyle::SP_DriveNetIcon);
    for (const QString &name : printers.Names())
        PrintersCB->addItem(printerIcon, name);
    PrintersCB->setCurrentIndex(printers.PrinterIndex());
    PrintersCBClick();
    m_previousPrinterIndex = printers.PrinterIndex();
    loadOptions();
}

void TrpPrintDialog::createControls()
{
    Label12 = named(new QGroupBox(text(201), this), "Label12");
    placeMirrored(Label12, QRect(4, 4, 549, 73));
    NameL = named(new QLabel(text(212), Label12), "NameL");
    placeMirrored(NameL, QRect(8, 20, 48, 16));
    PrintersCB = named(new QComboBox(Label12), "PrintersCB");
    placeMirrored(PrintersCB, QRect(60, 16, 329, 22));
    PropButton = named(new QPushButton(text(209), Label12), "PropButton");
    placeMirrored(PropButton, QRect(444, 16, 95, 22));
    WhereL = named(new QLabel(text(208), Label12), "WhereL");
    placeMirrored(WhereL, QRect(8, 48, 48, 16));
    WhereL1 = named(new QLabel(Label12), "WhereL1");
    placeMirrored(WhereL1, QRect(60, 48, 330, 16));
    FileCB = named(new QCheckBox(text(210), Label12), "FileCB");
    placeMirrored(FileCB, QRect(408, 48, 129, 17));

    Label1 = named(new QGroupBox(text(202), this), "Label1");
    placeMirrored(Label1, QRect(4, 80, 261, 117));
    AllRB = named(new QRadioButton(text(3), Label1), "AllRB");
    placeMirrored(AllRB, QRect(8, 20, 160, 17));
    AllRB->setChecked(true);
    CurPageRB = named(new QRadioButton(text(4), Label1), "CurPageRB");
    placeMirrored(CurPageRB, QRect(8, 40, 160, 17));
    PageNumbersRB = named(new QRadioButton(text(5), Label1), "PageNumbersRB");
    placeMirrored(PageNumbersRB, QRect(8, 60, 73, 17));
    PageNumbersE = named(new QLineEdit(Label1), "PageNumbersE");
    placeMirrored(PageNumbersE, QRect(84, 58, 165, 21));
    DescrL = named(new QLabel(text(9), Label1), "DescrL");
    DescrL->setWordWrap(true);
    DescrL->setFont(QFont(QStringLiteral("Tahoma"), 7));  // three lines fit where Tahoma is missing
    placeMirrored(DescrL, QRect(8, 82, 249, 29));

    Label2 = named(new QGroupBox(text(205), this), "Label2");
    placeMirrored(Label2, QRect(272, 80, 281, 117));
    CopiesL = named(new QLabel(text(203), Label2), "CopiesL");
    placeMirrored(CopiesL, QRect(12, 20, 124, 16));
    CopiesE = named(new QLineEdit(QStringLiteral("1"), Label2), "CopiesE");
    CopiesE->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,5}")), CopiesE));
    placeMirrored(CopiesE, QRect(140, 16, 113, 21));
    UpDown1 = named(new QScrollBar(Qt::Vertical, Label2), "UpDown1");
    UpDown1->setRange(1, 99999);
    UpDown1->setInvertedAppearance(true);
    UpDown1->setInvertedControls(true);
    placeMirrored(UpDown1, QRect(253, 16, 16, 21));
    CollateCB = named(new QCheckBox(text(204), Label2), "CollateCB");
    CollateCB->setChecked(true);
    placeMirrored(CollateCB, QRect(140, 58, 133, 17));
    CopiesPB = named(new CollatePicture(CollateCB, Label2), "CopiesPB");
    placeMirrored(CopiesPB, QRect(12, 48, 92, 53));

    OtherGB = named(new QGroupBox(text(207), this), "OtherGB");
    placeMirrored(OtherGB, QRect(4, 200, 261, 97));
    PrintL = named(new QLabel(text(206), OtherGB), "PrintL");
    placeMirrored(PrintL, QRect(8, 20, 72, 16));
    PrintPagesCB = named(new QComboBox(OtherGB), "PrintPagesCB");
    placeMirrored(PrintPagesCB, QRect(84, 16, 165, 21));
    OrderL = named(new QLabel(text(211), OtherGB), "OrderL");
    placeMirrored(OrderL, QRect(8, 44, 72, 16));
    OrderCB = named(new QComboBox(OtherGB), "OrderCB");
    placeMirrored(OrderCB, QRect(84, 40, 165, 21));
    DuplexL = named(new QLabel(text(216), OtherGB), "DuplexL");
    placeMirrored(DuplexL, QRect(8, 68, 72, 16));
    DuplexCB = named(new QComboBox(OtherGB), "DuplexCB");
    placeMirrored(DuplexCB, QRect(84, 64, 165, 21));

    ScaleGB = named(new QGroupBox(text(213), this), "ScaleGB");
    placeMirrored(ScaleGB, QRect(272, 200, 281, 97));
    PrintModeCB = named(new QComboBox(ScaleGB), "PrintModeCB");
    PrintModeCB->setIconSize(QSize(64, 32));
    placeMirrored(PrintModeCB, QRect(12, 16, 257, 40));
    PagSizeL = named(new QLabel(text(214), ScaleGB), "PagSizeL");
    placeMirrored(PagSizeL, QRect(12, 68, 124, 16));
    PagPageSizeCB = named(new QComboBox(ScaleGB), "PagPageSizeCB");
    placeMirrored(PagPageSizeCB, QRect(140, 64, 129, 21));

    OkB = named(new QPushButton(text(1), this), "OkB");
    OkB->setDefault(true);
    placeMirrored(OkB, QRect(398, 304, 75, 25));
    CancelB = named(new QPushButton(text(2), this), "CancelB");
    placeMirrored(CancelB, QRect(478, 304, 75, 25));

    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrintersCB, &QComboBox::activated, this, &TrpPrintDialog::PrintersCBClick);
    connect(PrintModeCB, &QComboBox::activated, this, &TrpPrintDialog::PrintModeCBClick);
    connect(PropButton, &QPushButton::clicked, this, &TrpPrintDialog::PropButtonClick);
    connect(CollateCB, &QCheckBox::toggled, CopiesPB, qOverload<>(&QWidget::update));
    connect(PageNumbersE, &QLineEdit::textEdited, PageNumbersRB, [this] { PageNumbersRB->setChecked(true); });
    PageNumbersE->installEventFilter(this);
    connect(PageNumbersRB, &QRadioButton::clicked, PageNumbersE, [this] {
        if (isVisible())
            PageNumbersE->setFocus();
    });
    // The edit and its up-down follow each other.
    connect(UpDown1, &QScrollBar::valueChanged, CopiesE,
            [this](int v) { CopiesE->setText(QString::number(v)); });
    connect(CopiesE, &QLineEdit::textEdited, UpDown1, [this](const QString &t) {
        const QSignalBlocker quiet(UpDown1);
        UpDown1->setValue(std::max(1, t.toInt()));
    });
}

void TrpPrintDialog::createLists()
{
    OrderCB->addItems({text("poDirect"), text("poReverse")});
    PrintPagesCB->addItems({text("ppAll"), text("ppOdd"), text("ppEven")});
    DuplexCB->addItems({text("dupDefault"), text("dupVert"), text("dupHorz"), text("dupSimpl")});
    const char *modes[] = {"pmDefault", "pmSplit", "pmJoin", "pmScale"};
    for (int i = 0; i < 4; ++i)
        PrintModeCB->addItem(QIcon(printModePicture(i)), text(modes[i]));
    for (QComboBox *list : {OrderCB, PrintPagesCB, DuplexCB, PrintModeCB})
        list->setCurrentIndex(0);
}

// The entry of a paper in the sheet list: its place in the printer's
// papers, which lack the custom entry but start with "Default".
int TrpPrintDialog::sheetPosition(int paperCode) const
{
    const TrpCustomPrinter *printer = rpPrinters().GetCurrentPrinter();
    const int index = printer->PaperIndex(paperCode);
    if (index < 0)
        return -1;
    const int custom = printer->PaperIndex(256);
    return index + 1 - (custom >= 0 && custom < index ? 1 : 0);
}

void TrpPrintDialog::loadOptions()
{
    const TrpPrintOptions &o = *m_report->PrintOptions();
    UpDown1->setValue(std::max(1, o.Copies()));
    CopiesE->setText(QString::number(std::max(1, o.Copies())));
    CollateCB->setChecked(o.Collate());
    PageNumbersE->setText(o.PageNumbers());
    if (!o.PageNumbers().isEmpty())
        PageNumbersRB->setChecked(true);
    PrintPagesCB->setCurrentIndex(o.PrintPages());
    OrderCB->setCurrentIndex(o.Reverse() ? 1 : 0);
    PrintModeCB->setCurrentIndex(o.PrintMode());
    PrintModeCBClick();
    if (o.PrintMode() != pmDefault) {
        const int position = sheetPosition(o.PrintOnSheet());
        if (position >= 0)
            PagPageSizeCB->setCurrentIndex(position);
    }
}

void TrpPrintDialog::PrintersCBClick()
{
    TrpPrinters &printers = rpPrinters();
    std::optional<int> remembered;
    if (PagPageSizeCB->currentIndex() > 0)
        remembered = printers.GetCurrentPrinter()->PaperCodeByName(PagPageSizeCB->currentText());
    printers.SetPrinterIndex(PrintersCB->currentIndex());
    TrpCustomPrinter *printer = printers.GetCurrentPrinter();
    WhereL1->setText(printer->Port());
    PagPageSizeCB->clear();
    PagPageSizeCB->addItem(text("pgDefault"));
    for (const TrpCodeItem &paper : printer->PaperList())
        if (paper.Code != 256)
            PagPageSizeCB->addItem(paper.Name);
    const int position = remembered ? sheetPosition(*remembered) : -1;
    PagPageSizeCB->setCurrentIndex(std::max(0, position));
}

void TrpPrintDialog::PrintModeCBClick()
{
    if (PrintModeCB->currentIndex() == pmDefault) {
        PagPageSizeCB->setCurrentIndex(0);
        PagPageSizeCB->setEnabled(false);
        return;
    }
    PagPageSizeCB->setEnabled(true);
    if (PagPageSizeCB->currentIndex() == 0)
        PagPageSizeCB->setCurrentIndex(std::max(0, sheetPosition(9)));
}

void TrpPrintDialog::PropButtonClick()
{
    rpPrinters().GetCurrentPrinter()->ShowPropertiesDialog();
}

bool TrpPrintDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == PageNumbersE && event->type() == QEvent::FocusIn)
        PageNumbersRB->setChecked(true);
    return QDialog::eventFilter(watched, event);
}

void TrpPrintDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        GetResources().ShowHelp(QStringLiteral("TrpPrintDialog"));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TrpPrintDialog::chooseOutputFile()
{
    platform::FileDialogRequest request;
    request.caption = QStringLiteral("Print To File");
    request.filter = QStringLiteral("Printer files (*.prn)");
    request.defaultSuffix = QStringLiteral("prn");
    const std::optional<QString> name = platform::messageBoxSeam().saveFileName(request);
    if (!name)
        return false;
    const QFileInfo info(*name);
    rpPrinters().GetCurrentPrinter()->SetOutputFileName(info.path() + QLatin1Char('/') + info.completeBaseName()
                                                        + QStringLiteral(".prn"));
    return true;
}

void TrpPrintDialog::done(int result)
{
    if (result == QDialog::Accepted) {
        rpPrinters().GetCurrentPrinter()->SetOutputFileName(QString());
        if (FileCB->isChecked() && !chooseOutputFile())
            result = QDialog::Rejected;
    }
    if (result != QDialog::Accepted)
        rpPrinters().SetPrinterIndex(m_previousPrinterIndex);
    else
        saveOptions();
    QDialog::done(result);
}

void TrpPrintDialog::saveOptions()
{
    TrpPrintOptions &o = *m_report->PrintOptions();
    // An empty copies text means one copy.
    o.SetCopies(CopiesE->text().isEmpty() ? 1 : std::max(1, CopiesE->text().toInt()));
    o.SetCollate(CollateCB->isChecked());
    if (AllRB->isChecked())
        o.SetPageNumbers(QString());
    else if (CurPageRB->isChecked())
        o.SetPageNumbers(QString::number(m_pages ? m_pages->PreviewPageNo() : 1));
    else
        o.SetPageNumbers(PageNumbersE->text());
    o.SetPrintPages(TrpPrintPages(PrintPagesCB->currentIndex()));
    m_duplexMode = DuplexCB->currentIndex();
    o.SetReverse(OrderCB->currentIndex() == 1);
    o.SetPrintMode(TrpPrintMode(PrintModeCB->currentIndex()));
    o.SetPrintOnSheet(rpPrinters().GetCurrentPrinter()->PaperCodeByName(PagPageSizeCB->currentText()));
}

void installPrintDialog()
{
    SetPrinterPropertiesDialog(&ShowPrinterProperties);
    SetPrintDialogRunner([](TrpReport &report, TrpCustomPreviewPages &pages) -> std::optional<int> {
        TrpPrintDialog dialog(report, &pages, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return dialog.DuplexMode();
    });
}

} // namespace bralvo::report
