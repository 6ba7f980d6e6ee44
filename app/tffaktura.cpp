// The bill editor: layout, opening, and the header, customer, currency,
// note and account handlers. Lines, saving, printing and the totals are in
// tffakturalines.cpp.
#include "app/tffaktura.h"

#include "app/appstate.h"
#include "app/billlinecells.h"
#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tfmain.h"
#include "app/tfpolozky.h"
#include "app/tfvyber.h"
#include "db/accountscope.h"
#include "db/billgrids.h"
#include "db/billnumbering.h"
#include "db/billstate.h"
#include "db/currentuser.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/rights.h"
#include "platform/conversionerror.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/closeupcombobox.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/maskeddateedit.h"
#include "platform/widgets/named.h"
#include "platform/widgets/stringgrid.h"
#include "services/billnumbers.h"
#include "services/dates.h"
#include "services/exchangerates.h"
#include "services/globals.h"
#include "services/gridhelpers.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/printlanguages.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <cmath>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kColorSlot = 10;
const char kIsoListLink[] = "https://www.iso.org/iso-4217-currency-codes.html";
const char *const kSymbols[] = {"Kč", "Sk", "€", "$", "GBP", "Ft", "zł", "CHF"};
const char *const kIsoCodes[] = {"CZK", "SKK", "EUR", "USD", "GBP", "HUF", "PLN", "CHF"};

template <typename T>
T *place(T *widget, const char *name, const QRect &geometry)
{
    named(widget, name)->setGeometry(geometry);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    return place(new QLabel(QString::fromUtf8(text), parent), name, geometry);
}

QLineEdit *edit(QWidget *parent, const char *name, int maxLength, const QRect &geometry)
{
    auto *field = place(new QLineEdit(parent), name, geometry);
    if (maxLength > 0)
        field->setMaxLength(maxLength);
    return field;
}

QPushButton *button(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    return place(new QPushButton(QString::fromUtf8(text), parent), name, geometry);
}

QCheckBox *checkBox(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    return place(new QCheckBox(QString::fromUtf8(text), parent), name, geometry);
}

QDateEdit *dateEdit(QWidget *parent, const char *name, const QRect &geometry)
{
    auto *field = place(new QDateEdit(parent), name, geometry);
    field->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    field->setCalendarPopup(true);
    return field;
}

int dueDays()
{
    try {
        return services::ParseNumberCeil(services::ReadSetting("Faktura", "Splatnost", "10"));
    } catch (const platform::ConversionError &) {
        return 10;
    }
}

// The UI texts first..last, leaving out those that are "-".
QStringList textsWithoutDashes(int first, int last)
{
    QStringList items;
    for (int number = first; number <= last; ++number) {
        const QString text = services::MessageText(number);
        if (text != QLatin1String("-"))
            items << text;
    }
    return items;
}

void selectIgnoringCase(QComboBox &combo, const QString &text)
{
    combo.setCurrentIndex(text.isEmpty() ? -1 : combo.findText(text, Qt::MatchFixedString));
}

void setItems(QComboBox &combo, const QStringList &items)
{
    const QSignalBlocker quiet(&combo);
    combo.clear();
    combo.addItems(items);
    combo.setCurrentIndex(-1);
}

// New items for an editable combo; the text shown stays.
void refillKeepingText(QComboBox &combo, const QStringList &items)
{
    const QString text = combo.currentText();
    setItems(combo, items);
    const QSignalBlocker quiet(&combo);
    combo.setEditText(text);
}

void setUnderline(QLabel &label, bool underline)
{
    QFont font = label.font();
    font.setUnderline(underline);
    label.setFont(font);
}

// The first two letters of the title without accents, upper-cased, the
// year's last two digits and "00001".
QString firstNumber(bool isAdvance, const QString &year)
{
    const QString title = services::RemoveDiacritics(services::MessageText(isAdvance ? 210 : 170));
    return title.left(2).toUpper() + year.right(2) + services::PadString(QStringLiteral("1"), u'0', u'R', 5);
}

} // namespace

QString ProposedBillNumber(bool isAdvance, const QString &year)
{
    if (db::CountBills(isAdvance ? QStringLiteral("2") : QStringLiteral("1"), year) > 0)
        return db::IncrementBillNumber(db::GetLastBillNumber(isAdvance, year));
    return firstNumber(isAdvance, year);
}

int RoundingStepIndex(const QStringList &steps, const QString &setting)
{
    double wanted = 0;
    try {
        wanted = services::ParseNumber(setting);
    } catch (const platform::ConversionError &) {
        wanted = 0;
    }
    if (setting.trimmed().isEmpty() || wanted == 0)
        wanted = 0.5;
    for (int i = 0; i < steps.size(); ++i)
        if (std::abs(CellTextNumber(steps[i]) - wanted) < 1e-9)
            return i;
    return -1;
}

QString AdvanceCurrencyRefusal(const QString &entry, const QString &billCurrency)
{
    return services::FillPlaceholders(
        QString::fromUtf8("Zálohovú faktúru \"%s\" nemožno odpočítať: je vystavená v inej mene, než je hlavná mena "
                          "faktúry (%s)."),
        {entry, billCurrency});
}

QString ProposedVariableSymbol(const QString &number)
{
    if (!services::ReadSettingBool("Faktura", "FullAutoCislovanie", true))
        return QString();
    return services::IncrementTrailingNumber(number, 0);
}

TfFaktura::TfFaktura(TfMain &main) : QDialog(&main), m_main(main)
{
    setObjectName(QStringLiteral("fFaktura"));
    setWindowFlags(Qt::Window | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setMinimumSize(1024, 738);
    resize(1024, 768);
    buildHeader();
    buildCustomer();
    buildCurrency();
    buildLines();
    fillFixedLists();
    connectHandlers();
    connectChanges();
    m_keys = new platform::KeyPreview(this);
    m_keys->setEscapeHandler([this] { reject(); });
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("vystavovanie_faktur")); });
    installShortcuts();
    // After KeyPreview: the window's own keys come first.
    for (QWidget *control : findChildren<QWidget *>())
        control->installEventFilter(this);
}

