// The item picker: pages, clearing handlers and the results it writes.
#include "app/tfvyber.h"

#include "app/billlinecells.h"
#include "app/billlines.h"
#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tffaktura.h"
#include "app/tfmain.h"
#include "app/tfpolozky.h"
#include "db/advancebills.h"
#include "db/billgrids.h"
#include "db/billhelpers.h"
#include "db/billloading.h"
#include "db/billstate.h"
#include "db/currentuser.h"
#include "db/customers.h"
#include "db/items.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/rights.h"
#include "platform/formatfloat.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "platform/widgets/stringgrid.h"
#include "services/globals.h"
#include "services/gridhelpers.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 11;

template <typename T>
T *place(T *widget, const char *name, const QRect &geometry)
{
    named(widget, name)->setGeometry(geometry);
    return widget;
}

QLineEdit *edit(QWidget *parent, const char *name, const QRect &geometry, bool readOnly = false)
{
    auto *field = place(new QLineEdit(parent), name, geometry);
    field->setReadOnly(readOnly);
    return field;
}

QLabel *label(QWidget *parent, const char *text, const QRect &geometry)
{
    auto *caption = new QLabel(QString::fromUtf8(text), parent);
    caption->setGeometry(geometry);
    return caption;
}

QString money(const QString &text)
{
    return services::FormatMoney(CellTextNumber(text));
}

} // namespace

// A window of the bill editor, so it stays above the editor while open.
TfVyber::TfVyber(TfMain &main, TfFaktura &bill) : QDialog(&bill), m_main(main), m_bill(bill)
{
    setObjectName(QStringLiteral("fVyber"));
    setWindowTitle(QString::fromUtf8("Výber údajov do faktúry"));
    setFixedSize(640, 470);
    pgTriedenie = place(new QTabWidget(this), "pgTriedenie", {8, 8, 624, 454});
    buildCustomerPage();
    buildItemsPage();
    buildAdvancePage();
    connectHandlers();
    m_keys = new platform::KeyPreview(this);
    m_keys->setHelpHandler([this] {
        static const char *const topics[] = {"vyber_udajov_do_faktury_odberatel", "vyber_udajov_do_faktury_polozky",
                                             "vyber_udajov_do_faktury_zalohove"};
        services::ShowHelpTopic(QString::fromLatin1(topics[pgTriedenie->currentIndex()]));
    });
    for (QWidget *control : findChildren<QWidget *>())
        control->installEventFilter(this);
}

void TfVyber::buildCustomerPage()
{
    tsOdberatel = named(new QWidget, "tsOdberatel");
    pgTriedenie->addTab(tsOdberatel, QString::fromUtf8("Odberateľ"));
    lbOdberatelia = place(new QListWidget(tsOdberatel), "lbOdberatelia", {8, 8, 250, 360});
    lbOdberatelia->setToolTip(QString::fromUtf8("Pre výber použite ENTER."));
    auto *firm = place(new QGroupBox(QString::fromUtf8("Firma / Osoba"), tsOdberatel), "GroupBox2", {266, 8, 340, 160});
    firm->setEnabled(false);
    eNazovOdb = edit(firm, "eNazovOdb", {8, 20, 324, 23});
    eNazovOdb->setMaxLength(70);
    chbPlatca = place(new QCheckBox(QString::fromUtf8("Platca DPH"), firm), "chbPlatca", {8, 48, 150, 20});
    eICO = edit(firm, "eICO", {8, 72, 100, 23});
    eDIC = edit(firm, "eDIC", {116, 72, 100, 23});
    eICDPH = edit(firm, "eICDPH", {224, 72, 108, 23});
    auto *address = place(new QGroupBox(QString::fromUtf8("Adresa"), tsOdberatel), "GroupBox3", {266, 172, 340, 110});
    address->setEnabled(false);
    eUlica = edit(address, "eUlica", {8, 20, 324, 23});
    ePSC = edit(address, "ePSC", {8, 48, 80, 23});
    eMesto = edit(address, "eMesto", {96, 48, 236, 23});
    eStat = edit(address, "eStat", {8, 76, 150, 23});
    chbZahranicny = place(new QCheckBox(QString::fromUtf8("Zahraničný odberateľ"), address), "chbZahranicny",
                          {164, 78, 172, 20});
    auto *contact = place(new QGroupBox(QString::fromUtf8("Kontaktná osoba"), tsOdberatel), "GroupBox4",
                          {266, 286, 340, 82});
    contact->setEnabled(false);
    eMeno = edit(contact, "eMeno", {8, 20, 160, 23});
    eMobil = edit(contact, "eMobil", {176, 20, 156, 23});
    eFax = edit(contact, "eFax", {8, 50, 160, 23});
    eMail = edit(contact, "eMail", {176, 50, 156, 23});
    bitAddOdberatel = place(new QPushButton(QString::fromUtf8("Pridať odberateľa do faktúry"), tsOdberatel),
                            "bitAddOdberatel", {8, 376, 250, 30});
    bitCreateOdberatel = place(new QPushButton(QString::fromUtf8("Vytvoriť nového odberateľa (F5)"), tsOdberatel),
                               "bitCreateOdberatel", {266, 376, 340, 30});
    bitClearOdberatel = place(new QPushButton(QString::fromUtf8("Vyčistiť"), tsOdberatel), "bitClearOdberatel",
                              {0, 0, 10, 10});
    bitClearOdberatel->hide();
}

