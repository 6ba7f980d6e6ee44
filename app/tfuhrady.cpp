// The payments window: layout, payments, paid flag, rates and receipts.
#include "app/tfuhrady.h"

#include "app/appstate.h"
#include "app/billprintvalues.h"
#include "app/fieldkeys.h"
#include "app/guardedcall.h"
#include "app/ratefield.h"
#include "app/reportlayouts.h"
#include "db/billgrids.h"
#include "db/database.h"
#include "db/lookups.h"
#include "db/payments.h"
#include "db/retiring.h"
#include "db/sqltext.h"
#include "db/transaction.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/error.h"
#include "platform/messageboxseam.h"
#include "platform/regionalsettings.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"
#include "services/backup.h"
#include "services/dates.h"
#include "services/exchangerates.h"
#include "services/globals.h"
#include "services/gridhelpers.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace bralvo::app {

QString ReceiptNumber;
QString ReceiptPurpose;

using platform::named;

namespace {

constexpr int kColorSlot = 12;

// The number of a field; nullopt when the text holds no number.
std::optional<double> numberOf(const QString &text)
{
    try {
        return services::ParseNumber(text);
    } catch (const Error &) {
        return std::nullopt;
    }
}

QString dateText(const QDate &d) { return services::FormatDateTimeText(QStringLiteral("dd.mm.yyyy"), d); }

QLabel *label(QWidget *parent, const char *name, const char *text, QRect geometry)
{
    auto *l = named(new QLabel(QString::fromUtf8(text), parent), name);
    l->setGeometry(geometry);
    return l;
}

} // namespace

