// The customers window: layout, opening, handlers and closing.
#include "app/tfodberatelia.h"
#include "app/numberfields.h"

#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tfmain.h"
#include "app/tfpolozky.h"
#include "db/accountscope.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/retiring.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/mdihost.h"
#include "platform/widgets/named.h"
#include "services/backup.h"
#include "services/globals.h"
#include "services/gridhelpers.h"
#include "services/languagefiles.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/printlanguages.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 6;
const char kMemoHint[] = "(CTRL+ENTER = ďaľší riadok v poznámke)";
const char kIsoListLink[] = "https://www.iso.org/iso-4217-currency-codes.html";
const char kMapHost[] = "https://maps.google.com";

QLabel *label(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    auto *caption = named(new QLabel(QString::fromUtf8(text), parent), name);
    caption->setGeometry(geometry);
    return caption;
}

QLineEdit *edit(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *field = named(new QLineEdit(parent), name);
    field->setGeometry(geometry);
    return field;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    auto *box = named(new QCheckBox(QString::fromUtf8(text), parent), name);
    box->setGeometry(geometry);
    return box;
}

QPushButton *button(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    auto *push = named(new QPushButton(QString::fromUtf8(text), parent), name);
    push->setGeometry(geometry);
    return push;
}

QGroupBox *group(QWidget *parent, const char *name, const char *title, const QRect &geometry)
{
    auto *box = named(new QGroupBox(QString::fromUtf8(title), parent), name);
    box->setGeometry(geometry);
    return box;
}

void setUnderline(QLabel &label, bool underline)
{
    QFont font = label.font();
    font.setUnderline(underline);
    label.setFont(font);
}

// The entry equal to text without regard to letter case; none: nothing.
void selectIgnoringCase(QComboBox &combo, const QString &text)
{
    combo.setCurrentIndex(text.isEmpty() ? -1 : combo.findText(text, Qt::MatchFixedString));
}

// Refills a drop-down list with an empty first entry and the names, keeping
// the chosen index (clamped to the last entry).
void refillKeepingIndex(QComboBox &combo, QStringList names)
{
    const int chosen = combo.currentIndex();
    names.prepend(QString());
    const QSignalBlocker quiet(&combo);  // refilling is not choosing
    combo.clear();
    combo.addItems(names);
    services::SetComboDropDownWidth(combo);
    combo.setCurrentIndex(qMin(chosen, combo.count() - 1));
}

} // namespace

QString MapSearchUrl(const QString &place)
{
    return QLatin1String(kMapHost) + QStringLiteral("/maps?f=q&q=") +
           QString::fromLatin1(QUrl::toPercentEncoding(place));
}

TfOdberatelia *TfOdberatelia::OpenInMdi(TfMain &main, AccountsOpener customerAccounts)
{
    auto *window = new TfOdberatelia(main, std::move(customerAccounts));
    window->m_inMdi = true;
    platform::MdiHost(*main.mdiArea()).openMaximized(window);
    if (QWidget *frame = window->parentWidget()) {
        // The window has no border of its own.
        frame->setWindowFlags(frame->windowFlags() | Qt::FramelessWindowHint);
        frame->showMaximized();
    }
    services::LocalizeForm(window);
    window->setWindowTitle(services::MessageText(146));
    window->FillCustomerList();
    window->bitClearValuesClick();
    return window;
}

void TfOdberatelia::OpenModal(TfMain &main, AccountsOpener customerAccounts)
{
    QPointer<TfOdberatelia> window = new TfOdberatelia(main, std::move(customerAccounts));
    window->setParent(&main, Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                                 | Qt::WindowCloseButtonHint);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowModality(Qt::ApplicationModal);
    window->resize(1024, 768);
    CentreOver(*window, main);
    window->setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(146));
    services::ApplyLanguageToForm(QStringLiteral("SK"), window);
    try {
        window->FillCustomerList();
        window->bitClearValuesClick();
    } catch (...) {
        delete window;
        throw;
    }
    QEventLoop loop;
    connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (services::ScreenWidth <= 1024 || services::ScreenHeight <= 788)
        window->showMaximized();
    else
        window->show();
    loop.exec();
}