void TfFaktura::buildHeader()
{
    lblFaktura = label(this, "lblFaktura", "FAKTÚRA", {8, 4, 400, 24});
    QFont bold = lblFaktura->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 4);
    lblFaktura->setFont(bold);
    auto *header = place(new QGroupBox(this), "GroupBox1", {8, 30, 500, 200});
    label(header, "Label1", "Číslo faktúry", {8, 8, 110, 16});
    eCisloFaktury = edit(header, "eCisloFaktury", 15, {8, 24, 110, 23});
    label(header, "Label2", "Číslo objednávky", {126, 8, 110, 16});
    eCisloObjednavky = edit(header, "eCisloObjednavky", 15, {126, 24, 110, 23});
    label(header, "Label3", "Variabilný symbol", {244, 8, 120, 16});
    eVS = edit(header, "eVS", 0, {244, 24, 120, 23});
    label(header, "Label4", "Špecifický symbol", {372, 8, 120, 16});
    eSS = edit(header, "eSS", 0, {372, 24, 120, 23});
    label(header, "Label5", "Konštantný symbol", {8, 52, 200, 16});
    cbKS = place(new QComboBox(header), "cbKS", {8, 68, 240, 23});
    cbKS->setEditable(true);
    cbKS->setMaxVisibleItems(15);
    label(header, "Label6", "Forma úhrady", {256, 52, 200, 16});
    cbFormaUhrady = place(new QComboBox(header), "cbFormaUhrady", {256, 68, 236, 23});
    cbFormaUhrady->setEditable(true);
    cbFormaUhrady->setMaxVisibleItems(15);
    label(header, "Label7", "Dátum vystavenia", {8, 96, 116, 16});
    eDatumVystavenia = dateEdit(header, "eDatumVystavenia", {8, 112, 116, 23});
    label(header, "Label8", "Dátum splatnosti", {130, 96, 116, 16});
    eDatumSplatnosti = dateEdit(header, "eDatumSplatnosti", {130, 112, 116, 23});
    label(header, "Label9", "Dátum dodania", {252, 96, 116, 16});
    eDatumDodania = place(new platform::MaskedDateEdit(header), "eDatumDodania", {252, 112, 116, 23});
    label(header, "Label10", "Dátum platby", {374, 96, 116, 16});
    eDatumPlatby = place(new platform::MaskedDateEdit(header), "eDatumPlatby", {374, 112, 116, 23});
    label(header, "Label11", "Oprávnenie", {8, 140, 200, 16});
    eOpravnenie = edit(header, "eOpravnenie", 0, {8, 156, 484, 23});
}

void TfFaktura::buildCustomer()
{
    auto *parties = place(new QGroupBox(this), "GroupBox2", {516, 30, 500, 200});
    label(parties, "Label13", "Vystavil", {8, 8, 200, 16});
    mVystavil = place(new QPlainTextEdit(parties), "mVystavil", {8, 24, 236, 120});
    mVystavil->setReadOnly(true);
    label(parties, "Label14", "Odberateľ", {252, 8, 200, 16});
    cbOdberatel = place(new platform::CloseUpComboBox(parties), "cbOdberatel", {252, 24, 240, 23});
    cbOdberatel->setMaxVisibleItems(30);
    mOdberatel = place(new QPlainTextEdit(parties), "mOdberatel", {252, 50, 240, 94});
    mOdberatel->setReadOnly(true);
    bitVyberOdberatela = button(parties, "bitVyberOdberatela", "Spresnený výber odberateľa...", {252, 150, 240, 26});
    auto *advances = place(new QGroupBox(QString::fromUtf8("Zálohové faktúry"), this), "GroupBox3",
                           {8, 234, 300, 130});
    lbZalohoveFaktury = place(new QListWidget(advances), "lbZalohoveFaktury", {8, 20, 200, 100});
    bitPridatFakturu = button(advances, "bitPridatFakturu", "Pridať...", {214, 20, 78, 26});
    bitZmazatFakturu = button(advances, "bitZmazatFakturu", "Odobrať", {214, 52, 78, 26});
}