void TfVyber::buildItemsPage()
{
    tsPolozky = named(new QWidget, "tsPolozky");
    pgTriedenie->addTab(tsPolozky, QString::fromUtf8("Položky vo faktúre"));
    GroupBox1 = place(new QGroupBox(tsPolozky), "GroupBox1", {8, 8, 600, 360});
    label(GroupBox1, "Kategória", {12, 20, 200, 16});
    cbKategoria = place(new QComboBox(GroupBox1), "cbKategoria", {12, 36, 280, 23});
    label(GroupBox1, "Položka", {300, 20, 200, 16});
    cbPolozka = place(new QComboBox(GroupBox1), "cbPolozka", {300, 36, 288, 23});
    label(GroupBox1, "Kód", {12, 66, 200, 16});
    eKod = edit(GroupBox1, "eKod", {12, 82, 180, 23});
    eKod->setToolTip(QString::fromUtf8("Po zadaní kódu stlačte ENTER."));
    label(GroupBox1, "Počet", {12, 112, 100, 16});
    ePocet = edit(GroupBox1, "ePocet", {12, 128, 100, 23});
    label(GroupBox1, "Zľava %", {120, 112, 100, 16});
    eZlava = edit(GroupBox1, "eZlava", {120, 128, 80, 23});
    eZlava->setMaxLength(15);
    label(GroupBox1, "DPH %", {208, 112, 80, 16});
    eDPH = edit(GroupBox1, "eDPH", {208, 128, 60, 23}, true);
    label(GroupBox1, "MJ", {276, 112, 80, 16});
    eMJ = edit(GroupBox1, "eMJ", {276, 128, 60, 23}, true);
    label(GroupBox1, "Cena", {12, 158, 100, 16});
    eCena = edit(GroupBox1, "eCena", {12, 174, 100, 23});
    eCena->setMaxLength(15);
    label(GroupBox1, "/", {116, 178, 10, 16});
    eZaMJ = edit(GroupBox1, "eZaMJ", {128, 174, 60, 23});
    eZaMJ->setMaxLength(15);
    eZaMJ->setText(QStringLiteral("1"));
    label(GroupBox1, "MJ", {192, 178, 30, 16});
    chbAddDphToZalFakt = place(new QCheckBox(QString::fromUtf8("Prirátať DPH"), GroupBox1), "chbAddDphToZalFakt",
                               {230, 176, 150, 20});
    chbCenySuBezDPH = place(new QCheckBox(QString::fromUtf8("Ceny sú zadávané bez DPH"), GroupBox1),
                            "chbCenySuBezDPH", {12, 204, 250, 20});
    bitAddItem = place(new QPushButton(QString::fromUtf8("Pridať položku do faktúry"), GroupBox1), "bitAddItem",
                       {12, 234, 280, 30});
    bitCreateItem = place(new QPushButton(QString::fromUtf8("Vytvoriť novú položku (F5)"), GroupBox1),
                          "bitCreateItem", {300, 234, 288, 30});
    bitClearItems = place(new QPushButton(QString::fromUtf8("Vyčistiť"), GroupBox1), "bitClearItems", {0, 0, 10, 10});
    bitClearItems->hide();
}

