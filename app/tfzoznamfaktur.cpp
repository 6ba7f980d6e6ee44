// The bill list window.
#include "app/tfzoznamfaktur.h"

#include "app/appstate.h"
#include "app/billlinecells.h"
#include "app/billprinting.h"
#include "app/guardedcall.h"
#include "app/tffaktura.h"
#include "app/tfmain.h"
#include "db/billgrids.h"
#include "db/billnumbering.h"
#include "db/billstate.h"
#include "db/company.h"
#include "db/currentuser.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "db/retiring.h"
#include "db/rights.h"
#include "db/rulesquery.h"
#include "db/tsqlitedatabase.h"
#include "db/tsqlitetable.h"
#include "platform/widgets/allupbuttongroup.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/mdihost.h"
#include "platform/widgets/named.h"
#include "platform/widgets/stringgrid.h"
#include "services/dates.h"
#include "services/gridhelpers.h"
#include "services/languagefiles.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace bralvo::app {

using platform::named;

namespace {

const QColor kRed(0xFF, 0x00, 0x00), kBlue(0x00, 0x00, 0xFF), kWhite(0xFF, 0xFF, 0xFF);
const QColor kLightBlue(0xCE, 0xCE, 0xFF), kLightRed(0xFF, 0xAA, 0xAA), kFreeAdvance(0xFF, 0xEA, 0xEA);

template <typename T>
T *place(T *widget, const char *name, const QRect &geometry)
{
    named(widget, name)->setGeometry(geometry);
    return widget;
}

QPushButton *boldButton(QWidget *parent, const char *name, const char *text, const QRect &geometry)
{
    auto *push = place(new QPushButton(QString::fromUtf8(text), parent), name, geometry);
    QFont bold = push->font();
    bold.setBold(true);
    push->setFont(bold);
    return push;
}

} // namespace

std::optional<std::pair<QDate, QDate>> BillListPeriod(int year, int month)
{
    if (year < 1900 || year > 2200 || month < 0 || month > 12)
        return std::nullopt;
    if (month == 0)
        return std::make_pair(QDate(year, 1, 1), QDate(year, 12, 31));
    const QDate first(year, month, 1);
    return std::make_pair(first, QDate(year, month, first.daysInMonth()));
}

QDate MoveIntoYear(const QDate &date, int year)
{
    const QDate first(year, date.month(), 1);
    return QDate(year, date.month(), std::min(date.day(), first.daysInMonth()));
}

void FormatBillListAmounts(platform::StringGrid &grid)
{
    // Formatted as the cells are read: a long list keeps its amounts as
    // numbers rather than a money text per bill.
    const platform::StringGrid::BulkUpdate bulk(grid);
    const int last = grid.rowCount() - 2;
    grid.formatRows(6, 1, last, [&grid](int row, const QString &total) {
        return services::FormatMoney(CellTextNumber(total)) + QLatin1Char(' ') + grid.cell(8, row);
    });
    grid.formatRows(5, 1, last, [&grid, paid = services::MessageText(225)](int row, const QString &left) {
        return grid.cell(10, row) != QLatin1String("0")
                   ? paid
                   : services::FormatMoney(CellTextNumber(left)) + QLatin1Char(' ') + grid.cell(9, row);
    });
}

BillListCellLook BillListCellStyle(int col, const QString &text, bool selected, bool freeAdvance)
{
    BillListCellLook look;
    if (col == 5 && text != services::MessageText(225)) {
        look.bold = true;
        look.font = CellTextNumber(text) > 0 ? kRed : kBlue;
    }
    if (col == 6)
        look.bold = true;
    if (selected)
        look.font = !look.font.isValid() ? kWhite : look.font == kBlue ? kLightBlue : kLightRed;
    if (freeAdvance && !selected)
        look.background = kFreeAdvance;
    if (freeAdvance && selected) {
        look.font = kLightRed;
        look.bold = true;
    }
    return look;
}