void TfFaktura::buildCurrency()
{
    auto *options = place(new QGroupBox(this), "GroupBox4", {316, 234, 700, 130});
    chbFakturovatBezDPH = checkBox(options, "chbFakturovatBezDPH", "Faktúrovať bez DPH", {8, 8, 180, 20});
    label(options, "Label15", "Jazyk", {8, 30, 60, 16});
    cbJazyk = place(new QComboBox(options), "cbJazyk", {8, 46, 180, 23});
    chbFakturovatVCudzejMene = checkBox(options, "chbFakturovatVCudzejMene", "Faktúrovať v cudzej mene", {8, 74, 190, 20});
    label(options, "Label16", "Zaokrúhlenie", {8, 96, 90, 16});
    cbZaokruhlovanie = place(new QComboBox(options), "cbZaokruhlovanie", {100, 96, 88, 23});
    pMena = place(new QWidget(options), "pMena", {200, 4, 496, 122});
    pMena->hide();
    cbCudziaMenaZobr = place(new QComboBox(pMena), "cbCudziaMenaZobr", {4, 4, 70, 23});
    cbCudziaMenaIso = place(new QComboBox(pMena), "cbCudziaMenaIso", {80, 4, 70, 23});
    for (const char *symbol : kSymbols)
        cbCudziaMenaZobr->addItem(QString::fromUtf8(symbol));
    for (const char *code : kIsoCodes)
        cbCudziaMenaIso->addItem(QString::fromUtf8(code));
    for (QComboBox *combo : {cbCudziaMenaZobr, cbCudziaMenaIso}) {
        combo->setEditable(true);
        combo->setCurrentIndex(-1);
    }
    Label12 = label(pMena, "Label12", "(ISO 4217)", {156, 8, 70, 16});
    Label12->setToolTip(QLatin1String(kIsoListLink));
    Label12->setCursor(Qt::PointingHandCursor);
    setUnderline(*Label12, true);
    eKurzCudzia = edit(pMena, "eKurzCudzia", 0, {4, 32, 70, 23});
    eKurzCudzia->setText(QStringLiteral("1,0000"));
    lblMena1 = label(pMena, "lblMena1", "", {78, 36, 40, 16});
    eKurzDomaca = edit(pMena, "eKurzDomaca", 0, {120, 32, 80, 23});
    eKurzDomaca->setText(QStringLiteral("33,0000"));
    lblMena2 = label(pMena, "lblMena2", "", {204, 36, 40, 16});
    eKurz = edit(pMena, "eKurz", 15, {250, 32, 110, 23});
    bitKurz = button(pMena, "bitKurz", "Načítať kurz z internetu", {250, 4, 170, 24});
    label(pMena, "Label19", "(Len ak je hlavná mena SKK alebo CZK.)", {4, 60, 300, 16});
    chbFakturovatVDvochMenach = checkBox(pMena, "chbFakturovatVDvochMenach", "Vystaviť faktúru v dvoch menách",
                                         {4, 78, 300, 20});
    chbJeHlavnaCudziaMena = checkBox(pMena, "chbJeHlavnaCudziaMena",
                                     "Za hlavnú menu považovať vo faktúre cudziu menu", {4, 98, 400, 20});
    chbJeHlavnaCudziaMena->setChecked(true);
    chbJeHlavnaCudziaMena->setEnabled(false);
}

void TfFaktura::buildLines()
{
    label(this, "Label17", "Interná poznámka", {8, 368, 120, 16});
    eInternaPoznamka = edit(this, "eInternaPoznamka", 255, {130, 366, 336, 23});
    cbPoznamka = place(new QComboBox(this), "cbPoznamka", {472, 366, 174, 23});
    cbPoznamka->setMaxVisibleItems(10);
    bitSpravaPoznamok = button(this, "bitSpravaPoznamok", "Správa poznámok", {650, 364, 140, 26});
    cbUcet = place(new QComboBox(this), "cbUcet", {794, 366, 110, 23});
    bitSpravaUctovUziv = button(this, "bitSpravaUctovUziv", "Správa účtov", {908, 364, 108, 26});
    sgPolozky = place(new platform::StringGrid(this), "sgPolozky", {8, 394, 1008, 190});
    sgPolozky->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgPolozky->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bitAddItem = button(this, "bitAddItem", "Pridať zo zoznamu (F5)", {8, 590, 180, 28});
    bitAddSimpleItem = button(this, "bitAddSimpleItem", "Pridať jednorázovú (F6)", {192, 590, 180, 28});
    bitDeleteItem = button(this, "bitDeleteItem", "Odstrániť položku (DEL)", {376, 590, 180, 28});
    lblSuma1Left = place(new SummaryLabel(this), "lblSuma1Left", {600, 590, 200, 112});
    lblSuma2Right = place(new SummaryLabel(this), "lblSuma2Right", {800, 590, 216, 112});
    lblSuma2Right->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lblSuma1Left->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblSumaCelkom = label(this, "lblSumaCelkom", "", {700, 704, 316, 18});
    lblSumaKUhrade = label(this, "lblSumaKUhrade", "", {700, 722, 316, 20});
    lblSecondaryKUhrade = label(this, "lblSecondaryKUhrade", "", {700, 744, 316, 18});
    for (QLabel *total : {lblSumaCelkom, lblSumaKUhrade, lblSecondaryKUhrade})
        total->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont due = lblSumaKUhrade->font();
    due.setBold(true);
    due.setPointSize(due.pointSize() + 2);
    lblSumaKUhrade->setFont(due);
    bitSave = button(this, "bitSave", "Uložiť faktúru (F2)", {8, 626, 180, 30});
    bitSaveAndPrint = button(this, "bitSaveAndPrint", "Uložiť a vytlačiť faktúru (F12)", {192, 626, 210, 30});
    bitPrint = button(this, "bitPrint", "Vytlačiť faktúru (F11)", {406, 626, 164, 30});
    bitZavriet = button(this, "bitZavriet", "Zavrieť", {8, 664, 180, 30});
    db::SetupBillLinesGrid(*sgPolozky, true);
    // From the quantity on, cells are right-aligned; white in the selection.
    sgPolozky->setCellPainter([this](QPainter &painter, const QRect &rect, int col, int row, bool selected) {
        if (col < kColQuantity || row < 1)
            return false;
        painter.setBrush(selected ? sgPolozky->palette().highlight() : sgPolozky->palette().base());
        painter.setPen(Qt::NoPen);
        services::DrawGridCellPlain(painter, *sgPolozky, row, col, services::AlignRight,
                                    selected ? QColor(0xFF, 0xFF, 0xFF) : QColor(0, 0, 0), sgPolozky->font().pointSize(),
                                    sgPolozky->font().family(), rect);
        return true;
    });
}

void TfFaktura::fillFixedLists()
{
    // On every showing, so that a language file loaded since reaches them.
    refillKeepingText(*cbFormaUhrady, textsWithoutDashes(265, 269));
    refillKeepingText(*cbKS, textsWithoutDashes(270, 279));
}

