// The bill editor's lines, totals, saving and printing.
#include "app/tffaktura.h"

#include "app/appstate.h"
#include "app/billlinecells.h"
#include "app/billprinting.h"
#include "app/billtotals.h"
#include "app/guardedcall.h"
#include "app/recordkeys.h"
#include "app/tfsimplepolozka.h"
#include "app/tfvyber.h"
#include "db/billgrids.h"
#include "db/billsaving.h"
#include "db/billstate.h"
#include "db/lookups.h"
#include "platform/widgets/maskeddateedit.h"
#include "platform/widgets/stringgrid.h"
#include "services/databaselist.h"
#include "services/dates.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/uitexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>

namespace bralvo::app {

namespace {

double settingStep(const char *key, const char *fallback)
{
    const double step = CellTextNumber(services::ReadSetting("Faktura", key, fallback));
    return step != 0 ? step : CellTextNumber(QString::fromLatin1(fallback));
}

} // namespace

QString ForeignRateRefusalText()
{
    return QString::fromUtf8("Faktúra v cudzej mene potrebuje kurz väčší ako 0. Zadajte kurz a faktúru uložte znova.");
}

void TfFaktura::installShortcuts()
{
    const auto bind = [this](const QKeySequence &keys, std::function<void()> action) {
        auto *shortcut = new QShortcut(keys, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [action] { RunGuarded(action); });
    };
    bind(QKeySequence(Qt::Key_F5), [this] { bitAddItemClick(); });
    bind(QKeySequence(Qt::Key_F6), [this] { bitAddSimpleItemClick(); });
    bind(QKeySequence(Qt::Key_F2), [this] { bitSaveClick(true); });
    bind(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { bitSaveClick(true); });
    bind(QKeySequence(Qt::Key_F11), [this] { bitPrintClick(); });
    bind(QKeySequence(Qt::Key_F12), [this] { bitSaveAndPrintClick(); });
}

void TfFaktura::clearLines()
{
    SetupBillLinesGrid();
    m_lines.clear();
    FormatLineCells();
}

void TfFaktura::SetupBillLinesGrid()
{
    db::SetupBillLinesGrid(*sgPolozky, db::BillShowsVat && !chbFakturovatBezDPH->isChecked());
}

void TfFaktura::FormatLineCells()
{
    ShowBillLines(*sgPolozky, m_lines, m_mainCurrency);
}

void TfFaktura::addLine(const NewBillLine &line)
{
    m_lines.append(WrittenLine(line));
    FormatLineCells();
}

void TfFaktura::rewriteLine(int row, const NewBillLine &line)
{
    m_lines.replace(row - 1, WrittenLine(line));
    FormatLineCells();
}

void TfFaktura::takeOverLines(const QString &billId)
{
    m_lines.appendAll(db::LoadTakenOverLineRows(billId));
    FormatLineCells();
}

void TfFaktura::UpdateCurrencyDisplay()
{
    const bool foreign = chbFakturovatVCudzejMene->isChecked();
    pMena->setVisible(foreign);
    BillTotalsInput mode;
    mode.inForeignCurrency = foreign;
    mode.inTwoCurrencies = chbFakturovatVDvochMenach->isChecked();
    mode.foreignIsMain = chbJeHlavnaCudziaMena->isChecked();
    mode.foreignSymbol = cbCudziaMenaZobr->currentText();
    mode.homeSymbol = HomeCurrencySymbol;
    m_mainCurrency = BillMainCurrencyOf(mode);
    chbJeHlavnaCudziaMena->setEnabled(mode.inTwoCurrencies);
    if (!mode.inTwoCurrencies)
        lblSecondaryKUhrade->clear();
    lblMena1->setText(mode.foreignSymbol);
    lblMena2->setText(HomeCurrencySymbol);
    FormatLineCells();
}

double TfFaktura::PrepocitajFakturu()
{
    db::UpdateBillVatMode(db::LoadedUserId, QString(), *this);
    UpdateCurrencyDisplay();
    BillTotalsInput input;
    input.withoutVat = chbFakturovatBezDPH->isChecked();
    input.showsVat = db::BillShowsVat;
    input.inForeignCurrency = chbFakturovatVCudzejMene->isChecked();
    input.inTwoCurrencies = chbFakturovatVDvochMenach->isChecked();
    input.foreignIsMain = chbJeHlavnaCudziaMena->isChecked();
    input.foreignSymbol = cbCudziaMenaZobr->currentText();
    input.homeSymbol = HomeCurrencySymbol;
    input.rate = CellTextNumber(eKurz->text());
    input.recompute = db::BillIsNew || m_modified;
    const bool recomputed = input.recompute;
    input.storedLeft = lblSuma1Left->text();
    input.storedRight = lblSuma2Right->text();
    input.storedTotal = lblSumaCelkom->text();
    input.storedDue = lblSumaKUhrade->text();
    if (input.recompute) {
        // Amounts are summed as the grid shows them, in cents.
        for (int index = 0; index < m_lines.count(); ++index)
            input.lines.push_back({m_lines.at(index).vat,
                                   CellTextNumber(services::FormatMoney(m_lines.at(index).total))});
        input.direction = services::ReadSettingInt("Faktura", "RoundAllSmer", 0);
        input.baseStep = settingStep("RoundZaklad", "0.01");
        input.vatStep = settingStep("RoundDph", "0.10");
        input.billStep = cbZaokruhlovanie->currentIndex() >= 0 ? CellTextNumber(cbZaokruhlovanie->currentText()) : 0.01;
        input.advanceDeduction = db::SumAdvanceBillsDueByIds(advanceBillIds());
    }
    const BillTotals out = computeBillTotals(input);
    if (out.tooManyRates && !m_vatRateWarningShown) {
        m_vatRateWarningShown = true;
        services::ShowMessageBox(services::MessageText(207), 16);
    }
    if (input.recompute && !BillLoading) {
        lblSuma1Left->setText(out.left);
        lblSuma2Right->setText(out.right);
        lblSumaCelkom->setText(out.total);
        lblSumaKUhrade->setText(out.due);
    }
    // The second currency is always taken from the amount due shown.
    input.recompute = false;
    input.storedDue = lblSumaKUhrade->text();
    lblSecondaryKUhrade->setText(computeBillTotals(input).secondary);
    return recomputed ? out.roundingDifference : 0.0;
}

// --- lines

void TfFaktura::bitAddItemClick()
{
    if (m_picker)
        m_picker->OpenNewLine();
}

void TfFaktura::bitAddSimpleItemClick()
{
    if (m_simpleLine)
        m_simpleLine->OpenFor(*this);
}

void TfFaktura::sgPolozkyDblClick()
{
    const int row = sgPolozky->currentRowIndex();
    const QString name = sgPolozky->cell(kColName, row);
    if (row < 1 || name.isEmpty())
        return;
    if (!db::ItemExists(name)) {
        services::ShowMessageBox(services::FillPlaceholders(services::MessageText(182), {name}), 48);
        return;
    }
    if (m_picker)
        m_picker->OpenEditLine(row);
}

void TfFaktura::bitDeleteItemClick()
{
    const int row = sgPolozky->currentRowIndex();
    if (row < 1 || row >= sgPolozky->rowCount() - 1)
        return;
    if (services::ShowMessageBox(services::MessageText(123), 36) != 6)
        return;
    m_lines.remove(row - 1);
    FormatLineCells();
    services::StepGridRow(*sgPolozky, row, 1);
    markChanged();
    PrepocitajFakturu();
}

// --- saving and printing

db::BillFormValues TfFaktura::formValues() const
{
    db::BillFormValues form;
    form.number = eCisloFaktury->text();
    form.orderNumber = eCisloObjednavky->text();
    form.variableSymbol = eVS->text();
    form.constantSymbol = cbKS->currentText();
    form.specificSymbol = eSS->text();
    form.paymentForm = cbFormaUhrady->currentText();
    form.authorization = eOpravnenie->text();
    form.issueDate = eDatumVystavenia->date();
    form.dueDate = eDatumSplatnosti->date();
    form.deliveryDate = eDatumDodania->maskText();
    form.paymentDate = eDatumPlatby->maskText();
    form.accountName = cbUcet->currentText();
    form.noteName = cbPoznamka->currentText();
    form.customerKey = cbOdberatel->currentIndex() >= 0 ? cbOdberatel->currentText() : QString();
    form.language = cbJazyk->currentText();
    form.withoutVat = chbFakturovatBezDPH->isChecked();
    form.inForeignCurrency = chbFakturovatVCudzejMene->isChecked();
    form.inTwoCurrencies = chbFakturovatVDvochMenach->isChecked();
    form.foreignIsMain = chbJeHlavnaCudziaMena->isChecked();
    form.foreignSymbol = cbCudziaMenaZobr->currentText();
    form.foreignIso = cbCudziaMenaIso->currentText();
    form.rate = eKurz->text();
    form.homeRate = eKurzDomaca->text();
    form.foreignRate = eKurzCudzia->text();
    form.rounding = cbZaokruhlovanie->currentText();
    form.totalLabel = lblSumaCelkom->text();
    form.dueLabel = lblSumaKUhrade->text();
    form.sum1Left = lblSuma1Left->text();
    form.sum2Right = lblSuma2Right->text();
    form.internalNote = eInternaPoznamka->text();
    form.lines = m_lines.stored();
    for (int row = 0; row < lbZalohoveFaktury->count(); ++row)
        form.advanceEntries << lbZalohoveFaktury->item(row)->text();
    form.homeCurrencySymbol = HomeCurrencySymbol;
    form.listYear = m_listYear;
    form.loadedBillId = m_loadedBillId;
    return form;
}

// The checks of the window before the data layer's: a foreign-currency
// bill needs a rate above 0, and at most four VAT rates can be summed.
bool TfFaktura::refusedBeforeSave()
{
    if (chbFakturovatVCudzejMene->isChecked() && !(CellTextNumber(eKurz->text()) > 0)) {
        services::ShowMessageBox(ForeignRateRefusalText(), 48);
        eKurz->setFocus();
        return true;
    }
    if (m_lines.distinctVatRates(chbFakturovatBezDPH->isChecked()) > VatRateSlots::kCount) {
        services::ShowMessageBox(services::MessageText(207), 16);
        return true;
    }
    return false;
}

bool TfFaktura::bitSaveClick(bool withSender)
{
    if (refusedBeforeSave())
        return false;
    m_filling = true;
    if (!chbJeHlavnaCudziaMena->isEnabled())
        chbJeHlavnaCudziaMena->setChecked(true);
    if (!chbFakturovatVCudzejMene->isChecked()) {
        eKurz->setText(QStringLiteral("1"));
        chbFakturovatVDvochMenach->setChecked(false);
        chbJeHlavnaCudziaMena->setChecked(false);
        for (QComboBox *combo : {cbCudziaMenaZobr, cbCudziaMenaIso})
            combo->setEditText(QString());
    }
    m_filling = false;
    if (!db::SaveBill(formValues(), *this))
        return false;
    services::WriteSetting("Faktura", "LastKS", cbKS->currentText());
    services::WriteSetting("Faktura", "LastSS", eSS->text());
    services::WriteSetting("Faktura", "LastFormaUhrady", cbFormaUhrady->currentText());
    m_loadedBillId = db::GetBillId(eCisloFaktury->text(), services::YearText(eDatumVystavenia->date()), db::BillIsAdvance);
    m_modified = false;
    FormClose();
    done(QDialog::Accepted);
    if (withSender && m_refreshList)
        m_refreshList(eCisloFaktury->text());
    services::SaveSettingsToDatabaseFolder();
    return true;
}

void TfFaktura::bitSaveAndPrintClick()
{
    if (!bitSaveClick(false))
        return;
    bitPrintClick();
    if (m_refreshList)
        m_refreshList(eCisloFaktury->text());
}

void TfFaktura::bitPrintClick()
{
    // A bill is printed only as stored.
    if (m_modified || m_loadedBillId.isEmpty()) {
        bitSaveAndPrint->setFocus();
        bitPrint->setEnabled(false);
        return;
    }
    BillPrintout printout;
    printout.billId = m_loadedBillId;
    printout.lineCount = m_lines.count();
    BillPrintData &data = printout.data;
    data.advance = db::BillIsAdvance;
    data.showsVat = db::BillShowsVat;
    data.language = cbJazyk->currentText();
    data.lineCell = [grid = sgPolozky](int col, int row) { return grid->cell(col, row); };
    data.suma1Left = lblSuma1Left->text();
    data.suma2Right = lblSuma2Right->text();
    data.sumaCelkom = lblSumaCelkom->text();
    data.sumaKUhrade = lblSumaKUhrade->text();
    data.secondaryKUhrade = lblSecondaryKUhrade->text();
    data.foreignIso = cbCudziaMenaIso->currentText();
    data.rate = eKurz->text();
    data.inForeignCurrency = chbFakturovatVCudzejMene->isChecked();
    data.inTwoCurrencies = chbFakturovatVDvochMenach->isChecked();
    data.homeIso = HomeCurrencyIso;
    PrintStoredBill(printout);
}

void TfFaktura::focusField(db::BillField field)
{
    switch (field) {
    case db::BillField::Number:
        eCisloFaktury->setFocus();
        break;
    case db::BillField::VariableSymbol:
        eVS->setFocus();
        break;
    case db::BillField::Customer:
        cbOdberatel->setFocus();
        if (cbOdberatel->count() > 0 && cbOdberatel->currentIndex() < 0)
            cbOdberatel->setCurrentIndex(0);
        break;
    case db::BillField::AddItem:
        bitAddItem->setFocus();
        break;
    }
}

void TfFaktura::showStoredNumber(const QString &number)
{
    const QSignalBlocker quiet(eCisloFaktury);
    eCisloFaktury->setText(number);
}

} // namespace bralvo::app