TfUhrady::TfUhrady(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fUhrady"));
    setWindowTitle(QStringLiteral("Úhrady faktúry"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(640, 452);
    buildControls();
    connectHandlers();
    loadReports();
}

TfUhrady::~TfUhrady() = default;

void TfUhrady::buildEntryGroup()
{
    auto *group = named(new QGroupBox(QStringLiteral("Úhrada"), this), "GroupBox1");
    group->setGeometry(8, 42, 330, 330);
    label(group, "Label1", "Dátum úhrady", {10, 22, 110, 21});
    eDatum = named(new QDateEdit(group), "eDatum");
    eDatum->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    eDatum->setCalendarPopup(true);
    eDatum->setGeometry(122, 22, 120, 21);
    rbBankovyPrevod = named(new QRadioButton(QStringLiteral("Bankový prevod"), group), "rbBankovyPrevod");
    rbBankovyPrevod->setGeometry(10, 50, 150, 20);
    rbHotovost = named(new QRadioButton(QStringLiteral("Hotovosť"), group), "rbHotovost");
    rbHotovost->setGeometry(170, 50, 150, 20);
    label(group, "Label2", "Suma", {10, 78, 110, 21});
    eSumaDomaca = named(new QLineEdit(group), "eSumaDomaca");
    eSumaDomaca->setGeometry(122, 78, 140, 21);
    eSumaDomaca->setAlignment(Qt::AlignRight);
    lblDomacaMena = label(group, "lblDomacaMena", "Sk", {268, 78, 50, 21});
    GroupBox2 = named(new QGroupBox(QStringLiteral("Úhrada v cudzej mene"), group), "GroupBox2");
    GroupBox2->setGeometry(10, 106, 310, 84);
    label(GroupBox2, "Label3", "Suma", {10, 22, 100, 21});
    eSumaZahranicna = named(new QLineEdit(GroupBox2), "eSumaZahranicna");
    eSumaZahranicna->setGeometry(112, 22, 130, 21);
    eSumaZahranicna->setAlignment(Qt::AlignRight);
    lblCudziaMena = label(GroupBox2, "lblCudziaMena", "", {248, 22, 56, 21});
    label(GroupBox2, "Label4", "Kurz", {10, 50, 100, 21});
    eKurz = named(new QLineEdit(GroupBox2), "eKurz");
    eKurz->setGeometry(112, 50, 130, 21);
    eKurz->setAlignment(Qt::AlignRight);
    bitKurz = named(new QPushButton(QStringLiteral("Kurz"), GroupBox2), "bitKurz");
    bitKurz->setGeometry(248, 48, 56, 25);
    label(group, "Label5", "Interná poznámka k úhrade", {10, 196, 310, 16});
    mInternaPoznamka = named(new QPlainTextEdit(group), "mInternaPoznamka");
    mInternaPoznamka->setGeometry(10, 214, 310, 56);
    auto *hint = label(group, "Label6", "(CTRL+ENTER = ďaľší riadok v poznámke)", {10, 272, 310, 14});
    hint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    bitAddUhradu = named(new QPushButton(QStringLiteral("Pridať úhradu"), group), "bitAddUhradu");
    bitAddUhradu->setGeometry(10, 292, 310, 28);
    QFont bold = bitAddUhradu->font();
    bold.setBold(true);
    bitAddUhradu->setFont(bold);
}

void TfUhrady::buildControls()
{
    bitClearValues = named(new QPushButton(QStringLiteral("Vyčistiť políčka pre zadávanie novej úhrady"), this),
                           "bitClearValues");
    bitClearValues->setGeometry(8, 8, 330, 28);
    buildEntryGroup();
    chbFakturaJeUhradena = named(new QCheckBox(QStringLiteral("Túto faktúru evidovať ako uhradenú"), this),
                                 "chbFakturaJeUhradena");
    chbFakturaJeUhradena->setGeometry(8, 380, 330, 20);
    label(this, "Label7", "K úhrade celkom:", {8, 404, 130, 18});
    lblKUhradeCelkom = label(this, "lblKUhradeCelkom", "", {140, 404, 198, 18});
    label(this, "Label8", "Zostáva uhradiť:", {8, 426, 130, 18});
    lblZostavaUhradit = label(this, "lblZostavaUhradit", "", {140, 426, 198, 18});
    sgUhrady = named(new platform::StringGrid(this), "sgUhrady");
    sgUhrady->setGeometry(346, 8, 286, 300);
    sgUhrady->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgUhrady->setEditTriggers(QAbstractItemView::NoEditTriggers);
    bitDeleteUhradu = named(new QPushButton(QStringLiteral("Zmazať označenú úhradu"), this), "bitDeleteUhradu");
    bitDeleteUhradu->setGeometry(346, 314, 286, 28);
    bitTlacitUhradu = named(new QPushButton(QStringLiteral("Vytlačiť príjmový doklad"), this), "bitTlacitUhradu");
    bitTlacitUhradu->setGeometry(346, 348, 286, 28);
    chbVytlacit2Sucasne = named(new QCheckBox(QStringLiteral("Vytlačiť dva súčasne"), this), "chbVytlacit2Sucasne");
    chbVytlacit2Sucasne->setGeometry(346, 380, 286, 20);
    setTabOrder(eDatum, rbBankovyPrevod);
    setTabOrder(rbBankovyPrevod, rbHotovost);
    setTabOrder(rbHotovost, eSumaDomaca);
    setTabOrder(eSumaDomaca, eSumaZahranicna);
    setTabOrder(eSumaZahranicna, eKurz);
    setTabOrder(eKurz, bitKurz);
    setTabOrder(bitKurz, mInternaPoznamka);
    setTabOrder(mInternaPoznamka, bitAddUhradu);
}

void TfUhrady::connectHandlers()
{
    auto *keys = new platform::KeyPreview(this);
    keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_uhrad_faktury")); });
    auto *fields = new FieldKeys(*this, kColorSlot);
    for (QWidget *w : std::initializer_list<QWidget *>{eSumaDomaca, eSumaZahranicna, eKurz, bitDeleteUhradu,
                                                       bitTlacitUhradu, bitAddUhradu}) {
        fields->highlight(w);
        fields->moveOnKeys(w);
    }
    fields->highlight(mInternaPoznamka);
    fields->memoKeys(mInternaPoznamka);
    // Installed last: sees the keys before the field keys do.
    for (QObject *o : std::initializer_list<QObject *>{eDatum, eSumaDomaca, eSumaZahranicna, eKurz})
        o->installEventFilter(this);

    const auto guarded = [this](void (TfUhrady::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(bitClearValues, &QPushButton::clicked, this, guarded(&TfUhrady::bitClearValuesClick));
    connect(bitAddUhradu, &QPushButton::clicked, this, guarded(&TfUhrady::bitAddUhraduClick));
    connect(bitDeleteUhradu, &QPushButton::clicked, this, guarded(&TfUhrady::bitDeleteUhraduClick));
    connect(bitKurz, &QPushButton::clicked, this, guarded(&TfUhrady::bitKurzClick));
    connect(bitTlacitUhradu, &QPushButton::clicked, this, guarded(&TfUhrady::bitTlacitUhraduClick));
    // clicked: the user's own change only.
    connect(chbFakturaJeUhradena, &QCheckBox::clicked, this, guarded(&TfUhrady::chbFakturaJeUhradenaClick));
    connect(chbVytlacit2Sucasne, &QCheckBox::clicked, this, guarded(&TfUhrady::chbVytlacit2SucasneClick));
    connect(sgUhrady, &platform::StringGrid::cellClicked, this, guarded(&TfUhrady::sgUhradyClick));
    connect(eKurz, &QLineEdit::textChanged, this, [this] { eKurzChange(); });
    connect(eSumaZahranicna, &QLineEdit::textChanged, this, [this] { eKurzChange(); });
    connect(eSumaDomaca, &QLineEdit::textChanged, this, [this] { eSumaDomacaChange(); });
    sgUhrady->setCellPainter([this](QPainter &p, const QRect &r, int col, int row, bool selected) {
        if (row < 1 || col > 1)
            return false;
        services::DrawGridCellPlain(p, *sgUhrady, row, col, col == 0 ? services::AlignCenter : services::AlignRight,
                                    selected ? Qt::white : Qt::black, sgUhrady->font().pointSize(),
                                    sgUhrady->font().family(), r);
        return true;
    });
}

void TfUhrady::loadReports()
{
    m_receipt = std::make_unique<report::TrpReport>();
    m_twoReceipts = std::make_unique<report::TrpReport>();
    LoadReportLayout(*m_receipt, QStringLiteral("receipt.rpx"));
    LoadReportLayout(*m_twoReceipts, QStringLiteral("receipt_two.rpx"));
    for (report::TrpReport *r : {m_receipt.get(), m_twoReceipts.get()}) {
        r->OnGetValue = [this](const QString &name, platform::Variant &value) {
            ReceiptValue(receiptData(), name, value);
        };
    }
}

void TfUhrady::focusControl(const QString &controlName)
{
    if (auto *w = findChild<QWidget *>(controlName))
        w->setFocus();
}

int TfUhrady::OpenForBill(const QString &billId, const QString &billNumber)
{
    PaymentBillId = billId;
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(218) + QLatin1Char(' ')
                   + billNumber);
    if (QWidget *main = parentWidget()) {
        const QRect frame = main->geometry();
        move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
    }
    bitClearValuesClick();
    return exec();
}

TfUhrady *PaymentsWindowOf(QWidget &mainWindow)
{
    return mainWindow.findChild<TfUhrady *>(QStringLiteral("fUhrady"), Qt::FindDirectChildrenOnly);
}

// --- loading

void TfUhrady::bitClearValuesClick()
{
    eDatum->setDate(QDate::currentDate());
    rbBankovyPrevod->setChecked(true);
    rbHotovost->setChecked(false);
    eSumaZahranicna->setText(services::FormatMoney(0));
    mInternaPoznamka->clear();
    chbVytlacit2Sucasne->setChecked(
        services::ReadSettingBool(QStringLiteral("Faktura"), QStringLiteral("Vytlacit2Sucasne"), false));
    db::SetupPaymentsGrid(*sgUhrady);
    db::FillPaymentsGrid(*sgUhrady, PaymentBillId);
    for (int row = 1; row <= sgUhrady->rowCount() - 2; ++row) {
        const double amount = numberOf(sgUhrady->cell(1, row)).value_or(0);
        sgUhrady->setCell(1, row, services::FormatMoney(amount) + QLatin1Char(' ') + sgUhrady->cell(2, row));
    }
    showPaymentState();
    eDatum->setFocus();
}

void TfUhrady::showPaymentState()
{
    const db::BillPaymentState s = db::GetBillPaymentState(PaymentBillId, HomeCurrencySymbol);
    lblKUhradeCelkom->setText(s.totalDueLabel);
    lblZostavaUhradit->setText(s.leftToPayLabel);
    const QSignalBlocker amount(eSumaDomaca), rate(eKurz);
    eSumaDomaca->setText(s.suggestedPayment);
    eKurz->setText(s.rate);
    chbFakturaJeUhradena->setChecked(s.paid);
    lblDomacaMena->setText(s.homeSymbol);
    lblCudziaMena->setText(s.foreignSymbol);
    PaymentBillForeignIso = s.foreignIso;
    PaymentBillHomeIso = s.homeIso;
}

void TfUhrady::sgUhradyClick()
{
    const int row = sgUhrady->currentRowIndex();
    const std::optional<db::PaymentFormValues> p = db::LoadPaymentForm(sgUhrady->cell(sgUhrady->columnCount() - 1, row));
    if (!p)
        return;
    const QSignalBlocker amount(eSumaDomaca), foreign(eSumaZahranicna), rate(eKurz);
    eDatum->setDate(p->date);
    rbBankovyPrevod->setChecked(p->bankTransfer);
    rbHotovost->setChecked(p->cash);
    eSumaDomaca->setText(p->homeAmount);
    eSumaZahranicna->setText(p->foreignAmount);
    eKurz->setText(p->rate);
    mInternaPoznamka->setPlainText(p->internalNote);
}

// --- payments and the paid flag

bool TfUhrady::amountEqualsOpen() const
{
    const std::optional<double> amount = numberOf(eSumaDomaca->text());
    const std::optional<double> open = numberOf(lblZostavaUhradit->text());
    return amount && open && *amount == *open;
}

void TfUhrady::eSumaDomacaChange()
{
    if (amountEqualsOpen())
        chbFakturaJeUhradena->setChecked(true);
}

void TfUhrady::eKurzChange()
{
    const std::optional<double> amount = numberOf(eSumaZahranicna->text());
    const std::optional<double> rate = numberOf(eKurz->text());
    if (amount && rate)
        eSumaDomaca->setText(services::FormatMoney(*amount * *rate));
}

void TfUhrady::chbFakturaJeUhradenaClick()
{
    if (!db::BillIdExists(PaymentBillId))
        return;
    db::Transaction tx(*db::DbConnection);
    db::DbConnection->ExecSql(QStringLiteral("UPDATE faktury SET uhradena=")
                              + (chbFakturaJeUhradena->isChecked() ? QStringLiteral("1") : QStringLiteral("0"))
                              + QStringLiteral(" WHERE id = ") + db::SqlId(PaymentBillId));
    tx.commit();
}

void TfUhrady::chbVytlacit2SucasneClick()
{
    services::WriteSettingBool(QStringLiteral("Faktura"), QStringLiteral("Vytlacit2Sucasne"),
                               chbVytlacit2Sucasne->isChecked());
}

void TfUhrady::bitAddUhraduClick()
{
    if (amountEqualsOpen() && numberOf(eSumaDomaca->text()).value_or(0) != 0 && !chbFakturaJeUhradena->isChecked()
        && services::ShowMessageBox(services::MessageText(222), services::kMbQuestionYesNo) == services::kIdYes)
        chbFakturaJeUhradena->setChecked(true);
    if (numberOf(eKurz->text()).value_or(0) <= 0) {
        // Only the rate is mended: the amount typed stays as it is.
        const QSignalBlocker quiet(eKurz);
        eKurz->setText(QStringLiteral("1"));
    }
    services::TrimMemoTail(*mInternaPoznamka);
    db::PaymentFormValues form;
    form.date = eDatum->date();
    form.bankTransfer = rbBankovyPrevod->isChecked();
    form.cash = rbHotovost->isChecked();
    form.homeAmount = eSumaDomaca->text();
    form.foreignAmount = eSumaZahranicna->text();
    form.rate = eKurz->text();
    form.internalNote = mInternaPoznamka->toPlainText();
    form.paidBox = chbFakturaJeUhradena->isChecked();
    if (!db::SavePayment(PaymentBillId, form, *this))
        return;
    chbFakturaJeUhradenaClick();
    bitClearValuesClick();
}

void TfUhrady::bitDeleteUhraduClick()
{
    const int row = sgUhrady->currentRowIndex();
    const QString id = sgUhrady->cell(sgUhrady->columnCount() - 1, row);
    if (row < 1 || id.isEmpty())
        return;
    if (services::ShowMessageBox(services::MessageText(123), services::kMbQuestionYesNo) != services::kIdYes)
        return;
    db::DeletePayment(id);
    bitClearValuesClick();
    services::ShowMessageBox(services::MessageText(223), services::kMbInformation);
    services::StepGridRow(*sgUhrady, row, 1);
}

void TfUhrady::bitKurzClick()
{
    if (PaymentBillForeignIso.isEmpty() || PaymentBillForeignIso == PaymentBillHomeIso)
        return;
    const QString date = dateText(eDatum->date());
    if (services::ShowMessageBox(services::FillPlaceholders(services::MessageText(174), {PaymentBillForeignIso, date}),
                                 services::kMbQuestionYesNo) != services::kIdYes)
        return;
    services::RateResult r{services::FormatMoney(0), services::FormatMoney(0)};
    if (PaymentBillHomeIso.compare(QLatin1String("SKK"), Qt::CaseInsensitive) == 0)
        r = services::GetNbsRate(date, PaymentBillForeignIso);
    else if (PaymentBillHomeIso.compare(QLatin1String("CZK"), Qt::CaseInsensitive) == 0)
        r = services::GetCnbRate(date, PaymentBillForeignIso);
    const double amount = numberOf(r.amount).value_or(0);
    if (amount != 0)
        eKurz->setText(services::FormatNumberDecimals(8, numberOf(r.rate).value_or(0) / amount));
}

// --- receipts

ReceiptData TfUhrady::receiptData() const
{
    ReceiptData d;
    d.date = eDatum->date();
    d.homeAmount = eSumaDomaca->text();
    d.homeSymbol = HomeCurrencySymbol;
    d.foreignIso = PaymentBillForeignIso;
    d.homeIso = PaymentBillHomeIso;
    d.automatic = services::ReadSettingBool(QStringLiteral("Faktura"), QStringLiteral("PrijmovyAT"), true);
    d.number = ReceiptNumber;
    d.purpose = ReceiptPurpose;
    d.row = m_receiptRow;
    return d;
}

void TfUhrady::bitTlacitUhraduClick()
{
    const int row = sgUhrady->currentRowIndex();
    if (row < 1 || sgUhrady->cell(sgUhrady->columnCount() - 1, row).isEmpty())
        return;
    sgUhradyClick();
    if (PaymentBillId.isEmpty())
        return;
    m_receiptRow = FirstRowTexts(*db::DbConnection->GetTable(ReceiptQuery(PaymentBillId)));
    if (!services::ReadSettingBool(QStringLiteral("Faktura"), QStringLiteral("PrijmovyAT"), true)) {
        platform::MessageBoxSeam &seam = platform::messageBoxSeam();
        ReceiptNumber = seam.askText(services::ProgramTitle, services::MessageText(301), QString()).value_or(QString());
        ReceiptPurpose = seam.askText(services::ProgramTitle, services::MessageText(302), QString()).value_or(QString());
    }
    reportShower()(chbVytlacit2Sucasne->isChecked() ? *m_twoReceipts : *m_receipt);
    m_receiptRow.clear();
}

// --- keys and field exits

bool TfUhrady::numberKey(QLineEdit &edit, const QString &typed)
{
    if (typed.size() != 1)
        return false;  // arrows, Delete, Home...
    switch (ClassifyRateKey(typed.at(0))) {
    case RateKey::Pass:
        return false;
    case RateKey::Drop:
        QApplication::beep();
        return true;
    case RateKey::Separator: {
        const RateEdit edited = InsertRateSeparator({edit.text(), edit.cursorPosition()},
                                                    platform::regionalSettings().decimalSeparator);
        edit.setText(edited.text);
        edit.setCursorPosition(edited.caret);
        return true;
    }
    }
    return false;
}

bool TfUhrady::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut && watched != eDatum) {
        auto *edit = static_cast<QLineEdit *>(watched);
        if (const std::optional<double> n = numberOf(edit->text()))
            edit->setText(edit == eKurz ? services::FormatNumberDecimals(8, *n) : services::FormatMoney(*n));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enterOrDown = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Down;
    if (watched == eDatum) {
        if (enterOrDown)
            eSumaDomaca->setFocus();
        return enterOrDown;
    }
    if (watched == eSumaDomaca && enterOrDown)
        eSumaDomacaChange();
    return numberKey(*static_cast<QLineEdit *>(watched), key->text());
}

} // namespace bralvo::app