void TfVyber::buildAdvancePage()
{
    tsZalohoveFaktury = named(new QWidget, "tsZalohoveFaktury");
    pgTriedenie->addTab(tsZalohoveFaktury, QString::fromUtf8("Zálohové faktúry"));
    label(tsZalohoveFaktury, "Zoznam zálohových faktúr", {8, 8, 300, 16});
    lbZalohoveFaktury = place(new QListWidget(tsZalohoveFaktury), "lbZalohoveFaktury", {8, 26, 600, 300});
    chbAddItemsToBralvo = place(new QCheckBox(QString::fromUtf8("Pridať položky zo zálohovej fakúry do faktúry"),
                                              tsZalohoveFaktury), "chbAddItemsToBralvo", {8, 332, 400, 20});
    bitAddZalFakt = place(new QPushButton(QString::fromUtf8("Pridať zálohovú faktúru"), tsZalohoveFaktury),
                          "bitAddZalFakt", {8, 360, 250, 30});
    bitClearZalFakt = place(new QPushButton(QString::fromUtf8("Vyčistiť"), tsZalohoveFaktury), "bitClearZalFakt",
                            {0, 0, 10, 10});
    bitClearZalFakt->hide();
}

void TfVyber::connectHandlers()
{
    const auto on = [this](QPushButton *push, void (TfVyber::*handler)()) {
        connect(push, &QPushButton::clicked, this, [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    on(bitAddOdberatel, &TfVyber::bitAddOdberatelClick);
    on(bitCreateOdberatel, &TfVyber::bitCreateOdberatelClick);
    on(bitClearOdberatel, &TfVyber::bitClearOdberatelClick);
    on(bitAddItem, &TfVyber::bitAddItemClick);
    on(bitCreateItem, &TfVyber::bitCreateItemClick);
    on(bitClearItems, &TfVyber::bitClearItemsClick);
    on(bitAddZalFakt, &TfVyber::bitAddZalFaktClick);
    on(bitClearZalFakt, &TfVyber::bitClearZalFaktClick);
    connect(lbOdberatelia, &QListWidget::currentRowChanged, this, [this] { RunGuarded([this] { lbOdberateliaClick(); }); });
    connect(lbOdberatelia, &QListWidget::itemDoubleClicked, this, [this] { RunGuarded([this] { bitAddOdberatelClick(); }); });
    connect(lbZalohoveFaktury, &QListWidget::itemDoubleClicked, this, [this] { RunGuarded([this] { bitAddZalFaktClick(); }); });
    connect(cbKategoria, &QComboBox::activated, this, [this] { RunGuarded([this] { cbPolozkaEnter(); }); });
    connect(cbPolozka, &QComboBox::activated, this, [this] { RunGuarded([this] { cbPolozkaClick(); }); });
    connect(pgTriedenie, &QTabWidget::currentChanged, this, [this](int page) {
        if (!m_preparing)
            RunGuarded([this, page] { pageChanged(page); });
    });
    connect(chbCenySuBezDPH, &QCheckBox::clicked, this,
            [this](bool on) { services::WriteSettingBool("Faktura", "CenySuBezDPH", on); });
    connect(chbAddDphToZalFakt, &QCheckBox::clicked, this,
            [this](bool on) { services::WriteSettingBool("Faktura", "AddDphToZalFakt", on); });
    connect(chbAddItemsToBralvo, &QCheckBox::clicked, this,
            [this](bool on) { services::WriteSettingBool("Faktura", "AddItemsToBralvo", on); });
}

bool TfVyber::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    auto *field = qobject_cast<QLineEdit *>(watched);
    const bool moneyField = field && (field == eCena || field == eZaMJ || field == ePocet || field == eZlava);
    if (event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (key.key() == Qt::Key_F5 && pgTriedenie->currentIndex() != 2) {
            RunGuarded([this] { pgTriedenie->currentIndex() == 0 ? bitCreateOdberatelClick() : bitCreateItemClick(); });
            return true;
        }
        if (enter && watched == lbOdberatelia) {
            RunGuarded([this] { bitAddOdberatelClick(); });
            return true;
        }
        if (enter && watched == lbZalohoveFaktury) {
            RunGuarded([this] { bitAddZalFaktClick(); });
            return true;
        }
        if (enter && watched == eKod)
            RunGuarded([this] { eKodEnter(); });
        if (enter && watched == cbKategoria) {
            // cbKategoriaKeyDown: on to the items, dropped down.
            cbPolozka->setFocus();
            if (cbPolozka->count() > 0 && cbPolozka->currentIndex() != 0) {
                // The fields follow the item shown.
                cbPolozka->setCurrentIndex(0);
                RunGuarded([this] { cbPolozkaClick(); });
            }
            cbPolozka->showPopup();
            return true;
        }
        if (enter && watched == cbPolozka) {
            ePocet->setFocus();
            return true;
        }
        if (field && (moneyField || field == eDPH || field == eMJ) && FilterNumberKey(*field, key))
            return true;
        if (field && MoveFocusByKey(*this, *field, key))
            return true;
    } else if (control && event->type() == QEvent::FocusIn && IsOwnFocusMove(*event)) {
        services::HighlightOnEnter(*control, 1, kColorSlot);
        // Filled on entering, so the first click already shows the items
        // of the chosen category (all of them for the first entry).
        if (control == cbPolozka)
            RunGuarded([this] { cbPolozkaEnter(); });
    } else if (control && event->type() == QEvent::FocusOut && IsOwnFocusMove(*event)) {
        if (moneyField)
            field->setText(money(field->text()));
        services::RestoreColorOnExit(*control, kColorSlot);
    }
    return QDialog::eventFilter(watched, event);
}

// --- opening

int TfVyber::show(int page)
{
    CentreOver(*this, m_main);
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(180));
    const int result = exec();
    // The editor takes the keys back at once: its F-keys are window
    // shortcuts, and the system's activation may come only later.
    QApplication::setActiveWindow(&m_bill);
    return result;
}

void TfVyber::prepare(int page)
{
    m_preparing = true;
    pgTriedenie->setCurrentIndex(page);
    m_preparing = false;
}

void TfVyber::pageChanged(int page)
{
    if (page == 0)
        bitClearOdberatelClick();
    else if (page == 1)
        bitClearItemsClick();
    else
        bitClearZalFaktClick();
}

void TfVyber::OpenPage(int page)
{
    prepare(page);
    pageChanged(page);
    show(page);
}

void TfVyber::OpenNewLine()
{
    prepare(1);
    bitClearItemsClick();
    show(1);
}

bool TfVyber::advanceAddsVat() const
{
    return m_bill.isAdvanceBill() && db::IsUserCompanyVatPayer(db::CurrentUserId());
}

bool TfVyber::pricesMayHaveVat() const
{
    return !m_bill.isAdvanceBill() && db::IsUserCompanyVatPayer(db::CurrentUserId());
}

void TfVyber::OpenEditLine(int row)
{
    prepare(1);
    PickerAddsLine = false;
    cbPolozka->clear();
    GroupBox1->setTitle(services::MessageText(184));
    cbKategoriaEnter();
    if (cbKategoria->count() > 0)
        cbKategoria->setCurrentIndex(0);
    cbPolozkaEnter();
    const BillLineValues &edited = m_bill.lines().at(row - 1);
    cbPolozka->setCurrentIndex(cbPolozka->findText(edited.name, Qt::MatchExactly));
    cbPolozkaClick();
    eKod->setText(edited.code);
    ePocet->setText(services::FormatMoney(edited.quantity));
    eZlava->setText(services::FormatMoney(edited.discount));
    const double unitPrice = edited.unitPrice;
    const bool net = services::ReadSettingBool("Faktura", "CenySuBezDPH", true) || !pricesMayHaveVat();
    const double vat = CellTextNumber(eDPH->text());
    eCena->setText(services::FormatMoney(net ? unitPrice : unitPrice * (vat + 100.0) / 100.0));
    eZaMJ->setText(QStringLiteral("1"));
    chbCenySuBezDPH->setChecked(services::ReadSettingBool("Faktura", "CenySuBezDPH", true));
    chbCenySuBezDPH->setVisible(pricesMayHaveVat());
    Timer1Timer();
    ePocet->setFocus();
    show(1);
}

// --- customer page

void TfVyber::bitClearOdberatelClick()
{
    for (QLineEdit *field : {eNazovOdb, eICO, eDIC, eICDPH, eUlica, ePSC, eMesto, eStat, eMeno, eMobil, eFax, eMail})
        field->clear();
    chbPlatca->setChecked(false);
    chbZahranicny->setChecked(false);
    QStringList keys;
    db::FillCustomerKeyList(keys);
    const QSignalBlocker quiet(lbOdberatelia);
    lbOdberatelia->clear();
    lbOdberatelia->addItems(keys);
    lbOdberatelia->setFocus();
    if (lbOdberatelia->count() > 0)
        lbOdberatelia->setCurrentRow(0);
    lbOdberateliaClick();
}

void TfVyber::lbOdberateliaClick()
{
    const QListWidgetItem *item = lbOdberatelia->currentItem();
    if (!item)
        return;
    const std::optional<db::CustomerFormValues> customer = db::LoadCustomerIntoSelection(item->text());
    if (!customer)
        return;
    eNazovOdb->setText(customer->name);
    chbPlatca->setChecked(customer->vatPayer);
    eICO->setText(customer->ico);
    eDIC->setText(customer->dic);
    eICDPH->setText(customer->icdph);
    eUlica->setText(customer->street);
    ePSC->setText(customer->zip);
    eMesto->setText(customer->city);
    eStat->setText(customer->country);
    chbZahranicny->setChecked(customer->foreign);
    eMeno->setText(customer->contact);
    eMobil->setText(customer->phone);
    eFax->setText(customer->fax);
    eMail->setText(customer->email);
}

void TfVyber::bitAddOdberatelClick()
{
    const QListWidgetItem *item = lbOdberatelia->currentItem();
    if (!item)
        return;
    m_bill.selectCustomerKey(item->text());
    m_bill.cbOdberatelClick();
    m_bill.eInternaPoznamka->setFocus();
    m_bill.markChanged();
    accept();
}

void TfVyber::bitCreateOdberatelClick()
{
    if (m_openCustomers)
        m_openCustomers();
    bitClearOdberatelClick();
}

// --- items page

void TfVyber::bitClearItemsClick()
{
    PickerAddsLine = true;
    GroupBox1->setTitle(services::MessageText(183));
    cbKategoriaEnter();
    cbPolozka->clear();
    cbPolozka->setCurrentIndex(-1);
    for (QLineEdit *field : {eKod, eDPH, eMJ})
        field->clear();
    ePocet->setText(services::FormatMoney(1));
    eCena->setText(services::FormatMoney(0));
    eZaMJ->setText(services::FormatMoney(1));
    eZlava->setText(services::FormatMoney(0));
    cbKategoria->setFocus();
    if (cbKategoria->count() > 0)
        cbKategoria->setCurrentIndex(0);
    chbCenySuBezDPH->setChecked(services::ReadSettingBool("Faktura", "CenySuBezDPH", true));
    chbCenySuBezDPH->setVisible(pricesMayHaveVat());
    Timer1Timer();
    // Timer1: once the window shows, the list to choose from drops down.
    QTimer::singleShot(50, this, [this] { dropDownFirstList(); });
}

void TfVyber::dropDownFirstList()
{
    if (!isVisible() || pgTriedenie->currentIndex() != 1 || !PickerAddsLine)
        return;
    QComboBox *list = cbKategoria->count() <= 1 ? cbPolozka : cbKategoria;
    list->setFocus();
    list->showPopup();
}

// Runs when the page has been prepared: the first category, the item list
// filled when there are no categories, and the advance-bill VAT box.
void TfVyber::Timer1Timer()
{
    if (PickerAddsLine) {
        if (cbKategoria->count() > 0)
            cbKategoria->setCurrentIndex(0);
        if (cbKategoria->count() <= 1) {
            cbPolozkaEnter();
            cbPolozka->setFocus();
        } else {
            cbKategoria->setFocus();
        }
    }
    const bool condition = advanceAddsVat();
    chbAddDphToZalFakt->setChecked(services::ReadSettingBool("Faktura", "AddDphToZalFakt", condition));
    chbAddDphToZalFakt->setVisible(condition);
}

void TfVyber::cbKategoriaEnter()
{
    QStringList names;
    db::FillCategoryNameList(names);
    names.prepend(services::MessageText(181));
    const int chosen = cbKategoria->currentIndex();
    cbKategoria->clear();
    cbKategoria->addItems(names);
    cbKategoria->setCurrentIndex(chosen >= 0 && chosen < names.size() ? chosen : 0);
    services::SetComboDropDownWidth(*cbKategoria);
}

void TfVyber::cbPolozkaEnter()
{
    const QString categoryId =
        cbKategoria->currentIndex() <= 0 ? QString() : db::GetCategoryId(cbKategoria->currentText());
    QStringList names;
    db::FillItemNameList(names, categoryId);
    const QString chosen = cbPolozka->currentText();
    cbPolozka->clear();
    cbPolozka->addItems(names);
    const int kept = chosen.isEmpty() ? -1 : int(names.indexOf(chosen));
    cbPolozka->setCurrentIndex(kept >= 0 ? kept : names.isEmpty() ? -1 : 0);
    // The item still chosen keeps the quantity and price typed for it.
    if (kept < 0)
        cbPolozkaClick();
    services::SetComboDropDownWidth(*cbPolozka);
}

void TfVyber::cbPolozkaClick()
{
    db::BillCurrencyMode mode;
    mode.rate = m_bill.eKurz->text();
    mode.inForeignCurrency = m_bill.chbFakturovatVCudzejMene->isChecked();
    mode.inTwoCurrencies = m_bill.chbFakturovatVDvochMenach->isChecked();
    mode.foreignIsMain = m_bill.chbJeHlavnaCudziaMena->isChecked();
    const std::optional<db::ItemFormValues> item = db::LoadItemIntoSelection(cbPolozka->currentText(), mode);
    if (!item)
        return;
    eKod->setText(item->code);
    eMJ->setText(item->unit);
    eDPH->setText(item->vatRate);
    eCena->setText(item->price);
    eZaMJ->setText(item->perUnit);
}

void TfVyber::eKodEnter()
{
    const QString id = db::GetItemIdByCode(eKod->text());
    if (id.isEmpty() || id == QLatin1String("NULL") || eKod->text().isEmpty())
        return;
    if (cbKategoria->count() > 0)
        cbKategoria->setCurrentIndex(0);
    QStringList names;
    db::FillItemNameList(names, QString());
    cbPolozka->clear();
    cbPolozka->addItems(names);
    cbPolozka->setCurrentIndex(cbPolozka->findText(db::GetItemName(id), Qt::MatchExactly));
    cbPolozkaClick();
}

void TfVyber::bitAddItemClick()
{
    if (cbPolozka->currentIndex() < 0) {
        cbPolozka->setFocus();
        cbPolozka->showPopup();
        return;
    }
    if (!(CellTextNumber(eZaMJ->text()) > 0))
        eZaMJ->setText(QStringLiteral("1"));
    NewBillLine line = NewBillLineFromTexts({cbPolozka->currentText(), eKod->text(), eMJ->text(), eDPH->text(),
                                             ePocet->text(), eZlava->text(), eZaMJ->text()});
    line.netPrice = NetPrice(CellTextNumber(eCena->text()), line.vat,
                             !chbCenySuBezDPH->isChecked() && pricesMayHaveVat());
    line.addsVat = advanceAddsVat() && chbAddDphToZalFakt->isChecked();
    line.itemId = db::GetItemId(line.name);
    if (PickerAddsLine) {
        m_bill.addLine(line);
    } else {
        const int row = m_bill.sgPolozky->currentRowIndex();
        if (row < 1)
            return;
        m_bill.rewriteLine(row, line);
    }
    m_bill.bitAddItem->setFocus();
    m_bill.markChanged();
    m_bill.chbFakturovatVCudzejMeneClick();
    m_bill.chbFakturovatVDvochMenachClick();
    m_bill.PrepocitajFakturu();
    accept();
}

void TfVyber::bitCreateItemClick()
{
    if (!db::CanChangeItems(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(133), 48);
        return;
    }
    if (m_openItems)
        m_openItems();
    bitClearItemsClick();
}

// --- advance-bill page

void TfVyber::bitClearZalFaktClick()
{
    std::vector<db::AdvanceBillEntry> free = db::FreeAdvanceBills(m_bill.listYear());
    const std::vector<QString> onBill = m_bill.advanceBillIds();
    const auto listed = [&onBill](const QString &id) { return std::find(onBill.begin(), onBill.end(), id) != onBill.end(); };
    if (!m_bill.eCisloFaktury->text().isEmpty()) {
        chbAddItemsToBralvo->setChecked(services::ReadSettingBool("Faktura", "AddItemsToBralvo", true));
        // Removed from the stored bill in this editing: offered again.
        if (!db::BillIsNew) {
            const QString billId =
                db::GetBillId(m_bill.eCisloFaktury->text(), m_bill.listYear(), db::BillIsAdvance);
            for (const db::AdvanceBillEntry &entry : db::DeductedAdvanceBills(billId))
                free.push_back(entry);
        }
        free.erase(std::remove_if(free.begin(), free.end(), [&](const db::AdvanceBillEntry &e) { return listed(e.id); }),
                   free.end());
        std::sort(free.begin(), free.end(), [](const auto &a, const auto &b) { return a.text < b.text; });
    }
    lbZalohoveFaktury->clear();
    for (const db::AdvanceBillEntry &entry : free) {
        auto *item = new QListWidgetItem(entry.text, lbZalohoveFaktury);
        item->setData(Qt::UserRole, entry.id);
        item->setData(Qt::UserRole + 1, entry.mainCurrency);
        item->setData(Qt::UserRole + 2, entry.due);
    }
    lbZalohoveFaktury->setFocus();
    if (lbZalohoveFaktury->count() > 0)
        lbZalohoveFaktury->setCurrentRow(0);
}

void TfVyber::bitAddZalFaktClick()
{
    const QListWidgetItem *item = lbZalohoveFaktury->currentItem();
    if (!item)
        return;
    db::AdvanceBillEntry entry;
    entry.text = item->text();
    entry.id = item->data(Qt::UserRole).toString();
    entry.mainCurrency = item->data(Qt::UserRole + 1).toString();
    entry.due = item->data(Qt::UserRole + 2).toDouble();
    if (!m_bill.addAdvanceBill(entry))
        return;
    if (chbAddItemsToBralvo->isChecked()) {
        m_bill.takeOverLines(entry.id);
    }
    if (const std::optional<db::AdvanceBillCurrency> currency = db::ApplyAdvanceBillCurrency(entry.id)) {
        m_bill.selectCustomerKey(currency->customerKey);
        m_bill.chbFakturovatVCudzejMene->setChecked(currency->inForeignCurrency);
        m_bill.chbFakturovatVDvochMenach->setChecked(currency->inTwoCurrencies);
        m_bill.chbJeHlavnaCudziaMena->setChecked(currency->foreignIsMain);
        m_bill.cbCudziaMenaZobr->setEditText(currency->foreignSymbol);
        m_bill.cbCudziaMenaIso->setEditText(currency->foreignIso);
        m_bill.eKurzDomaca->setText(currency->homeRate);
        m_bill.eKurzCudzia->setText(currency->foreignRate);
        m_bill.eKurz->setText(currency->rate);
    }
    m_bill.eInternaPoznamka->setFocus();
    m_bill.markChanged();
    accept();
}

} // namespace bralvo::app