TfZoznamFaktur *TfZoznamFaktur::OpenInMdi(TfMain &main, TfFaktura &editor, PaymentsOpener payments)
{
    auto *window = new TfZoznamFaktur(main, editor, std::move(payments));
    platform::MdiHost(*main.mdiArea()).openMaximized(window);
    if (QWidget *frame = window->parentWidget()) {
        frame->setWindowFlags(frame->windowFlags() | Qt::FramelessWindowHint);
        frame->showMaximized();
    }
    services::LocalizeForm(window);
    window->setWindowTitle(services::MessageText(169));
    window->fillFilters();
    window->sbJanuarClick();
    window->bitClearZoznamClick();
    return window;
}

TfZoznamFaktur::TfZoznamFaktur(TfMain &main, TfFaktura &editor, PaymentsOpener payments)
    : m_main(main), m_editor(editor), m_payments(std::move(payments))
{
    setObjectName(QStringLiteral("fZoznamFaktur"));
    setAttribute(Qt::WA_DeleteOnClose);
    setMinimumSize(1000, 600);
    pnlMain = named(new QWidget(this), "pnlMain");
    pnlMain->resize(1000, 640);
    buildFilters();
    buildGridAndButtons();
    connectHandlers();
    m_keys = new platform::KeyPreview(this);
    m_keys->setEscapeHandler([this] { btnBackClick(); });
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_faktur")); });
    sgFaktury->installEventFilter(this);
    cbVystavil->installEventFilter(this);
    cbOdberatelovi->installEventFilter(this);
}

void TfZoznamFaktur::buildFilters()
{
    auto *pTop = place(new QWidget(pnlMain), "pTop", {0, 0, 1000, 170});
    pgTriedenie = place(new QTabWidget(pTop), "pgTriedenie", {4, 4, 992, 162});
    auto *page = named(new QWidget, "TabSheet1");
    pgTriedenie->addTab(page, QString::fromUtf8("Triedenie zobrazenia"));
    auto *type = place(new QGroupBox(QString::fromUtf8("Typ"), page), "GroupBox1", {4, 4, 234, 120});
    rbZoznamFaktur = place(new QRadioButton(QString::fromUtf8("Zobraziť zoznam faktúr"), type), "rbZoznamFaktur",
                           {8, 24, 222, 20});
    rbZoznamZalohovychFaktur = place(new QRadioButton(QString::fromUtf8("Zobraziť zoznam zálohových faktúr"), type),
                                     "rbZoznamZalohovychFaktur", {8, 52, 222, 20});
    rbZoznamFaktur->setChecked(true);
    buildPeriod(place(new QGroupBox(QString::fromUtf8("Obdobie"), page), "GroupBox2", {242, 4, 436, 120}));
    auto *payment = place(new QGroupBox(QString::fromUtf8("Úhrada"), page), "GroupBox3", {684, 4, 110, 120});
    rbVsetky = place(new QRadioButton(QString::fromUtf8("Všetky"), payment), "rbVsetky", {8, 20, 96, 20});
    rbNeuhradene = place(new QRadioButton(QString::fromUtf8("Neuhradené"), payment), "rbNeuhradene", {8, 44, 96, 20});
    rbPreuhradene = place(new QRadioButton(QString::fromUtf8("Preuhradené"), payment), "rbPreuhradene", {8, 68, 96, 20});
    rbUhradene = place(new QRadioButton(QString::fromUtf8("Uhradené"), payment), "rbUhradene", {8, 92, 96, 20});
    rbVsetky->setChecked(true);
    auto *people = place(new QGroupBox(QString::fromUtf8("Užívatelia a odberatelia"), page), "GroupBox4",
                         {800, 4, 188, 120});
    auto *issuer = new QLabel(QStringLiteral("Vystavil"), people);
    issuer->setGeometry(8, 18, 172, 16);
    cbVystavil = place(new QComboBox(people), "cbVystavil", {8, 34, 172, 23});
    cbVystavil->setMaxVisibleItems(30);
    auto *customer = new QLabel(QString::fromUtf8("Odberateľovi"), people);
    customer->setGeometry(8, 62, 172, 16);
    cbOdberatelovi = place(new QComboBox(people), "cbOdberatelovi", {8, 78, 172, 23});
    cbOdberatelovi->setMaxVisibleItems(20);
}