void TfFaktura::fillRoundingChoices()
{
    const QChar d = platform::regionalSettings().decimalSeparator;
    setItems(*cbZaokruhlovanie, {QStringLiteral("0") + d + "01", QStringLiteral("0") + d + "10",
                                 QStringLiteral("0") + d + "50", QStringLiteral("1") + d + "00"});
}

void TfFaktura::connectHandlers()
{
    const auto on = [this](QPushButton *push, void (TfFaktura::*handler)()) {
        connect(push, &QPushButton::clicked, this, [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    on(bitVyberOdberatela, &TfFaktura::bitVyberOdberatelaClick);
    on(bitPridatFakturu, &TfFaktura::bitPridatFakturuClick);
    on(bitZmazatFakturu, &TfFaktura::bitZmazatFakturuClick);
    on(bitKurz, &TfFaktura::bitKurzClick);
    on(bitSpravaPoznamok, &TfFaktura::bitSpravaPoznamokClick);
    on(bitSpravaUctovUziv, &TfFaktura::bitSpravaUctovUzivClick);
    on(bitAddItem, &TfFaktura::bitAddItemClick);
    on(bitAddSimpleItem, &TfFaktura::bitAddSimpleItemClick);
    on(bitDeleteItem, &TfFaktura::bitDeleteItemClick);
    on(bitSaveAndPrint, &TfFaktura::bitSaveAndPrintClick);
    on(bitPrint, &TfFaktura::bitPrintClick);
    connect(bitSave, &QPushButton::clicked, this, [this] { RunGuarded([this] { bitSaveClick(true); }); });
    connect(bitZavriet, &QPushButton::clicked, this, [this] { reject(); });
    connect(cbOdberatel, &QComboBox::activated, this, [this] { RunGuarded([this] { cbOdberatelClick(); }); });
    // cbCudziaMenaIsoClick: a code chosen from the list offers its rate.
    connect(cbCudziaMenaIso, &QComboBox::activated, this, [this] { RunGuarded([this] { bitKurzClick(); }); });
    connect(static_cast<platform::CloseUpComboBox *>(cbOdberatel), &platform::CloseUpComboBox::closeUp, this,
            [this] { eInternaPoznamka->setFocus(); });
    connect(sgPolozky, &platform::StringGrid::cellDoubleClicked, this, [this] { RunGuarded([this] { sgPolozkyDblClick(); }); });
    const auto onToggle = [this](QCheckBox *box, void (TfFaktura::*handler)()) {
        connect(box, &QCheckBox::toggled, this, [this, handler] {
            if (!m_filling)
                RunGuarded([this, handler] { (this->*handler)(); });
        });
    };
    onToggle(chbFakturovatBezDPH, &TfFaktura::chbFakturovatBezDPHClick);
    onToggle(chbFakturovatVCudzejMene, &TfFaktura::chbFakturovatVCudzejMeneClick);
    onToggle(chbFakturovatVDvochMenach, &TfFaktura::chbFakturovatVDvochMenachClick);
    onToggle(chbJeHlavnaCudziaMena, &TfFaktura::fieldChange);
}

void TfFaktura::connectChanges()
{
    const auto guarded = [this](void (TfFaktura::*handler)()) {
        return [this, handler] {
            if (!m_filling)
                RunGuarded([this, handler] { (this->*handler)(); });
        };
    };
    connect(eCisloFaktury, &QLineEdit::textChanged, this, guarded(&TfFaktura::eCisloFakturyChange));
    connect(eDatumVystavenia, &QDateEdit::dateChanged, this, guarded(&TfFaktura::eDatumVystaveniaChange));
    for (QLineEdit *field : {eCisloObjednavky, eVS, eOpravnenie, eKurz, eSS, eInternaPoznamka,
                             static_cast<QLineEdit *>(eDatumDodania), static_cast<QLineEdit *>(eDatumPlatby)})
        connect(field, &QLineEdit::textChanged, this, guarded(&TfFaktura::fieldChange));
    connect(mOdberatel, &QPlainTextEdit::textChanged, this, guarded(&TfFaktura::fieldChange));
    connect(eDatumSplatnosti, &QDateEdit::dateChanged, this, guarded(&TfFaktura::fieldChange));
    for (QComboBox *combo : {cbFormaUhrady, cbKS})
        connect(combo, &QComboBox::editTextChanged, this, guarded(&TfFaktura::fieldChange));
    connect(cbZaokruhlovanie, &QComboBox::activated, this, guarded(&TfFaktura::fieldChange));
    connect(cbUcet, &QComboBox::activated, this, guarded(&TfFaktura::markChanged));
    connect(cbPoznamka, &QComboBox::activated, this, guarded(&TfFaktura::markChanged));
    connect(cbJazyk, &QComboBox::activated, this, guarded(&TfFaktura::markChanged));
    connect(cbCudziaMenaIso, &QComboBox::editTextChanged, this, guarded(&TfFaktura::cbCudziaMenaIsoChange));
    connect(cbCudziaMenaZobr, &QComboBox::editTextChanged, this, guarded(&TfFaktura::cbCudziaMenaZobrChange));
    connect(eKurzCudzia, &QLineEdit::textChanged, this, guarded(&TfFaktura::eKurzCudziaChange));
    connect(eKurzDomaca, &QLineEdit::textChanged, this, guarded(&TfFaktura::eKurzCudziaChange));
}

bool TfFaktura::eventFilter(QObject *watched, QEvent *event)
{
    auto *control = qobject_cast<QWidget *>(watched);
    if (control && event->type() == QEvent::FocusIn && IsOwnFocusMove(*event)) {
        services::HighlightOnEnter(*control, 1, kColorSlot);
        if (control == cbOdberatel)
            RunGuarded([this] { cbOdberatelEnter(); });
        else if (control == cbPoznamka)
            RunGuarded([this] { cbPoznamkaEnter(); });
        else if (control == cbUcet)
            RunGuarded([this] { cbUcetEnter(); });
        if (auto *combo = qobject_cast<QComboBox *>(control);
            combo && (combo == cbFormaUhrady || combo == cbKS || combo == cbJazyk || combo == cbPoznamka || combo == cbUcet))
            services::SetComboDropDownWidth(*combo);
    } else if (control == Label12 && event->type() == QEvent::MouseButtonPress) {
        services::OpenControlLink(*Label12);
    } else if (control == Label12 && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        setUnderline(*Label12, event->type() == QEvent::Leave);
    } else if (control && event->type() == QEvent::FocusOut && IsOwnFocusMove(*event)) {
        services::RestoreColorOnExit(*control, kColorSlot);
        const int decimals = control == eKurz ? 8 : (control == eKurzCudzia || control == eKurzDomaca) ? 4 : 0;
        if (decimals > 0) {
            auto *field = static_cast<QLineEdit *>(control);
            field->setText(services::FormatNumberDecimals(decimals, CellTextNumber(field->text())));
        } else if (control == cbCudziaMenaIso || control == cbCudziaMenaZobr) {
            auto *combo = static_cast<QComboBox *>(control);
            combo->setEditText(services::StripDigits(combo->currentText()));
        }
    } else if (control && control != sgPolozky && event->type() == QEvent::KeyPress) {
        const auto &key = static_cast<const QKeyEvent &>(*event);
        const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
        if (control == eDatumPlatby && enter) {
            cbOdberatel->setFocus();
            if (cbOdberatel->count() > 0 && cbOdberatel->currentIndex() < 0)
                cbOdberatel->setCurrentIndex(0);
            cbOdberatel->showPopup();
            return true;
        }
        // Combo boxes keep their arrows for the list; Enter moves on.
        if (qobject_cast<QAbstractButton *>(control) && enter) {
            // Enter presses the button (KeyPreview).
        } else if (qobject_cast<QComboBox *>(control) || qobject_cast<QAbstractSpinBox *>(control)) {
            if (enter && MoveFocusByKey(*this, *control, key))
                return true;
        } else if (!qobject_cast<QPlainTextEdit *>(control) && !qobject_cast<QListWidget *>(control) &&
                   MoveFocusByKey(*this, *control, key)) {
            return true;
        }
    } else if (control == sgPolozky && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete) {
            RunGuarded([this] { bitDeleteItemClick(); });
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuarded([this] { sgPolozkyDblClick(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// --- opening

void TfFaktura::PrepareNewBill(bool isAdvance, const QString &listYear)
{
    m_filling = true;
    m_listYear = listYear;
    m_loadedBillId.clear();
    db::BillEditorOpen = true;
    BillLoading = false;
    db::BillIsNew = true;
    db::BillIsAdvance = isAdvance;
    db::SetOwnAccountScope();
    for (QString *loaded : {&db::LoadedCustomerKey, &db::LoadedCustomerId, &db::LoadedNoteName, &db::LoadedNoteId,
                            &db::LoadedAccountName, &db::LoadedAccountId})
        loaded->clear();
    bitPrint->setEnabled(false);
    const QString year = services::CurrentYearString();
    eCisloFaktury->setText(ProposedBillNumber(isAdvance, year));
    lblFaktura->setText(services::MessageText(isAdvance ? 210 : 170).toUpper());
    eVS->setText(ProposedVariableSymbol(eCisloFaktury->text()));
    eCisloObjednavky->clear();
    cbKS->setEditText(services::ReadSetting("Faktura", "LastKS", ""));
    eSS->setText(services::ReadSetting("Faktura", "LastSS", ""));
    cbFormaUhrady->setEditText(services::ReadSetting("Faktura", "LastFormaUhrady", ""));
    eOpravnenie->setText(services::ReadSetting("Faktura", "Opravnenie", ""));
    const QDate today = QDate::currentDate();
    eDatumVystavenia->setDate(today);
    eDatumSplatnosti->setDate(today.addDays(dueDays()));
    eDatumDodania->setMaskText(services::FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), today));
    eDatumPlatby->setMaskText(QString());
    QStringList supplier;
    db::FillSupplierAddressLines(supplier, db::CurrentUserId());
    mVystavil->setPlainText(supplier.join(QLatin1Char('\n')));
    mOdberatel->clear();
    QStringList names;
    db::FillAccountNameList(names);
    setItems(*cbUcet, names);
    selectIgnoringCase(*cbUcet, db::DefaultAccountName(db::CurrentUserName(), QString()));
    db::FillNoteNameList(names);
    setItems(*cbPoznamka, names);
    selectIgnoringCase(*cbPoznamka, db::DefaultNoteName(db::CurrentUserName(), QString()));
    db::FillCustomerKeyList(names);
    setItems(*cbOdberatel, names);
    lbZalohoveFaktury->clear();
    setItems(*cbJazyk, services::ListPrintLanguages());
    selectIgnoringCase(*cbJazyk, services::ReadSetting("Faktura", "DefJazyk", QString::fromUtf8("SK - Slovenčina")));
    for (QCheckBox *box : {chbFakturovatBezDPH, chbFakturovatVCudzejMene, chbFakturovatVDvochMenach})
        box->setChecked(false);
    chbJeHlavnaCudziaMena->setChecked(true);
    for (QComboBox *combo : {cbCudziaMenaZobr, cbCudziaMenaIso}) {
        combo->setCurrentIndex(-1);
        combo->setEditText(QString());
    }
    for (QLineEdit *field : {eKurz, eKurzDomaca, eKurzCudzia, eInternaPoznamka})
        field->clear();
    fillRoundingChoices();
    {
        QStringList steps;
        for (int i = 0; i < cbZaokruhlovanie->count(); ++i)
            steps << cbZaokruhlovanie->itemText(i);
        cbZaokruhlovanie->setCurrentIndex(RoundingStepIndex(steps, services::ReadSetting("Faktura", "RoundBralvo", "")));
    }
    HomeCurrencySymbol = services::ReadSetting("Mena", "DomacaMenaZobr", "Sk");
    HomeCurrencyIso = services::ReadSetting("Mena", "DomacaMenaIso", "SKK");
    m_mainCurrency = HomeCurrencySymbol;
    lblSuma1Left->clear();
    lblSuma2Right->clear();
    for (QLabel *total : {lblSumaCelkom, lblSumaKUhrade, lblSecondaryKUhrade})
        total->clear();
    clearLines();
    db::UpdateBillVatMode(QString(), QString(), *this);
    m_filling = false;
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(170));
    m_modified = false;
    PrepocitajFakturu();
    eCisloObjednavky->setFocus();
}

bool TfFaktura::PrepareStoredBill(const QString &number, const QString &year, bool isAdvance)
{
    m_listYear = year;
    db::BillEditorOpen = true;
    BillLoading = true;
    db::BillIsNew = false;
    db::BillIsAdvance = isAdvance;
    db::SetOwnAccountScope();
    m_filling = true;
    bitPrint->setEnabled(true);
    lblFaktura->setText(services::MessageText(isAdvance ? 210 : 170).toUpper());
    lbZalohoveFaktury->clear();
    setItems(*cbJazyk, services::ListPrintLanguages());
    fillRoundingChoices();
    clearLines();
    std::optional<db::StoredBill> bill;
    try {
        bill = db::LoadBillForm(number, year, isAdvance);
    } catch (...) {
        m_filling = false;
        throw;
    }
    if (bill)
        applyStoredBill(*bill);
    m_filling = false;
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(170));
    eCisloFaktury->setFocus();
    return bool(bill);
}

void TfFaktura::applyStoredBill(const db::StoredBill &bill)
{
    m_loadedBillId = bill.id;
    setItems(*cbOdberatel, bill.customerKeys);
    selectIgnoringCase(*cbOdberatel, bill.customerKey);
    eCisloFaktury->setText(bill.number);
    eCisloObjednavky->setText(bill.orderNumber);
    eVS->setText(bill.variableSymbol);
    cbKS->setEditText(bill.constantSymbol);
    eSS->setText(bill.specificSymbol);
    cbFormaUhrady->setEditText(bill.paymentForm);
    eOpravnenie->setText(bill.authorization);
    eDatumVystavenia->setDate(bill.issueDate);
    eDatumSplatnosti->setDate(bill.dueDate);
    eDatumDodania->setMaskText(bill.deliveryDate);
    eDatumPlatby->setMaskText(bill.paymentDate);
    mVystavil->setPlainText(bill.supplierLines.join(QLatin1Char('\n')));
    const std::optional<db::CustomerBillDefaults> customer =
        db::ApplyCustomerToBill(bill.customerKey, {true, bill.customerKey, bill.issueDate});
    mOdberatel->setPlainText(customer ? customer->addressLines.join(QLatin1Char('\n')) : QString());
    setItems(*cbUcet, QStringList{QString()} + bill.accountNames);
    selectIgnoringCase(*cbUcet, bill.accountName);
    setItems(*cbPoznamka, QStringList{QString()} + bill.noteNames);
    selectIgnoringCase(*cbPoznamka, bill.noteName);
    chbFakturovatBezDPH->setChecked(bill.withoutVat);
    selectIgnoringCase(*cbJazyk, bill.language);
    chbFakturovatVCudzejMene->setChecked(bill.inForeignCurrency);
    chbFakturovatVDvochMenach->setChecked(bill.inTwoCurrencies);
    chbJeHlavnaCudziaMena->setChecked(bill.foreignIsMain);
    chbJeHlavnaCudziaMena->setEnabled(bill.foreignIsMainEnabled);
    HomeCurrencySymbol = bill.homeCurrencySymbol;
    HomeCurrencyIso = bill.homeCurrencyIso;
    cbCudziaMenaZobr->setEditText(bill.foreignSymbol);
    cbCudziaMenaIso->setEditText(bill.foreignIso);
    m_mainCurrency = bill.mainCurrency;
    eKurzDomaca->setText(bill.homeRate);
    eKurzCudzia->setText(bill.foreignRate);
    eKurz->setText(bill.rate);
    const int step = cbZaokruhlovanie->findText(bill.rounding);
    cbZaokruhlovanie->setCurrentIndex(step < 0 ? 0 : step);
    lblSumaCelkom->setText(bill.totalLabel);
    lblSumaKUhrade->setText(bill.dueLabel);
    lblSuma1Left->setText(bill.sum1Left);
    lblSuma2Right->setText(bill.sum2Right);
    eInternaPoznamka->setText(bill.internalNote);
    for (const db::AdvanceBillEntry &entry : db::DeductedAdvanceBills(bill.id)) {
        auto *item = new QListWidgetItem(entry.text, lbZalohoveFaktury);
        item->setData(Qt::UserRole, entry.id);
    }
    db::UpdateBillVatMode(db::LoadedUserId, QString(), *this);
    m_lines.assign(db::LoadBillLineRows(bill.id));
    FormatLineCells();
}

int TfFaktura::ShowBill()
{
    return exec();
}

void TfFaktura::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // FormShow
    m_modified = false;
    m_vatRateWarningShown = false;
    fillFixedLists();
    if (services::ScreenWidth <= 1024 || services::ScreenHeight - 20 <= 768)
        setWindowState(windowState() | Qt::WindowMaximized);
    RunGuarded([this] { Timer1Timer(); });
}

void TfFaktura::Timer1Timer()
{
    const bool modified = m_modified;
    QString issuer = db::BillIsNew ? db::CurrentUserId() : db::LoadedUserId;
    if (issuer.isEmpty())
        issuer = db::CurrentUserId();
    if (!issuer.isEmpty())
        chbFakturovatBezDPH->setVisible(!db::BillIsAdvance && db::IsUserCompanyVatPayer(issuer));
    if (!chbFakturovatBezDPH->isVisibleTo(this)) {
        const QSignalBlocker quiet(chbFakturovatBezDPH);
        chbFakturovatBezDPH->setChecked(true);
    }
    chbFakturovatVCudzejMeneClick();
    chbFakturovatVDvochMenachClick();
    m_modified = modified;
    bitPrint->setEnabled(!m_modified && !db::BillIsNew);
    BillLoading = false;
    if (!chbJeHlavnaCudziaMena->isEnabled()) {
        const QSignalBlocker quiet(chbJeHlavnaCudziaMena);
        chbJeHlavnaCudziaMena->setChecked(true);
    }
}

void TfFaktura::closeEvent(QCloseEvent *event)
{
    event->ignore();
    reject();
}

void TfFaktura::reject()
{
    if (m_modified && services::ShowMessageBox(services::MessageText(206), 36) != 6)
        return;
    FormClose();
    QDialog::reject();
}

void TfFaktura::FormClose()
{
    pMena->hide();
    chbJeHlavnaCudziaMena->setEnabled(false);
    db::BillEditorOpen = false;
    m_vatRateWarningShown = false;
    db::LoadedUserId.clear();
    db::LoadedCustomerId.clear();
}

// --- marking and header

void TfFaktura::markChanged()
{
    m_modified = true;
    bitPrint->setEnabled(false);
}

void TfFaktura::fieldChange()
{
    markChanged();
    PrepocitajFakturu();
}

void TfFaktura::eCisloFakturyChange()
{
    if (services::ReadSettingBool("Faktura", "FullAutoCislovanie", true)) {
        try {
            eVS->setText(services::IncrementTrailingNumber(eCisloFaktury->text(), 0));
        } catch (const platform::ConversionError &) {
            // A digit run beyond 64 bits proposes nothing.
        }
    }
    markChanged();
}

void TfFaktura::eDatumVystaveniaChange()
{
    eDatumSplatnosti->setDate(eDatumVystavenia->date().addDays(dueDays()));
    eDatumDodania->setMaskText(services::FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), eDatumVystavenia->date()));
    markChanged();
}

// --- customer

void TfFaktura::cbOdberatelEnter()
{
    const QString chosen = cbOdberatel->currentText();
    QStringList keys;
    db::FillCustomerKeyList(keys);
    setItems(*cbOdberatel, keys);
    cbOdberatel->setCurrentIndex(chosen.isEmpty() ? -1 : cbOdberatel->findText(chosen, Qt::MatchExactly));
    services::SetComboDropDownWidth(*cbOdberatel);
}

void TfFaktura::selectCustomerKey(const QString &key)
{
    const QSignalBlocker quiet(cbOdberatel);
    if (cbOdberatel->findText(key, Qt::MatchExactly) < 0)
        cbOdberatelEnter();
    cbOdberatel->setCurrentIndex(cbOdberatel->findText(key, Qt::MatchExactly));
}

void TfFaktura::cbOdberatelClick()
{
    if (cbOdberatel->currentIndex() < 0)
        return;
    const QString key = cbOdberatel->currentText();
    const std::optional<db::CustomerBillDefaults> defaults =
        db::ApplyCustomerToBill(key, {isVisible(), key, eDatumVystavenia->date(), HomeCurrencyIso});
    if (defaults) {
        m_filling = true;
        // A hidden box (advance bill, issuer no VAT payer) stays checked,
        // as every later opening shows it.
        chbFakturovatBezDPH->setChecked(defaults->withoutVat || !chbFakturovatBezDPH->isVisibleTo(this));
        chbFakturovatVCudzejMene->setChecked(defaults->inForeignCurrency);
        chbFakturovatVDvochMenach->setChecked(defaults->inTwoCurrencies);
        chbJeHlavnaCudziaMena->setEnabled(defaults->inTwoCurrencies);
        chbJeHlavnaCudziaMena->setChecked(defaults->foreignIsMain || !defaults->inTwoCurrencies);
        cbCudziaMenaZobr->setEditText(defaults->foreignSymbol);
        cbCudziaMenaIso->setEditText(defaults->foreignIso);
        if (defaults->dueDate.isValid())
            eDatumSplatnosti->setDate(defaults->dueDate);
        const int language = services::IndexInStrings(defaults->language, *cbJazyk, true);
        if (!defaults->language.isEmpty() && language >= 0)
            cbJazyk->setCurrentIndex(language);
        if (defaults->variableSymbol)
            eVS->setText(*defaults->variableSymbol);
        if (defaults->dualHomeBilling) {
            eKurz->setText(defaults->rate);
            eKurzDomaca->setText(defaults->homeRate);
            eKurzCudzia->setText(defaults->foreignRate);
        }
        m_filling = false;
        if (db::BillIsNew) {
            const QString name = db::GetCustomerName(db::GetCustomerIdByKey(key));
            selectIgnoringCase(*cbPoznamka, db::DefaultNoteName(db::CurrentUserName(), name));
            selectIgnoringCase(*cbUcet, db::DefaultAccountName(db::CurrentUserName(), name));
        }
        mOdberatel->setPlainText(defaults->addressLines.join(QLatin1Char('\n')));
    }
    SetupBillLinesGrid();
    fieldChange();
}

void TfFaktura::bitVyberOdberatelaClick()
{
    if (m_picker)
        m_picker->OpenPage(0);
}

// --- advance bills

void TfFaktura::bitPridatFakturuClick()
{
    if (m_picker)
        m_picker->OpenPage(2);
    PrepocitajFakturu();
}

void TfFaktura::bitZmazatFakturuClick()
{
    if (QListWidgetItem *item = lbZalohoveFaktury->currentItem(); item && item->isSelected())
        delete item;
    fieldChange();
}

bool TfFaktura::addAdvanceBill(const db::AdvanceBillEntry &entry)
{
    if (entry.mainCurrency != m_mainCurrency) {
        services::ShowMessageBox(AdvanceCurrencyRefusal(entry.text, m_mainCurrency), 48);
        return false;
    }
    auto *item = new QListWidgetItem(entry.text, lbZalohoveFaktury);
    item->setData(Qt::UserRole, entry.id);
    lbZalohoveFaktury->sortItems();
    return true;
}

std::vector<QString> TfFaktura::advanceBillIds() const
{
    std::vector<QString> ids;
    for (int row = 0; row < lbZalohoveFaktury->count(); ++row)
        ids.push_back(lbZalohoveFaktury->item(row)->data(Qt::UserRole).toString());
    return ids;
}

bool TfFaktura::isAdvanceBill() const
{
    return db::BillIsAdvance;
}

// --- VAT and currencies

void TfFaktura::chbFakturovatBezDPHClick()
{
    markChanged();
    db::UpdateBillVatMode(db::LoadedUserId, QString(), *this);
    PrepocitajFakturu();
}

void TfFaktura::chbFakturovatVCudzejMeneClick()
{
    fieldChange();
}

void TfFaktura::chbFakturovatVDvochMenachClick()
{
    chbJeHlavnaCudziaMena->setEnabled(chbFakturovatVDvochMenach->isChecked());
    fieldChange();
}

void TfFaktura::cbCudziaMenaIsoChange()
{
    markChanged();
    const int index = cbCudziaMenaIso->findText(cbCudziaMenaIso->currentText().toUpper(), Qt::MatchFixedString);
    if (index >= 0 && cbCudziaMenaIso->currentText().size() == cbCudziaMenaIso->itemText(index).size()) {
        const QSignalBlocker quiet(cbCudziaMenaZobr);
        cbCudziaMenaZobr->setCurrentIndex(index);
    }
    PrepocitajFakturu();
}

void TfFaktura::cbCudziaMenaZobrChange()
{
    markChanged();
    const int index = cbCudziaMenaZobr->findText(cbCudziaMenaZobr->currentText(), Qt::MatchFixedString);
    if (index >= 0) {
        const QSignalBlocker quiet(cbCudziaMenaIso);
        cbCudziaMenaIso->setCurrentIndex(index);
    }
    PrepocitajFakturu();
}

void TfFaktura::eKurzCudziaChange()
{
    markChanged();
    const double foreign = CellTextNumber(eKurzCudzia->text());
    const double home = CellTextNumber(eKurzDomaca->text());
    // eKurz's own change handler marks and recomputes, so the amount in
    // the second currency follows the typed rate at once.
    eKurz->setText(services::FormatNumberDecimals(8, foreign != 0 ? home / foreign : 0.0));
}

void TfFaktura::bitKurzClick()
{
    const QString date = services::FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), eDatumVystavenia->date());
    const QString question =
        services::FillPlaceholders(services::MessageText(174), {cbCudziaMenaIso->currentText(), date});
    if (services::ShowMessageBox(question, 36) == 6) {
        services::RateResult rate;
        if (HomeCurrencyIso.compare(QLatin1String("SKK"), Qt::CaseInsensitive) == 0)
            rate = services::GetNbsRate(date, cbCudziaMenaIso->currentText());
        else if (HomeCurrencyIso.compare(QLatin1String("CZK"), Qt::CaseInsensitive) == 0)
            rate = services::GetCnbRate(date, cbCudziaMenaIso->currentText());
        eKurzDomaca->setText(services::FormatNumberDecimals(4, CellTextNumber(rate.rate)));
        eKurzCudzia->setText(services::FormatNumberDecimals(4, CellTextNumber(rate.amount)));
        lblMena1->setText(cbCudziaMenaZobr->currentText());
        lblMena2->setText(HomeCurrencySymbol);
    }
    fieldChange();
}