TfOdberatelia::TfOdberatelia(TfMain &main, AccountsOpener customerAccounts)
    : m_main(main), m_customerAccounts(std::move(customerAccounts))
{
    setObjectName(QStringLiteral("fOdberatelia"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(990, 680);
    pnlMain = named(new QWidget(this), "pnlMain");
    pnlMain->resize(990, 680);
    buildIdentity();
    buildContact();
    buildSettings();
    buildButtons();
    connectHandlers();
    m_keys = new platform::KeyPreview(this);
    m_keys->setEscapeHandler([this] { closeWindow(); });
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_odberatelov")); });
    watchControls();  // after KeyPreview: the window's own keys come first
}

void TfOdberatelia::buildIdentity()
{
    GroupBox1 = group(pnlMain, "GroupBox1", "Zoznam odberateľov", {8, 8, 250, 620});
    lbOdberatelia = named(new QListWidget(GroupBox1), "lbOdberatelia");
    lbOdberatelia->setGeometry(8, 20, 234, 554);
    bitDeleteOdberatel = button(GroupBox1, "bitDeleteOdberatel", "Zmazať označeného odberateľa", {8, 580, 234, 30});

    GroupBox2 = group(pnlMain, "GroupBox2", "Firma / Osoba", {266, 8, 360, 352});
    Label1 = label(GroupBox2, "Label1", "Názov *", {12, 20, 200, 16});
    eNazov = edit(GroupBox2, "eNazov", {12, 36, 336, 23});
    eNazov->setMaxLength(70);
    chbPlatca = checkBox(GroupBox2, "chbPlatca", "Platca DPH", {12, 64, 160, 20});
    Label2 = label(GroupBox2, "Label2", "IČO", {12, 88, 100, 16});
    eICO = edit(GroupBox2, "eICO", {12, 104, 104, 23});
    Label3 = label(GroupBox2, "Label3", "DIČ", {124, 88, 100, 16});
    eDIC = edit(GroupBox2, "eDIC", {124, 104, 104, 23});
    Label4 = label(GroupBox2, "Label4", "IČ DPH", {236, 88, 100, 16});
    eICDPH = edit(GroupBox2, "eICDPH", {236, 104, 112, 23});
    GroupBox3 = group(GroupBox2, "GroupBox3", "Adresa", {8, 134, 344, 186});
    Label5 = label(GroupBox3, "Label5", "Ulica", {8, 18, 200, 16});
    eUlica = edit(GroupBox3, "eUlica", {8, 34, 264, 23});
    bMapa1 = button(GroupBox3, "bMapa1", "mapa", {278, 33, 58, 25});
    Label6 = label(GroupBox3, "Label6", "PSČ", {8, 62, 80, 16});
    ePSC = edit(GroupBox3, "ePSC", {8, 78, 80, 23});
    Label7 = label(GroupBox3, "Label7", "Mesto", {96, 62, 160, 16});
    eMesto = edit(GroupBox3, "eMesto", {96, 78, 176, 23});
    bMapa2 = button(GroupBox3, "bMapa2", "mapa", {278, 77, 58, 25});
    Label8 = label(GroupBox3, "Label8", "Štát", {8, 106, 160, 16});
    eStat = edit(GroupBox3, "eStat", {8, 122, 264, 23});
    chbZahranicny = checkBox(GroupBox3, "chbZahranicny", "Zahraničný odberateľ", {8, 152, 260, 20});
}

void TfOdberatelia::buildContact()
{
    GroupBox4 = group(pnlMain, "GroupBox4", "Kontaktná osoba", {266, 366, 360, 128});
    Label9 = label(GroupBox4, "Label9", "Meno", {12, 20, 160, 16});
    eMeno = edit(GroupBox4, "eMeno", {12, 36, 164, 23});
    Label10 = label(GroupBox4, "Label10", "Mobil", {184, 20, 160, 16});
    eMobil = edit(GroupBox4, "eMobil", {184, 36, 164, 23});
    Label11 = label(GroupBox4, "Label11", "Fax", {12, 64, 160, 16});
    eFax = edit(GroupBox4, "eFax", {12, 80, 164, 23});
    Label12 = label(GroupBox4, "Label12", "E-mail", {184, 64, 160, 16});
    eMail = edit(GroupBox4, "eMail", {184, 80, 164, 23});
    Label13 = label(pnlMain, "Label13", "Interná poznámka", {266, 498, 200, 16});
    mInternaPoznamka = named(new QPlainTextEdit(pnlMain), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(266, 514, 360, 96);
    mInternaPoznamka->setToolTip(QString::fromUtf8(kMemoHint));
    Label14 = label(pnlMain, "Label14", kMemoHint, {266, 612, 360, 16});
}

void TfOdberatelia::buildSettings()
{
    GroupBox5 = group(pnlMain, "GroupBox5", "Nastavenia odberateľa", {634, 8, 348, 468});
    chbFakturovatBezDPH = checkBox(GroupBox5, "chbFakturovatBezDPH", "Faktúrovať bez DPH", {12, 20, 320, 20});
    chbFakturovatVCudzejMene =
        checkBox(GroupBox5, "chbFakturovatVCudzejMene", "Faktúrovať v cudzej mene", {12, 42, 320, 20});
    chbFakturovatVDvochMenach =
        checkBox(GroupBox5, "chbFakturovatVDvochMenach", "Vystaviť faktúru v dvoch menách", {12, 64, 320, 20});
    Label16 = label(GroupBox5, "Label16", "Cudzia mena", {12, 90, 86, 16});
    cbCudziaMenaZobr = named(new QComboBox(GroupBox5), "cbCudziaMenaZobr");
    cbCudziaMenaZobr->setEditable(true);
    cbCudziaMenaZobr->addItems({"Kč", "Sk", "€", "$", "GBP", "Ft", "zł", "CHF"});
    cbCudziaMenaZobr->setGeometry(100, 86, 76, 23);
    cbCudziaMenaIso = named(new QComboBox(GroupBox5), "cbCudziaMenaIso");
    cbCudziaMenaIso->setEditable(true);
    cbCudziaMenaIso->addItems({"CZK", "SKK", "EUR", "USD", "GBP", "HUF", "PLN", "CHF"});
    cbCudziaMenaIso->setGeometry(182, 86, 76, 23);
    Label15 = label(GroupBox5, "Label15", "(ISO 4217)", {264, 90, 76, 16});
    Label15->setToolTip(QLatin1String(kIsoListLink));
    Label15->setCursor(Qt::PointingHandCursor);
    setUnderline(*Label15, true);
    chbJeHlavnaCudziaMena = checkBox(GroupBox5, "chbJeHlavnaCudziaMena",
                                     "Za hlavnú menu považovať vo faktúre cudziu menu", {12, 114, 330, 20});
    chbJeHlavnaCudziaMena->setChecked(true);
    GroupBox6 = group(GroupBox5, "GroupBox6", "Účty", {8, 138, 332, 84});
    cbHlavnyUcet = named(new QComboBox(GroupBox6), "cbHlavnyUcet");
    cbHlavnyUcet->setGeometry(8, 20, 316, 23);
    Label17 = label(GroupBox6, "Label17", "Tento účet bude automaticky používaný vo faktúrach tomuto odberateľovi.",
                    {8, 46, 316, 32});
    Label17->setWordWrap(true);
    GroupBox7 = group(GroupBox5, "GroupBox7", "Poznámky", {8, 226, 332, 84});
    cbHlavnaPoznamka = named(new QComboBox(GroupBox7), "cbHlavnaPoznamka");
    cbHlavnaPoznamka->setGeometry(8, 20, 316, 23);
    Label18 = label(GroupBox7, "Label18",
                    "Táto poznámka bude automaticky používaná vo faktúrach tomuto odberateľovi.", {8, 46, 316, 32});
    Label18->setWordWrap(true);
    Label19 = label(GroupBox5, "Label19", "Splatnosť faktúry", {12, 318, 200, 16});
    eDniSplatnosti = edit(GroupBox5, "eDniSplatnosti", {220, 314, 112, 23});
    AcceptOnlyNumbers(*eDniSplatnosti, true);
    Label20 = label(GroupBox5, "Label20", "Predvolený variabilný symbol", {12, 346, 200, 16});
    eVS = edit(GroupBox5, "eVS", {220, 342, 112, 23});
    Label21 = label(GroupBox5, "Label21", "Vytlačiť faktúru v jazyku:", {12, 374, 200, 16});
    cbJazyk = named(new QComboBox(GroupBox5), "cbJazyk");
    cbJazyk->setGeometry(12, 392, 320, 23);
}

void TfOdberatelia::buildButtons()
{
    GroupBox8 = group(pnlMain, "GroupBox8", "Účty odberateľa", {634, 480, 348, 118});
    bitSpravaUctovOdb = button(GroupBox8, "bitSpravaUctovOdb", "Správa účtov odberateľa", {12, 20, 324, 28});
    bitSpravaUctovUziv = button(GroupBox8, "bitSpravaUctovUziv", "Správa účtov užívateľa", {12, 52, 324, 28});
    bitSpravaPoznamok = button(GroupBox8, "bitSpravaPoznamok", "Správa poznámok", {12, 84, 324, 28});
    bitAddOdberatel = button(pnlMain, "bitAddOdberatel", "Pridať / uložiť odberateľa", {320, 636, 306, 34});
    bitClearValues = button(pnlMain, "bitClearValues",
                            "Vyčistiť políčka pre zadávanie nového odberateľa", {8, 636, 304, 34});
    btnBack = button(pnlMain, "btnBack", "Späť (ESC)", {634, 636, 348, 34});
}

void TfOdberatelia::connectHandlers()
{
    const auto guarded = [this](QPushButton *push, void (TfOdberatelia::*handler)()) {
        connect(push, &QPushButton::clicked, this, [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    };
    guarded(bitAddOdberatel, &TfOdberatelia::bitAddOdberatelClick);
    guarded(bitClearValues, &TfOdberatelia::bitClearValuesClick);
    guarded(bitDeleteOdberatel, &TfOdberatelia::bitDeleteOdberatelClick);
    guarded(bitSpravaUctovOdb, &TfOdberatelia::bitSpravaUctovOdbClick);
    guarded(bitSpravaUctovUziv, &TfOdberatelia::bitSpravaUctovUzivClick);
    guarded(bitSpravaPoznamok, &TfOdberatelia::bitSpravaPoznamokClick);
    guarded(bMapa1, &TfOdberatelia::bMapa1Click);
    guarded(bMapa2, &TfOdberatelia::bMapa2Click);
    guarded(btnBack, &TfOdberatelia::btnBackClick);
    connect(lbOdberatelia, &QListWidget::itemClicked, this,
            [this] { RunGuarded([this] { lbOdberateliaClick(); }); });
    // activated: the user's choice only; pairing by code stays quiet.
    connect(cbCudziaMenaZobr, &QComboBox::activated, this, [this] { cbCudziaMenaZobrClick(*cbCudziaMenaZobr); });
    connect(cbCudziaMenaIso, &QComboBox::activated, this, [this] { cbCudziaMenaZobrClick(*cbCudziaMenaIso); });
}

void TfOdberatelia::watchControls()
{
    for (QWidget *control : pnlMain->findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (qobject_cast<QGroupBox *>(control) || name.isEmpty() || name.startsWith(QLatin1String("qt_")))
            continue;
        if (qobject_cast<QLabel *>(control) && control != Label15)
            continue;
        control->installEventFilter(this);
    }
}

void TfOdberatelia::FillCustomerList()
{
    QStringList names;
    db::FillCustomerNameList(names);
    lbOdberatelia->clear();
    lbOdberatelia->addItems(names);
}

db::CustomerFormValues TfOdberatelia::formValues() const
{
    db::CustomerFormValues f;
    f.name = eNazov->text();
    f.street = eUlica->text();
    f.zip = ePSC->text();
    f.city = eMesto->text();
    f.country = eStat->text();
    f.vatPayer = chbPlatca->isChecked();
    f.foreign = chbZahranicny->isChecked();
    f.ico = eICO->text();
    f.dic = eDIC->text();
    f.icdph = eICDPH->text();
    f.contact = eMeno->text();
    f.phone = eMobil->text();
    f.fax = eFax->text();
    f.email = eMail->text();
    f.mainAccount = cbHlavnyUcet->currentText();
    f.mainNote = cbHlavnaPoznamka->currentText();
    f.withoutVat = chbFakturovatBezDPH->isChecked();
    f.inForeignCurrency = chbFakturovatVCudzejMene->isChecked();
    f.inTwoCurrencies = chbFakturovatVDvochMenach->isChecked();
    f.foreignIsMain = chbJeHlavnaCudziaMena->isChecked();
    f.foreignSymbol = cbCudziaMenaZobr->currentText();
    f.foreignIso = cbCudziaMenaIso->currentText();
    f.language = cbJazyk->currentText();
    f.dueDays = eDniSplatnosti->text();
    f.variableSymbol = eVS->text();
    f.internalNote = mInternaPoznamka->toPlainText();
    return f;
}

void TfOdberatelia::showValues(const db::CustomerFormValues &c)
{
    eNazov->setText(c.name);
    chbPlatca->setChecked(c.vatPayer);
    chbZahranicny->setChecked(c.foreign);
    eICO->setText(c.ico);
    eDIC->setText(c.dic);
    eICDPH->setText(c.icdph);
    eUlica->setText(c.street);
    ePSC->setText(c.zip);
    eMesto->setText(c.city);
    eStat->setText(c.country);
    eMeno->setText(c.contact);
    eMobil->setText(c.phone);
    eFax->setText(c.fax);
    eMail->setText(c.email);
    cbHlavnyUcetEnter();
    cbHlavnaPoznamkaEnter();
    selectIgnoringCase(*cbHlavnyUcet, c.mainAccount);
    selectIgnoringCase(*cbHlavnaPoznamka, c.mainNote);
    chbFakturovatBezDPH->setChecked(c.withoutVat);
    chbFakturovatVCudzejMene->setChecked(c.inForeignCurrency);
    chbFakturovatVDvochMenach->setChecked(c.inTwoCurrencies);
    chbJeHlavnaCudziaMena->setChecked(c.foreignIsMain);
    cbCudziaMenaZobr->setEditText(c.foreignSymbol);
    cbCudziaMenaIso->setEditText(c.foreignIso);
    cbJazyk->setCurrentIndex(cbJazyk->findText(c.language, Qt::MatchExactly));
    eDniSplatnosti->setText(c.dueDays);
    eVS->setText(c.variableSymbol);
    mInternaPoznamka->setPlainText(c.internalNote);
}

void TfOdberatelia::bitAddOdberatelClick()
{
    services::TrimMemoTail(*mInternaPoznamka);
    const QString name = eNazov->text();
    const bool existed = db::CustomerExists(name);
    if (!db::SaveCustomer(formValues(), *this))
        return;
    FillCustomerList();
    services::ShowMessageBox(MessageWithName(existed ? 149 : 148, name), services::kMbInformation);
    bitClearValuesClick();
}

void TfOdberatelia::bitClearValuesClick()
{
    for (QLineEdit *field : pnlMain->findChildren<QLineEdit *>())
        if (!field->objectName().isEmpty())
            field->clear();
    mInternaPoznamka->clear();
    for (QCheckBox *box : {chbPlatca, chbZahranicny, chbFakturovatBezDPH, chbFakturovatVCudzejMene,
                           chbFakturovatVDvochMenach, chbJeHlavnaCudziaMena})
        box->setChecked(false);
    for (QComboBox *combo : {cbCudziaMenaZobr, cbCudziaMenaIso}) {
        combo->setCurrentIndex(-1);
        combo->clearEditText();
    }
    cbHlavnyUcet->setCurrentIndex(-1);
    cbHlavnaPoznamka->setCurrentIndex(-1);
    QStringList languages = services::ListPrintLanguages();
    languages.prepend(QString());
    cbJazyk->clear();
    cbJazyk->addItems(languages);
    eNazov->setFocus();
}

void TfOdberatelia::bitDeleteOdberatelClick()
{
    const int index = lbOdberatelia->currentRow();
    const QListWidgetItem *item = lbOdberatelia->currentItem();
    if (!item || !item->isSelected()) {
        services::ShowMessageBox(services::MessageText(150), services::kMbWarning);
        return;
    }
    const QString name = item->text();
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    if (db::DeleteCustomer(name)) {
        FillCustomerList();
        services::ShowMessageBox(QStringLiteral("\"") + name + QStringLiteral("\" ") + services::MessageText(126) +
                                     QStringLiteral("."),
                                 services::kMbInformation);
    }
    lbOdberatelia->setCurrentRow(qMin(index, lbOdberatelia->count() - 1));
}

void TfOdberatelia::lbOdberateliaClick()
{
    const QListWidgetItem *item = lbOdberatelia->currentItem();
    if (!item || !item->isSelected())
        return;
    if (const std::optional<db::CustomerFormValues> customer = db::LoadCustomerForm(item->text()))
        showValues(*customer);
}

void TfOdberatelia::bitSpravaUctovOdbClick()
{
    const QString customerId = db::GetCustomerId(eNazov->text());
    if (customerId.isEmpty())
        return;
    db::SetCustomerAccountScope(customerId);
    // The main-account combo and the save's account lookup work on the
    // firm's own accounts, so the customer's scope ends with the window.
    struct OwnScopeAfter {
        ~OwnScopeAfter() { db::SetOwnAccountScope(); }
    } restore;
    if (m_customerAccounts)
        m_customerAccounts();
}

void TfOdberatelia::bitSpravaUctovUzivClick()
{
    db::SetOwnAccountScope();
    m_main.menuSpravaUctovClick();
}

void TfOdberatelia::bitSpravaPoznamokClick()
{
    m_main.menuSpravaPoznamokClick();
}

void TfOdberatelia::bMapa1Click()
{
    services::OpenWithDesktop(MapSearchUrl(eMesto->text() + QStringLiteral(", ") + eUlica->text()));
}

void TfOdberatelia::bMapa2Click()
{
    services::OpenWithDesktop(MapSearchUrl(eMesto->text()));
}

void TfOdberatelia::cbCudziaMenaZobrClick(QComboBox &chosen)
{
    QComboBox &other = &chosen == cbCudziaMenaZobr ? *cbCudziaMenaIso : *cbCudziaMenaZobr;
    other.setCurrentIndex(chosen.currentIndex());
}

void TfOdberatelia::cbCudziaMenaZobrExit(QComboBox &combo)
{
    services::RestoreColorOnExit(combo, kColorSlot);
    combo.setEditText(services::StripDigits(combo.currentText()));
}

void TfOdberatelia::cbHlavnyUcetEnter()
{
    QStringList names;
    db::FillAccountNameList(names);
    refillKeepingIndex(*cbHlavnyUcet, names);
}

void TfOdberatelia::cbHlavnaPoznamkaEnter()
{
    QStringList names;
    db::FillNoteNameList(names);
    refillKeepingIndex(*cbHlavnaPoznamka, names);
}

void TfOdberatelia::btnBackClick()
{
    closeWindow();
}

void TfOdberatelia::closeWindow()
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
        frame->close();
    else
        close();
}

void TfOdberatelia::focusControl(const QString &controlName)
{
    if (QWidget *control = findChild<QWidget *>(controlName))
        control->setFocus();
}

void TfOdberatelia::focusEntered(QWidget &control)
{
    if (&control == Label15)
        return;
    services::HighlightOnEnter(control, 1, kColorSlot);
    if (&control == cbHlavnyUcet)
        RunGuarded([this] { cbHlavnyUcetEnter(); });
    else if (&control == cbHlavnaPoznamka)
        RunGuarded([this] { cbHlavnaPoznamkaEnter(); });
    else if (&control == cbJazyk)
        services::SetComboDropDownWidth(*cbJazyk);
}

void TfOdberatelia::focusLeft(QWidget &control)
{
    if (&control == cbCudziaMenaZobr || &control == cbCudziaMenaIso)
        cbCudziaMenaZobrExit(static_cast<QComboBox &>(control));
    else if (&control != Label15)
        services::RestoreColorOnExit(control, kColorSlot);
}

bool TfOdberatelia::keyPressed(QWidget &control, const QKeyEvent &key)
{
    const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    if (&control == mInternaPoznamka && enter && (key.modifiers() & Qt::ControlModifier)) {
        mInternaPoznamka->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    // Lists and combos keep their arrow keys; a focused push button is
    // pressed by Enter (KeyPreview).
    if (qobject_cast<QComboBox *>(&control) || &control == lbOdberatelia)
        return enter && MoveFocusByKey(*this, control, key);
    if (enter && qobject_cast<QPushButton *>(&control))
        return false;
    return MoveFocusByKey(*this, control, key);
}

bool TfOdberatelia::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (!control)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (IsOwnFocusMove(*event))
            focusEntered(*control);
        break;
    case QEvent::FocusOut:
        if (IsOwnFocusMove(*event))
            focusLeft(*control);
        break;
    case QEvent::KeyPress:
        if (keyPressed(*control, *static_cast<QKeyEvent *>(event)))
            return true;
        break;
    case QEvent::KeyRelease:
        if (control == lbOdberatelia && IsListMoveKey(*static_cast<QKeyEvent *>(event)))
            RunGuarded([this] { lbOdberateliaClick(); });
        break;
    case QEvent::MouseButtonPress:
        if (control == Label15)
            services::OpenControlLink(*Label15);
        break;
    case QEvent::Enter:
        if (control == Label15)
            setUnderline(*Label15, false);
        break;
    case QEvent::Leave:
        if (control == Label15)
            setUnderline(*Label15, true);
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

void TfOdberatelia::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_inMdi)
        return;
    m_main.setUpdatesEnabled(false);
    m_main.WorkingWindowClosing(*this);
    m_main.setUpdatesEnabled(true);
}

void TfOdberatelia::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    services::CenterPanels(*this);
}

void TfOdberatelia::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    services::ApplyLanguageToForm(QStringLiteral("SK"), this);
}

} // namespace bralvo::app