void TfZoznamFaktur::buildPeriod(QGroupBox *group)
{
    static const struct {
        const char *name, *caption;
    } months[] = {{"sbJanuar", "január"}, {"sbFebruar", "február"}, {"sbMarec", "marec"}, {"sbApril", "apríl"},
                  {"sbMaj", "máj"}, {"sbJun", "jún"}, {"sbJul", "júl"}, {"sbAugust", "august"},
                  {"sbSeptember", "september"}, {"sbOktober", "október"}, {"sbNovember", "november"},
                  {"sbDecember", "december"}, {"sbVsetkyMesiace", "všetky mesiace"}};
    m_months = new platform::AllUpButtonGroup(this);
    for (int i = 0; i < 13; ++i) {
        const QRect geometry = i < 12 ? QRect(8 + (i % 6) * 70, 20 + (i / 6) * 26, 68, 24) : QRect(8, 74, 138, 24);
        auto *button = place(new QToolButton(group), months[i].name, geometry);
        button->setText(QString::fromUtf8(months[i].caption));
        m_months->addButton(button);
        m_monthButtons << button;
    }
    QToolButton **fields[] = {&sbJanuar, &sbFebruar, &sbMarec, &sbApril, &sbMaj, &sbJun, &sbJul,
                              &sbAugust, &sbSeptember, &sbOktober, &sbNovember, &sbDecember, &sbVsetkyMesiace};
    for (int i = 0; i < 13; ++i)
        *fields[i] = m_monthButtons[i];
    sbVsetkyMesiace->setChecked(true);
    eRok = place(new QSpinBox(group), "eRok", {152, 74, 70, 24});
    eRok->setRange(1900, 2200);
    eDatumOD = place(new QDateEdit(group), "eDatumOD", {228, 74, 92, 24});
    eDatumDO = place(new QDateEdit(group), "eDatumDO", {228, 96, 92, 22});
    for (QDateEdit *date : {eDatumOD, eDatumDO}) {
        date->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        date->setCalendarPopup(true);
    }
    bitOK = place(new QPushButton(QStringLiteral("ok"), group), "bitOK", {326, 74, 58, 24});
}

void TfZoznamFaktur::buildGridAndButtons()
{
    auto *pBottom = place(new QWidget(pnlMain), "pBottom", {0, 170, 1000, 470});
    sgFaktury = place(new platform::StringGrid(pBottom), "sgFaktury", {4, 4, 992, 420});
    sgFaktury->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgFaktury->setSelectionMode(QAbstractItemView::SingleSelection);
    sgFaktury->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgFaktury->verticalHeader()->setDefaultSectionSize(17);
    sgFaktury->setCellPainter([this](QPainter &painter, const QRect &rect, int col, int row, bool selected) {
        return paintCell(painter, rect, col, row, selected);
    });
    bitPridatFakturu = boldButton(pBottom, "bitPridatFakturu", "Vystaviť novú faktúru (F5)", {4, 430, 220, 32});
    bitZmazatFakturu = boldButton(pBottom, "bitZmazatFakturu", "Zmazať označenú (DEL)", {230, 430, 190, 32});
    bitUhradyFaktury = boldButton(pBottom, "bitUhradyFaktury", "Úhrady k faktúre (F4)", {426, 430, 180, 32});
    bitTlacitZoznamFaktur = boldButton(pBottom, "bitTlacitZoznamFaktur", "Vytlačiť zoznam (F11)", {612, 430, 180, 32});
    btnBack = boldButton(pBottom, "btnBack", "Späť (ESC)", {846, 430, 150, 32});
    bitClearZoznam = place(new QPushButton(QString::fromUtf8("Vyčistiť"), pBottom), "bitClearZoznam", {0, 0, 10, 10});
    bitClearZoznam->hide();
    bitUhradyFaktury->setEnabled(bool(m_payments));
}

