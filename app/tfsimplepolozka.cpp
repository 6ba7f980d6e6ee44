// The one-off line window.
#include "app/tfsimplepolozka.h"

#include "app/billlinecells.h"
#include "app/billlines.h"
#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tffaktura.h"
#include "app/tfpolozky.h"
#include "db/billhelpers.h"
#include "db/billstate.h"
#include "db/currentuser.h"
#include "db/oneofflines.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "services/globals.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 15;

QString vatText(double value)
{
    return platform::FormatFloat(QStringLiteral("##0.##"), value, platform::regionalSettings());
}

} // namespace

TfSimplePolozka::TfSimplePolozka(QWidget &owner) : QDialog(&owner)
{
    setObjectName(QStringLiteral("fSimplePolozka"));
    setWindowTitle(QString::fromUtf8("Pridávanie jednorázovej položky"));
    setFixedSize(420, 300);
    buildControls();
    connect(bitAddItem, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitAddItemClick(); }); });
    connect(chbAddDphToZalFakt, &QCheckBox::clicked, this,
            [](bool on) { services::WriteSettingBool("Faktura", "AddDphToZalFakt", on); });
    connect(chbCenySuBezDPH, &QCheckBox::clicked, this,
            [](bool on) { services::WriteSettingBool("Faktura", "CenySuBezDPH", on); });
    m_keys = new platform::KeyPreview(this);
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("pridavanie_jednorazovej_polozky")); });
    for (QWidget *control : findChildren<QWidget *>())
        control->installEventFilter(this);
}

void TfSimplePolozka::buildControls()
{
    auto *group = named(new QGroupBox(QString::fromUtf8("Položka"), this), "GroupBox1");
    group->setGeometry(8, 8, 404, 284);
    const auto field = [group](const char *name, const char *caption, const QRect &geometry) {
        auto *text = new QLabel(QString::fromUtf8(caption), group);
        text->setGeometry(geometry.left(), geometry.top() - 16, geometry.width() + 40, 16);
        auto *edit = named(new QLineEdit(group), name);
        edit->setGeometry(geometry);
        return edit;
    };
    eNazov = field("eNazov", "Názov", {12, 36, 380, 23});
    eKod = field("eKod", "Kód", {12, 80, 120, 23});
    eMJ = field("eMJ", "MJ", {140, 80, 60, 23});
    eDPH = field("eDPH", "DPH %", {208, 80, 60, 23});
    ePocet = field("ePocet", "Počet", {12, 124, 100, 23});
    eZlava = field("eZlava", "Zľava %", {120, 124, 80, 23});
    eZlava->setMaxLength(15);
    eCena = field("eCena", "Cena", {208, 124, 90, 23});
    eCena->setMaxLength(15);
    eZaMJ = field("eZaMJ", "/ MJ", {306, 124, 60, 23});
    eZaMJ->setMaxLength(15);
    eZaMJ->setText(QStringLiteral("1"));
    chbAddDphToZalFakt = named(new QCheckBox(QString::fromUtf8("Prirátať DPH"), group), "chbAddDphToZalFakt");
    chbAddDphToZalFakt->setGeometry(12, 156, 200, 20);
    chbCenySuBezDPH = named(new QCheckBox(QString::fromUtf8("Ceny sú zadávané bez DPH"), group), "chbCenySuBezDPH");
    chbCenySuBezDPH->setGeometry(12, 180, 250, 20);
    bitAddItem = named(new QPushButton(QString::fromUtf8("Pridať položku do faktúry"), group), "bitAddItem");
    bitAddItem->setGeometry(12, 236, 380, 30);
}

bool TfSimplePolozka::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    auto *field = qobject_cast<QLineEdit *>(watched);
    if (field && event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if (field == eDPH && FilterNumberKey(*field, key))
            return true;
        if (MoveFocusByKey(*this, *field, key))
            return true;
    } else if (control && event->type() == QEvent::FocusIn && IsOwnFocusMove(*event)) {
        services::HighlightOnEnter(*control, 1, kColorSlot);
    } else if (control && event->type() == QEvent::FocusOut && IsOwnFocusMove(*event)) {
        if (field == eCena || field == eZaMJ || field == ePocet)
            field->setText(services::FormatMoney(CellTextNumber(field->text())));
        else if (field == eDPH)
            field->setText(vatText(CellTextNumber(field->text())));
        services::RestoreColorOnExit(*control, kColorSlot);
    }
    return QDialog::eventFilter(watched, event);
}

void TfSimplePolozka::OpenFor(TfFaktura &bill)
{
    m_bill = &bill;
    CentreOver(*this, bill);
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(291));
    eNazov->clear();
    eKod->clear();
    eDPH->setText(vatText(CellTextNumber(services::ReadSetting("Faktura", "spDPH", "19"))));
    eMJ->setText(services::ReadSetting("Faktura", "spMJ", "ks"));
    ePocet->setText(services::FormatMoney(1));
    eCena->setText(services::FormatMoney(0));
    eZaMJ->setText(services::FormatMoney(1));
    eZlava->setText(services::FormatMoney(0));
    const bool vatPayer = db::IsUserCompanyVatPayer(db::CurrentUserId());
    const bool addsVat = db::BillIsAdvance && vatPayer;
    chbAddDphToZalFakt->setChecked(services::ReadSettingBool("Faktura", "AddDphToZalFakt", addsVat));
    chbAddDphToZalFakt->setVisible(addsVat);
    chbCenySuBezDPH->setChecked(services::ReadSettingBool("Faktura", "CenySuBezDPH", true));
    chbCenySuBezDPH->setVisible(!db::BillIsAdvance && vatPayer);
    eNazov->setFocus();
    exec();
    // The editor takes the keys back at once (see TfVyber::show).
    QApplication::setActiveWindow(&bill);
}

void TfSimplePolozka::bitAddItemClick()
{
    if (!m_bill)
        return;
    if (!(CellTextNumber(eZaMJ->text()) > 0))
        eZaMJ->setText(QStringLiteral("1"));
    services::WriteSetting("Faktura", "spMJ", eMJ->text());
    services::WriteSetting("Faktura", "spDPH", eDPH->text());
    if (eNazov->text().isEmpty()) {
        services::ShowMessageBox(services::MessageText(154), 48);
        eNazov->setFocus();
        return;
    }
    const QString id = db::OneOffItemId({eNazov->text(), eKod->text(), eMJ->text(), eDPH->text(), eCena->text(),
                                         eZaMJ->text()});
    if (id.isEmpty() || id == QLatin1String("NULL"))
        return;
    const bool vatPayer = db::IsUserCompanyVatPayer(db::CurrentUserId());
    NewBillLine line = NewBillLineFromTexts({eNazov->text(), eKod->text(), eMJ->text(), eDPH->text(),
                                             ePocet->text(), eZlava->text(), eZaMJ->text()});
    line.netPrice = NetPrice(CellTextNumber(eCena->text()), line.vat,
                             !chbCenySuBezDPH->isChecked() && !db::BillIsAdvance && vatPayer);
    line.addsVat = db::BillIsAdvance && vatPayer && chbAddDphToZalFakt->isChecked();
    line.itemId = id;
    m_bill->addLine(line);
    m_bill->bitAddItem->setFocus();
    m_bill->markChanged();
    m_bill->chbFakturovatVCudzejMeneClick();
    m_bill->chbFakturovatVDvochMenachClick();
    m_bill->PrepocitajFakturu();
    accept();
}

} // namespace bralvo::app
