// The dot-matrix export's print window.
#include "report/export/trpdmpexportdialog.h"

#include "platform/messageboxseam.h"
#include "platform/widgets/named.h"
#include "report/engine/trpdmprinters.h"
#include "report/engine/trpprinters.h"
#include "report/export/trpdmpexport.h"
#include "report/model/trpresources.h"
#include "report/preview/mirroredgeometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStyle>

namespace bralvo::report {

using platform::named;

namespace {

QString text(int id) { return GetResources().GetResourceTextById(id); }

// "Printer file (*.prn)|*.prn" in Qt's filter form.
QString qtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    return parts.value(0);
}

} // namespace

TrpDMPExportDialog::TrpDMPExportDialog(TrpDotMatrixExport &filter, QWidget *parent)
    : QDialog(parent), m_filter(filter)
{
    setObjectName(QStringLiteral("TrpDMPExportDialog"));
    setFixedSize(422, 262);
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setWindowTitle(text(500));
    if (isRightToLeftLocale())
        setLayoutDirection(Qt::RightToLeft);
    createControls();
    TrpPrinters &printers = rpPrinters();
    const QIcon icon(Image1->pixmap());
    for (const QString &name : printers.Names())
        PrinterCB->addItem(icon, name);
    m_previousPrinterIndex = printers.PrinterIndex();
    PrinterCB->setCurrentIndex(m_previousPrinterIndex);
    for (int i = 0; i < DMPrinters().Count(); ++i)
        EscCB->addItem(DMPrinters().Items(i)->Name());
    PageBreaksCB->setChecked(filter.PageBreaks());
    OemCB->setChecked(filter.OEMConvert());
    PseudoCB->setChecked(filter.GraphicFrames());
    SaveToFileCB->setChecked(filter.SaveToFile());
    EscCB->setCurrentIndex(filter.EscModel());
    CopiesUD->setValue(std::max(1, filter.Copies()));
}

void TrpDMPExportDialog::createControls()
{
    Image1 = named(new QLabel(this), "Image1");
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DriveNetIcon).pixmap(18, 16));
    Image1->hide();
    PrinterL = named(new QGroupBox(text(501), this), "PrinterL");
    placeMirrored(PrinterL, QRect(4, 4, 413, 49));
    PrinterCB = named(new QComboBox(PrinterL), "PrinterCB");
    placeMirrored(PrinterCB, QRect(8, 18, 397, 22));
    EscL = named(new QGroupBox(text(506), this), "EscL");
    placeMirrored(EscL, QRect(4, 56, 205, 49));
    EscCB = named(new QComboBox(EscL), "EscCB");
    placeMirrored(EscCB, QRect(8, 18, 189, 21));
    CopiesL = named(new QGroupBox(text(503), this), "CopiesL");
    placeMirrored(CopiesL, QRect(212, 56, 205, 49));
    CopiesNL = named(new QLabel(text(504), CopiesL), "CopiesNL");
    placeMirrored(CopiesNL, QRect(8, 22, 110, 16));
    CopiesUD = named(new QSpinBox(CopiesL), "CopiesUD");
    CopiesUD->setRange(1, 9999);
    placeMirrored(CopiesUD, QRect(124, 18, 73, 21));
    CopiesE = CopiesUD->findChild<QLineEdit *>();
    CopiesE->setObjectName(QStringLiteral("CopiesE"));
    CopiesE->setMaxLength(5);
    PagesL = named(new QGroupBox(text(502), this), "PagesL");
    placeMirrored(PagesL, QRect(4, 108, 205, 117));
    AllRB = named(new QRadioButton(text(3), PagesL), "AllRB");
    AllRB->setChecked(true);
    placeMirrored(AllRB, QRect(8, 18, 180, 17));
    CurPageRB = named(new QRadioButton(text(4), PagesL), "CurPageRB");
    placeMirrored(CurPageRB, QRect(8, 38, 180, 17));
    PageNumbersRB = named(new QRadioButton(text(5), PagesL), "PageNumbersRB");
    placeMirrored(PageNumbersRB, QRect(8, 58, 70, 17));
    RangeE = named(new QLineEdit(PagesL), "RangeE");
    placeMirrored(RangeE, QRect(80, 56, 117, 21));
    DescrL = named(new QLabel(text(9), PagesL), "DescrL");
    DescrL->setWordWrap(true);
    placeMirrored(DescrL, QRect(8, 80, 189, 33));
    OptionsL = named(new QGroupBox(text(505), this), "OptionsL");
    placeMirrored(OptionsL, QRect(212, 108, 205, 117));
    SaveToFileCB = named(new QCheckBox(text(507), OptionsL), "SaveToFileCB");
    placeMirrored(SaveToFileCB, QRect(8, 18, 189, 17));
    PageBreaksCB = named(new QCheckBox(text(6), OptionsL), "PageBreaksCB");
    placeMirrored(PageBreaksCB, QRect(8, 42, 189, 17));
    OemCB = named(new QCheckBox(text(508), OptionsL), "OemCB");
    placeMirrored(OemCB, QRect(8, 66, 189, 17));
    PseudoCB = named(new QCheckBox(text(509), OptionsL), "PseudoCB");
    placeMirrored(PseudoCB, QRect(8, 90, 189, 17));
    OK = named(new QPushButton(text(1), this), "OK");
    OK->setDefault(true);
    placeMirrored(OK, QRect(262, 232, 75, 25));
    Cancel = named(new QPushButton(text(2), this), "Cancel");
    placeMirrored(Cancel, QRect(342, 232, 75, 25));
    connect(OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(Cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(PrinterCB, &QComboBox::activated, this, [](int index) { rpPrinters().SetPrinterIndex(index); });
    connect(RangeE, &QLineEdit::textEdited, PageNumbersRB, [this] { PageNumbersRB->setChecked(true); });
}

void TrpDMPExportDialog::done(int result)
{
    if (result != QDialog::Accepted)
        rpPrinters().SetPrinterIndex(m_previousPrinterIndex);
    QDialog::done(result);
}

int TrpDMPExportDialog::Apply()
{
    int result = 1;
    m_filter.SetSaveToFile(SaveToFileCB->isChecked());
    if (SaveToFileCB->isChecked()) {
        platform::FileDialogRequest request;
        request.filter = qtFilter(text(510));
        request.defaultSuffix = QStringLiteral("prn");
        if (const std::optional<QString> name = platform::messageBoxSeam().saveFileName(request))
            m_filter.SetFileName(*name);
        else
            result = 2;
    }
    m_filter.SetCurrentPageOnly(false);
    if (PageNumbersRB->isChecked())
        m_filter.SetPageRange(RangeE->text());
    else if (CurPageRB->isChecked())
        m_filter.SetCurrentPageOnly(true);
    else
        m_filter.SetPageRange(QString());
    m_filter.SetCopies(CopiesUD->value());
    m_filter.SetPageBreaks(PageBreaksCB->isChecked());
    m_filter.SetOEMConvert(OemCB->isChecked());
    m_filter.SetGraphicFrames(PseudoCB->isChecked());
    m_filter.SetEscModel(EscCB->currentIndex());
    return result;
}

void installDMPExportDialog()
{
    SetDMPExportDialog([](TrpDotMatrixExport &filter) {
        TrpDMPExportDialog dialog(filter, QApplication::activeWindow());
        if (dialog.exec() != QDialog::Accepted)
            return 2;
        return dialog.Apply();
    });
}

} // namespace bralvo::report