void TfZoznamFaktur::connectHandlers()
{
    const auto on = [this](QAbstractButton *push, void (TfZoznamFaktur::*handler)()) {
        connect(push, &QAbstractButton::clicked, this,
                [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    on(bitClearZoznam, &TfZoznamFaktur::bitClearZoznamClick);
    on(bitOK, &TfZoznamFaktur::bitOKClick);
    on(bitPridatFakturu, &TfZoznamFaktur::bitPridatFakturuClick);
    on(bitZmazatFakturu, &TfZoznamFaktur::bitZmazatFakturuClick);
    on(bitUhradyFaktury, &TfZoznamFaktur::bitUhradyFakturyClick);
    on(bitTlacitZoznamFaktur, &TfZoznamFaktur::bitTlacitZoznamFakturClick);
    connect(btnBack, &QPushButton::clicked, this, &TfZoznamFaktur::btnBackClick);
    for (QToolButton *month : m_monthButtons)
        on(month, &TfZoznamFaktur::sbJanuarClick);
    for (QRadioButton *radio : {rbVsetky, rbNeuhradene, rbPreuhradene, rbUhradene})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_filling)
                RunGuarded([this] { bitClearZoznamClick(); });
        });
    for (QRadioButton *radio : {rbZoznamFaktur, rbZoznamZalohovychFaktur})
        connect(radio, &QRadioButton::toggled, this, [this](bool on) {
            if (on && !m_filling)
                RunGuarded([this] { rbZoznamFakturClick(); });
        });
    connect(eRok, &QSpinBox::valueChanged, this, [this] {
        if (!m_filling)
            RunGuarded([this] { sbJanuarClick(); });
    });
    for (QComboBox *combo : {cbVystavil, cbOdberatelovi}) {
        connect(combo, &QComboBox::activated, this, [this] { RunGuarded([this] { bitClearZoznamClick(); }); });
    }
    connect(sgFaktury, &platform::StringGrid::cellDoubleClicked, this, [this] { RunGuarded([this] { sgFakturyDblClick(); }); });
    const auto key = [this](QKeyCombination keys, void (TfZoznamFaktur::*handler)()) {
        auto *shortcut = new QShortcut(QKeySequence(keys), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    key(QKeyCombination(Qt::Key_F5), &TfZoznamFaktur::bitPridatFakturuClick);
    key(QKeyCombination(Qt::Key_F4), &TfZoznamFaktur::bitUhradyFakturyClick);
    key(QKeyCombination(Qt::Key_F11), &TfZoznamFaktur::bitTlacitZoznamFakturClick);
}

bool TfZoznamFaktur::eventFilter(QObject *watched, QEvent *event)
{
    // cbVystavilEnter: the list as wide as its longest name.
    if ((watched == cbVystavil || watched == cbOdberatelovi) && event->type() == QEvent::FocusIn)
        services::SetComboDropDownWidth(*static_cast<QComboBox *>(watched));
    if (watched == sgFaktury && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Delete) {
            RunGuarded([this] { bitZmazatFakturuClick(); });
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            RunGuarded([this] { sgFakturyDblClick(); });
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TfZoznamFaktur::rbZoznamFakturClick()
{
    const bool advance = rbZoznamZalohovychFaktur->isChecked();
    db::BillIsAdvance = advance;
    bitClearZoznamClick();
    bitPridatFakturu->setText(services::MessageText(advance ? 212 : 211) + QStringLiteral(" (F5)"));
}

void TfZoznamFaktur::btnBackClick()
{
    platform::MdiHost::closeFrameOf(*this);
}

void TfZoznamFaktur::fillFilters()
{
    m_filling = true;
    QStringList names;
    db::FillCustomerKeyListAll(names, true);
    cbOdberatelovi->clear();
    cbOdberatelovi->addItems(QStringList{services::MessageText(224)} + names);
    cbOdberatelovi->setCurrentIndex(0);
    db::FillUserNameListAll(names, true);
    cbVystavil->clear();
    cbVystavil->addItems(QStringList{services::MessageText(224)} + names);
    cbVystavil->setCurrentIndex(0);
    rbZoznamFaktur->setChecked(true);
    db::BillIsAdvance = false;
    sbVsetkyMesiace->setChecked(true);
    eRok->setValue(services::CurrentYearString().toInt());
    rbVsetky->setChecked(true);
    m_filling = false;
}

// --- listing

QString TfZoznamFaktur::yearText() const
{
    return QString::number(eRok->value());
}

int TfZoznamFaktur::monthDown() const
{
    const QAbstractButton *down = m_months->checkedButton();
    const int index = m_monthButtons.indexOf(static_cast<QToolButton *>(const_cast<QAbstractButton *>(down)));
    return index < 0 ? -1 : index == 12 ? 0 : index + 1;
}

db::OverviewFilter TfZoznamFaktur::filter() const
{
    db::OverviewFilter f;
    f.ordinaryBills = rbZoznamFaktur->isChecked();
    f.from = eDatumOD->date();
    f.to = eDatumDO->date();
    f.payment = rbUhradene->isChecked()     ? db::PaymentStateFilter::Paid
                : rbNeuhradene->isChecked() ? db::PaymentStateFilter::Unpaid
                : rbPreuhradene->isChecked() ? db::PaymentStateFilter::Overpaid
                                             : db::PaymentStateFilter::All;
    f.issuer = {cbVystavil->currentIndex(), cbVystavil->currentText()};
    f.customer = {cbOdberatelovi->currentIndex(), cbOdberatelovi->currentText()};
    return f;
}

void TfZoznamFaktur::bitClearZoznamClick()
{
    m_billListSql = db::BuildBillListQuery(filter());
    db::SetupBillListGrid(*sgFaktury);
    db::FillBillListGrid(*sgFaktury, m_billListSql);
    FormatBillListAmounts(*sgFaktury);
    markFreeAdvanceBills();
    sgFaktury->setCurrentRowIndex(sgFaktury->rowCount() > 2 ? sgFaktury->rowCount() - 2 : 1);
    sgFaktury->setFocus();
    if (isVisible())
        sgFaktury->scrollToBottom();
}

// Once per refresh, never per painted cell.
void TfZoznamFaktur::markFreeAdvanceBills()
{
    m_freeAdvanceRows.clear();
    if (!rbZoznamZalohovychFaktur->isChecked())
        return;
    for (int row = 1; row <= sgFaktury->rowCount() - 2; ++row)
        if (!db::IsAdvanceBillUsed(sgFaktury->cell(0, row), yearText()))
            m_freeAdvanceRows.insert(row);
}

bool TfZoznamFaktur::paintCell(QPainter &painter, const QRect &rect, int col, int row, bool selected)
{
    if (row < 1 || row > sgFaktury->rowCount() - 2)
        return false;
    const BillListCellLook look = BillListCellStyle(col, sgFaktury->cell(col, row), selected,
                                                    m_freeAdvanceRows.contains(row));
    painter.setBrush(look.background.isValid() ? QBrush(look.background)
                     : selected                ? sgFaktury->palette().highlight()
                                               : sgFaktury->palette().base());
    painter.setPen(Qt::NoPen);
    const int alignment = col == 2 ? services::AlignCenter : (col == 5 || col == 6) ? services::AlignRight
                                                                                     : services::AlignLeft;
    const QColor font = look.font.isValid() ? look.font : sgFaktury->palette().text().color();
    services::DrawGridCell(painter, *sgFaktury, row, col, look.bold ? QFont::Bold : QFont::Normal, false, 2,
                           alignment, font, sgFaktury->font().pointSize(), sgFaktury->font().family(), rect);
    return true;
}

void TfZoznamFaktur::sbJanuarClick()
{
    const int month = monthDown();
    if (month < 0)
        return;
    const auto period = BillListPeriod(eRok->value(), month);
    if (!period)
        return;
    eDatumOD->setDate(period->first);
    eDatumDO->setDate(period->second);
    bitClearZoznamClick();
}

void TfZoznamFaktur::bitOKClick()
{
    for (QToolButton *month : m_monthButtons)
        month->setChecked(false);
    m_filling = true;
    eRok->setValue(eDatumOD->date().year());
    m_filling = false;
    eDatumDO->setDate(MoveIntoYear(eDatumDO->date(), eDatumOD->date().year()));
    bitClearZoznamClick();
}

void TfZoznamFaktur::refreshAndSelect(const QString &number)
{
    bitClearZoznamClick();
    for (int row = 1; row <= sgFaktury->rowCount() - 2; ++row)
        if (sgFaktury->cell(0, row) == number)
            sgFaktury->setCurrentRowIndex(row);
}

// --- bills

void TfZoznamFaktur::bitPridatFakturuClick()
{
    m_editor.PrepareNewBill(rbZoznamZalohovychFaktur->isChecked(), yearText());
    openEditor();
}

void TfZoznamFaktur::openEditor()
{
    m_editor.resize(1024, 768);
    const QRect frame = m_main.frameGeometry();
    m_editor.move(frame.left() + (frame.width() - 1024) / 2, frame.top() + (frame.height() - 768) / 2);
    m_editor.ShowBill();
}

void TfZoznamFaktur::sgFakturyDblClick()
{
    const bool advance = rbZoznamZalohovychFaktur->isChecked();
    const QString number = sgFaktury->cell(0, sgFaktury->currentRowIndex());
    if (number.isEmpty())
        return;
    if (!db::BillNumberExists(number, yearText(), advance)) {
        services::ShowMessageBox(services::FillPlaceholders(services::MessageText(205), {number}), 16);
        bitClearZoznamClick();
        return;
    }
    if (m_editor.PrepareStoredBill(number, yearText(), advance))
        openEditor();
}

void TfZoznamFaktur::bitZmazatFakturuClick()
{
    const int row = sgFaktury->currentRowIndex();
    const QString number = sgFaktury->cell(0, row);
    if (row < 1 || number.isEmpty())
        return;
    if (db::AdminUserExists() && !db::CanDeleteBills(db::CurrentUserName())) {
        services::ShowMessageBox(services::MessageText(280), 48);
        return;
    }
    const bool advance = rbZoznamZalohovychFaktur->isChecked();
    if (services::ShowMessageBox(services::FillPlaceholders(services::MessageText(advance ? 215 : 214), {number}), 36) != 6)
        return;
    if (advance) {
        const std::optional<QString> user = db::FindBillUsingAdvance(db::GetBillId(number, yearText(), true));
        if (user) {
            services::ShowMessageBox(services::FillPlaceholders(services::MessageText(217), {*user}), 48);
            return;
        }
    }
    db::DeleteBill(number, sgFaktury->cell(2, row).right(4), advance);
    bitClearZoznamClick();
    services::StepGridRow(*sgFaktury, row, 1);
}

void TfZoznamFaktur::bitUhradyFakturyClick()
{
    const int row = sgFaktury->currentRowIndex();
    const QString number = sgFaktury->cell(0, row);
    const QString id = sgFaktury->cell(sgFaktury->columnCount() - 1, row);
    if (!m_payments || number.isEmpty() || id.isEmpty())
        return;
    if (!db::BillNumberExists(number, yearText(), db::BillIsAdvance)) {
        services::ShowMessageBox(services::FillPlaceholders(services::MessageText(205), {number}), 16);
        bitClearZoznamClick();
        return;
    }
    m_payments(id, number);
    bitClearZoznamClick();
    sgFaktury->setCurrentRowIndex(std::min(row, sgFaktury->rowCount() - 1));
}

// --- printing

ListReportData TfZoznamFaktur::listReportData() const
{
    ListReportData d;
    d.advanceBills = rbZoznamZalohovychFaktur->isChecked();
    d.payment = filter().payment;
    d.wholePeriod = sbVsetkyMesiace->isChecked();
    d.year = yearText();
    d.from = eDatumOD->date();
    d.to = eDatumDO->date();
    d.issuer = cbVystavil->currentText();
    d.customer = cbOdberatelovi->currentText();
    d.cell = [grid = sgFaktury](int col, int row) { return grid->cell(col, row); };
    d.rowCount = sgFaktury->rowCount();
    const auto firms = db::rules::connection().GetTable(QStringLiteral("SELECT * FROM firma WHERE existuje = 1"));
    if (firms->MoveFirst())
        d.company = FirstRowTexts(*firms);
    d.homeSymbol = HomeCurrencySymbol;
    return d;
}

void TfZoznamFaktur::bitTlacitZoznamFakturClick()
{
    bitClearZoznamClick();
    // Several firms are reported once per print, not once per value.
    if (billPrinter())
        db::WarnIfSeveralCompanies();
    BillListPrintout printout;
    printout.recordCount = sgFaktury->rowCount() - 2;
    printout.data = listReportData();
    PrintBillList(printout);
}

// --- window

void TfZoznamFaktur::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    services::CenterPanels(*this);
}

void TfZoznamFaktur::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    sgFaktury->scrollToBottom();
}

void TfZoznamFaktur::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    m_main.setUpdatesEnabled(false);
    m_main.WorkingWindowClosing(*this);
    m_main.setUpdatesEnabled(true);
}

} // namespace bralvo::app
