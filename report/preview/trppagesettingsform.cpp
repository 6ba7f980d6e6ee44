// The page settings dialog of the preview.
#include "report/preview/trppagesettingsform.h"

#include "platform/conversionerror.h"
#include "platform/messageboxseam.h"
#include "platform/printers/papertable.h"
#include "platform/registryini.h"
#include "report/engine/trpprinters.h"
#include "report/model/trppage.h"
#include "report/model/trpreport.h"
#include "report/model/trpresources.h"
#include "report/model/trputils.h"
#include "report/preview/mirroredgeometry.h"

#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

namespace bralvo::report {

namespace {

template <typename T>
T *make(QWidget *parent, const char *name, const QRect &geometry, const QString &text = QString())
{
    T *w = new T(parent);
    w->setObjectName(QString::fromLatin1(name));
    placeMirrored(w, geometry);
    if constexpr (std::is_base_of_v<QLabel, T> || std::is_base_of_v<QAbstractButton, T>)
        w->setText(text);
    if constexpr (std::is_base_of_v<QGroupBox, T>)
        w->setTitle(text);
    return w;
}

QString text(int id)
{
    return GetResources().Get(QString::number(id));
}

// A sheet with a few text lines, upright or lying.
QPixmap orientationPicture(bool landscape)
{
    QPixmap pix(32, 32);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    const QRect sheet = landscape ? QRect(2, 7, 27, 19) : QRect(7, 2, 19, 27);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    p.setPen(Qt::darkGray);
    for (int y = sheet.top() + 4; y < sheet.bottom() - 2; y += 4)
        p.drawLine(sheet.left() + 3, y, sheet.right() - 3, y);
    return pix;
}

// A paper the printer gives no name is shown by its size.
QString paperName(const TrpCodeItem &item)
{
    if (!item.Name.isEmpty())
        return GetResources().Get(item.Name); // "prCustom" is a text key
    if (const auto size = platform::paperDimensions(item.Code))
        return QStringLiteral("%1 x %2 mm").arg(size->width()).arg(size->height());
    return QString::number(item.Code);
}

// The number in an edit in millimetres; throws ConversionError.
double readMm(const QLineEdit *edit, const PageSettingsUnits &units)
{
    return units.ToMm(StrToFloatLoose(edit->text()));
}

} // namespace

TrpPageSettingsForm::TrpPageSettingsForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TrpPageSettingsForm"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    setFixedSize(286, 359);
    setWindowTitle(QStringLiteral("Page Settings"));
    buildSizeGroup();
    buildOrientationGroup();
    buildMarginsGroup();
    buildOtherGroup();
    OKB = make<QPushButton>(this, "OKB", QRect(122, 328, 75, 25));
    OKB->setDefault(true);
    CancelB = make<QPushButton>(this, "CancelB", QRect(203, 328, 75, 25));
    connect(OKB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

void TrpPageSettingsForm::buildSizeGroup()
{
    SizeL = make<QGroupBox>(this, "SizeL", QRect(8, 8, 270, 102));
    SizeCB = make<QComboBox>(SizeL, "SizeCB", QRect(8, 18, 254, 21));
    WidthL = make<QLabel>(SizeL, "WidthL", QRect(8, 49, 50, 16));
    WidthE = make<QLineEdit>(SizeL, "WidthE", QRect(60, 46, 70, 21));
    UnitL1 = make<QLabel>(SizeL, "UnitL1", QRect(134, 49, 30, 16));
    HeightL = make<QLabel>(SizeL, "HeightL", QRect(8, 75, 50, 16));
    HeightE = make<QLineEdit>(SizeL, "HeightE", QRect(60, 72, 70, 21));
    UnitL2 = make<QLabel>(SizeL, "UnitL2", QRect(134, 75, 30, 16));
    connect(SizeCB, &QComboBox::activated, this, [this] { SizeCBClick(); });
    connect(WidthE, &QLineEdit::textEdited, this, [this] { WidthEChange(); });
    connect(HeightE, &QLineEdit::textEdited, this, [this] { WidthEChange(); });
}

void TrpPageSettingsForm::buildOrientationGroup()
{
    OrientationL = make<QGroupBox>(this, "OrientationL", QRect(8, 114, 270, 70));
    PortraitImg = make<QLabel>(OrientationL, "PortraitImg", QRect(12, 22, 32, 32));
    PortraitImg->setPixmap(orientationPicture(false));
    LandscapeImg = make<QLabel>(OrientationL, "LandscapeImg", QRect(12, 22, 32, 32));
    LandscapeImg->setPixmap(orientationPicture(true));
    PortraitRB = make<QRadioButton>(OrientationL, "PortraitRB", QRect(60, 18, 200, 20));
    PortraitRB->setChecked(true);
    LandscapeRB = make<QRadioButton>(OrientationL, "LandscapeRB", QRect(60, 42, 200, 20));
    connect(PortraitRB, &QRadioButton::clicked, this, [this] { PortraitRBClick(); });
    connect(LandscapeRB, &QRadioButton::clicked, this, [this] { PortraitRBClick(); });
}

void TrpPageSettingsForm::buildMarginsGroup()
{
    MarginsL = make<QGroupBox>(this, "MarginsL", QRect(8, 188, 270, 78));
    LeftL = make<QLabel>(MarginsL, "LeftL", QRect(8, 23, 48, 16));
    MarginLeftE = make<QLineEdit>(MarginsL, "MarginLeftE", QRect(56, 20, 50, 21));
    UnitL3 = make<QLabel>(MarginsL, "UnitL3", QRect(110, 23, 22, 16));
    TopL = make<QLabel>(MarginsL, "TopL", QRect(8, 50, 48, 16));
    MarginTopE = make<QLineEdit>(MarginsL, "MarginTopE", QRect(56, 47, 50, 21));
    UnitL4 = make<QLabel>(MarginsL, "UnitL4", QRect(110, 50, 22, 16));
    RightL = make<QLabel>(MarginsL, "RightL", QRect(138, 23, 48, 16));
    MarginRightE = make<QLineEdit>(MarginsL, "MarginRightE", QRect(186, 20, 50, 21));
    UnitL5 = make<QLabel>(MarginsL, "UnitL5", QRect(240, 23, 22, 16));
    BottomL = make<QLabel>(MarginsL, "BottomL", QRect(138, 50, 48, 16));
    MarginBottomE = make<QLineEdit>(MarginsL, "MarginBottomE", QRect(186, 47, 50, 21));
    UnitL6 = make<QLabel>(MarginsL, "UnitL6", QRect(240, 50, 22, 16));
}

void TrpPageSettingsForm::buildOtherGroup()
{
    OtherL = make<QGroupBox>(this, "OtherL", QRect(8, 270, 270, 52));
    ApplyToCurRB = make<QRadioButton>(OtherL, "ApplyToCurRB", QRect(8, 16, 254, 16));
    ApplyToCurRB->setChecked(true);
    ApplyToAllRB = make<QRadioButton>(OtherL, "ApplyToAllRB", QRect(8, 33, 254, 16));
}

// Entries carry their codes, so papers without a name still work.
int TrpPageSettingsForm::chosenPaperCode() const
{
    const QVariant code = SizeCB->currentData();
    return code.isValid() ? code.toInt() : kCustomPaperSize;
}

bool TrpPageSettingsForm::ApplyToAllPages() const
{
    return ApplyToAllRB->isChecked();
}

void TrpPageSettingsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TrpPageSettingsForm::FormShow()
{
    m_updating = true;
    const struct {
        QWidget *w;
        int id;
    } texts[] = {{this, 400},          {WidthL, 401},      {HeightL, 402},      {SizeL, 403},
                 {OrientationL, 404},  {LeftL, 405},       {TopL, 406},         {RightL, 407},
                 {BottomL, 408},       {MarginsL, 409},    {PortraitRB, 410},   {LandscapeRB, 411},
                 {OKB, 1},             {CancelB, 2},       {OtherL, 412},       {ApplyToCurRB, 413},
                 {ApplyToAllRB, 414}};
    for (const auto &t : texts) {
        if (auto *l = qobject_cast<QLabel *>(t.w))
            l->setText(text(t.id));
        else if (auto *b = qobject_cast<QAbstractButton *>(t.w))
            b->setText(text(t.id));
        else if (auto *g = qobject_cast<QGroupBox *>(t.w))
            g->setTitle(text(t.id));
        else
            t.w->setWindowTitle(text(t.id));
    }
    int stored = 0;
    if (Report)
        stored = Report->GetIniFile()->readInteger(QStringLiteral("Form.TrpDesignerForm"), QStringLiteral("Units"), 0);
    m_units = PageSettingsUnits(stored);
    for (QLabel *l : {UnitL1, UnitL2, UnitL3, UnitL4, UnitL5, UnitL6})
        l->setText(m_units.Label());
    TrpCustomPrinter *printer = rpPrinters().GetCurrentPrinter();
    SizeCB->clear();
    if (printer) {
        for (const TrpCodeItem &item : printer->PaperList())
            SizeCB->addItem(paperName(item), item.Code);
    }
    if (Page) {
        const int index = printer ? printer->PaperIndex(Page->PaperSize()) : -1;
        SizeCB->setCurrentIndex(index >= 0 ? index : 0);
        WidthE->setText(m_units.Text(Page->PaperWidth()));
        HeightE->setText(m_units.Text(Page->PaperHeight()));
        PortraitRB->setChecked(Page->Orientation() == poPortrait);
        LandscapeRB->setChecked(Page->Orientation() == poLandscape);
        MarginLeftE->setText(m_units.Text(Page->LeftMargin()));
        MarginTopE->setText(m_units.Text(Page->TopMargin()));
        MarginRightE->setText(m_units.Text(Page->RightMargin()));
        MarginBottomE->setText(m_units.Text(Page->BottomMargin()));
    }
    PortraitRBClick();
    m_updating = false;
}

void TrpPageSettingsForm::PortraitRBClick()
{
    PortraitImg->setVisible(PortraitRB->isChecked());
    LandscapeImg->setVisible(LandscapeRB->isChecked());
    SizeCBClick();
}

void TrpPageSettingsForm::SizeCBClick()
{
    if (m_updating)
        return;
    TrpCustomPrinter *printer = rpPrinters().GetCurrentPrinter();
    if (!printer)
        return;
    m_updating = true;
    const int code = chosenPaperCode();
    // Unreadable typed sizes count as 0: only the custom size uses them.
    double width = 0, height = 0;
    try {
        width = readMm(WidthE, m_units);
        height = readMm(HeightE, m_units);
    } catch (const bralvo::Error &) {
    }
    try {
        printer->ApplyPaperForView(code, LandscapeRB->isChecked(), width, height);
    } catch (const bralvo::Error &e) {
        m_updating = false;
        platform::messageBoxSeam().messageBox(e.userText(), windowTitle(), platform::kMbIconError);
        return;
    }
    WidthE->setText(m_units.Text(printer->PaperWidth()));
    HeightE->setText(m_units.Text(printer->PaperHeight()));
    m_updating = false;
}

void TrpPageSettingsForm::WidthEChange()
{
    if (m_updating)
        return;
    SizeCB->setCurrentIndex(0);
}

void TrpPageSettingsForm::accept()
{
    double values[6];
    const QLineEdit *edits[6] = {WidthE, HeightE, MarginLeftE, MarginRightE, MarginTopE, MarginBottomE};
    try {
        for (int i = 0; i < 6; ++i)
            values[i] = readMm(edits[i], m_units);
    } catch (const bralvo::Error &e) {
        platform::messageBoxSeam().messageBox(e.userText(), windowTitle(), platform::kMbIconError);
        return;
    }
    writePage(values);
    QDialog::accept();
}

// Order: orientation, paper width and height, paper size, margins.
void TrpPageSettingsForm::writePage(const double values[6])
{
    if (!Page)
        return;
    Page->SetOrientation(LandscapeRB->isChecked() ? poLandscape : poPortrait);
    Page->SetPaperWidth(values[0]);
    Page->SetPaperHeight(values[1]);
    Page->SetPaperSize(chosenPaperCode());
    Page->SetLeftMargin(values[2]);
    Page->SetRightMargin(values[3]);
    Page->SetTopMargin(values[4]);
    Page->SetBottomMargin(values[5]);
    Page->AlignChildren();
}

void TrpPageSettingsForm::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        GetResources().ShowHelp(QStringLiteral("TrpPageSettingsForm"));
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace bralvo::report