// --- notes and accounts

void TfFaktura::cbPoznamkaEnter()
{
    QStringList names;
    db::FillNoteNameList(names);
    const int chosen = cbPoznamka->currentIndex();
    setItems(*cbPoznamka, QStringList{QString()} + names);
    cbPoznamka->setCurrentIndex(qMin(chosen, cbPoznamka->count() - 1));
}

void TfFaktura::cbUcetEnter()
{
    QStringList names;
    db::FillAccountNameList(names);
    const int chosen = cbUcet->currentIndex();
    setItems(*cbUcet, QStringList{QString()} + names);
    cbUcet->setCurrentIndex(qMin(chosen, cbUcet->count() - 1));
}

void TfFaktura::bitSpravaPoznamokClick()
{
    const QString chosen = cbPoznamka->currentText();
    if (!db::CanChangeSettings(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(133), 48);
        return;
    }
    if (m_openNotes)
        m_openNotes();
    cbPoznamkaEnter();
    cbPoznamka->setCurrentIndex(chosen.isEmpty() ? -1 : cbPoznamka->findText(chosen, Qt::MatchExactly));
}

void TfFaktura::bitSpravaUctovUzivClick()
{
    db::SetOwnAccountScope();
    if (!db::CanChangeSettings(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(133), 48);
        return;
    }
    if (m_openAccounts)
        m_openAccounts();
}

} // namespace bralvo::app
