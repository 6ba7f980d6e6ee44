// The overviews window: layout, preparation, filters and showing.
#include "app/tftabulky.h"

#include "app/guardedcall.h"
#include "app/qtoverviewchart.h"
#include "app/tfmain.h"
#include "db/lookups.h"
#include "db/namelists.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/mdihost.h"
#include "platform/widgets/named.h"
#include "platform/widgets/stringgrid.h"
#include "report/model/trpdataset.h"
#include "report/model/trpreport.h"
#include "services/dates.h"
#include "services/gridhelpers.h"
#include "services/languagefiles.h"
#include "services/listhelpers.h"
#include "services/numbers.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/windowhelpers.h"

#include <QAction>
#include <QButtonGroup>
#include <QChartView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace bralvo::app {

using platform::named;

namespace {

QComboBox *combo(QWidget *parent, const QString &name, QRect geometry)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->setGeometry(geometry);
    return c;
}

QGroupBox *group(QWidget *parent, const char *name, const char *title, QRect geometry)
{
    auto *g = named(new QGroupBox(QString::fromUtf8(title), parent), name);
    g->setGeometry(geometry);
    return g;
}

QRadioButton *radio(QWidget *parent, const char *name, const char *text, QRect geometry)
{
    auto *r = named(new QRadioButton(QString::fromUtf8(text), parent), name);
    r->setGeometry(geometry);
    return r;
}

void setItems(QComboBox &c, const QStringList &items)
{
    c.clear();
    c.addItems(items);
    c.setCurrentIndex(0);
}

} // namespace

TfTabulky::TfTabulky(TfMain *main, bool chartMode) : m_main(main), m_chartMode(chartMode)
{
    setObjectName(QStringLiteral("fTabulky"));
    buildControls();
    connectHandlers();
    loadReports();
    prepare();
}

TfTabulky::~TfTabulky() = default;

TfTabulky *TfTabulky::OpenInMdi(TfMain &main, bool chartMode)
{
    auto *window = new TfTabulky(&main, chartMode);
    platform::MdiHost(*main.mdiArea()).openMaximized(window);
    if (QWidget *frame = window->parentWidget()) {
        frame->setWindowFlags(frame->windowFlags() | Qt::FramelessWindowHint);
        frame->showMaximized();
    }
    services::LocalizeForm(window);
    window->setWindowTitle(services::MessageText(254));
    return window;
}

void TfTabulky::buildPeriod(QWidget *tab, const char *suffix, TabFilters &f)
{
    const QString s = QString::fromLatin1(suffix);
    auto *g = group(tab, "", "Obdobie", {8, 4, 200, 98});
    g->setObjectName(QStringLiteral("gbObdobie") + s);
    f.whole = new QCheckBox(QStringLiteral("Celé obdobie"), g);
    f.whole->setObjectName(QStringLiteral("chbCeleObdobie") + s);
    f.whole->setGeometry(10, 20, 180, 20);
    f.from = new QDateEdit(g);
    f.from->setObjectName(QStringLiteral("eDatumOD") + s);
    f.to = new QDateEdit(g);
    f.to->setObjectName(QStringLiteral("eDatumDO") + s);
    for (QDateEdit *d : {f.from, f.to}) {
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setCalendarPopup(true);
    }
    f.from->setGeometry(10, 44, 120, 21);
    f.to->setGeometry(10, 70, 120, 21);
}

QWidget *TfTabulky::buildBillsTab()
{
    auto *tab = new QWidget;
    tab->setObjectName(QStringLiteral("tsFaktury"));
    TabFilters &f = m_tabs[0];
    buildPeriod(tab, "f", f);
    auto *type = group(tab, "GroupBox1", "Typ", {216, 4, 180, 60});
    rbZoznamFaktur = radio(type, "rbZoznamFaktur", "Faktúra", {10, 18, 160, 18});
    rbZoznamZalohovychFaktur = radio(type, "rbZoznamZalohovychFaktur", "Zálohová faktúra", {10, 38, 160, 18});
    auto *pay = group(tab, "GroupBox2", "Úhrada", {216, 68, 180, 100});
    rbVsetky = radio(pay, "rbVsetky", "Všetky", {10, 18, 160, 18});
    rbNeuhradene = radio(pay, "rbNeuhradene", "Neuhradené", {10, 38, 160, 18});
    rbPreuhradene = radio(pay, "rbPreuhradene", "Preuhradené", {10, 58, 160, 18});
    rbUhradene = radio(pay, "rbUhradene", "Uhradené", {10, 78, 160, 18});
    auto *people = group(tab, "GroupBox3", "Užívatelia a odberatelia", {404, 4, 250, 98});
    f.issuer = combo(people, QStringLiteral("cbVystavilf"), {10, 22, 230, 22});
    f.customer = combo(people, QStringLiteral("cbOdberatelovif"), {10, 60, 230, 22});
    auto *lines = group(tab, "GroupBox4", "Faktúry obsahujú", {662, 4, 250, 98});
    f.category = combo(lines, QStringLiteral("cbKategoriaPoloziekf"), {10, 22, 230, 22});
    f.item = combo(lines, QStringLiteral("cbPolozkyf"), {10, 60, 230, 22});
    auto *sum = group(tab, "GroupBox5", "Suma", {8, 106, 200, 62});
    eSumaOd = named(new QLineEdit(sum), "eSumaOd");
    eSumaOd->setGeometry(10, 20, 85, 21);
    eSumaDo = named(new QLineEdit(sum), "eSumaDo");
    eSumaDo->setGeometry(105, 20, 85, 21);
    for (QLineEdit *e : {eSumaOd, eSumaDo})
        e->setMaxLength(15);
    return tab;
}

QWidget *TfTabulky::buildTab(const char *suffix, bool customer, bool category, bool item)
{
    const QString s = QString::fromLatin1(suffix);
    auto *tab = new QWidget;
    const int index = s == QLatin1String("o") ? 1 : s == QLatin1String("k") ? 2 : 3;
    TabFilters &f = m_tabs[index];
    buildPeriod(tab, suffix, f);
    auto *people = group(tab, "", "Užívatelia a odberatelia", {216, 4, 250, 98});
    people->setObjectName(QStringLiteral("gbUzivatelia") + s);
    f.issuer = combo(people, QStringLiteral("cbVystavil") + s, {10, 22, 230, 22});
    if (customer)
        f.customer = combo(people, QStringLiteral("cbOdberatelovi") + s, {10, 60, 230, 22});
    if (category) {
        auto *lines = group(tab, "", "Obsahuje", {474, 4, 250, 98});
        lines->setObjectName(QStringLiteral("gbObsahuje") + s);
        f.category = combo(lines, QStringLiteral("cbKategoriaPoloziek") + s, {10, 22, 230, 22});
        if (item)
            f.item = combo(lines, QStringLiteral("cbPolozky") + s, {10, 60, 230, 22});
        lines->setVisible(index != 1);  // the customers tab keeps its group hidden
    }
    return tab;
}

void TfTabulky::buildBottom()
{
    sgTabulky = named(new platform::StringGrid(this), "sgTabulky");
    sgTabulky->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgTabulky->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgTabulky->verticalHeader()->setDefaultSectionSize(17);
    sgTabulky->setStyleSheet(QStringLiteral("QHeaderView::section { background-color: rgb(167, 192, 252); }"));
    Chart1 = named(new QChartView(this), "Chart1");
    sbGrafyPie = named(new QToolButton(this), "sbGrafyPie");
    sbGrafyPie->setText(QStringLiteral("Koláč"));
    sbGrafyBar = named(new QToolButton(this), "sbGrafyBar");
    sbGrafyBar->setText(QStringLiteral("Stĺpce"));
    auto *kinds = new QButtonGroup(this);
    for (QToolButton *b : {sbGrafyPie, sbGrafyBar}) {
        b->setCheckable(true);
        kinds->addButton(b);
    }
    kinds->setExclusive(true);
    sbGrafyBar->setChecked(true);
    bitTlacitZoznamFaktur = named(new QPushButton(QStringLiteral("Vytlačiť (F11)"), this), "bitTlacitZoznamFaktur");
    btnBack = named(new QPushButton(QStringLiteral("Späť (ESC)"), this), "btnBack");
    Vytlacit1 = new QAction(QStringLiteral("Vytlacit"), this);
    Vytlacit1->setObjectName(QStringLiteral("Vytlacit1"));
    Vytlacit1->setShortcut(Qt::Key_F11);
    Vytlacit1->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(Vytlacit1);
}

void TfTabulky::buildControls()
{
    pgTriedenie = named(new QTabWidget(this), "pgTriedenie");
    pgTriedenie->addTab(buildBillsTab(), QStringLiteral("Faktúry"));
    QWidget *customers = buildTab("o", false, true, true);
    customers->setObjectName(QStringLiteral("tsOdberatelia"));
    pgTriedenie->addTab(customers, QStringLiteral("Odberatelia"));
    QWidget *categories = buildTab("k", true, false, false);
    categories->setObjectName(QStringLiteral("tsKategoriePoloziek"));
    pgTriedenie->addTab(categories, QStringLiteral("Kategórie položiek"));
    QWidget *items = buildTab("p", true, true, false);
    items->setObjectName(QStringLiteral("tsPolozky"));
    pgTriedenie->addTab(items, QStringLiteral("Položky"));
    pgTriedenie->setFixedHeight(210);
    bitGraf = named(new QPushButton(QStringLiteral("Vykresliť graf"), this), "bitGraf");
    bitTabulka = named(new QPushButton(QStringLiteral("Zobraziť tabuľku"), this), "bitTabulka");
    cbGrafyPodla = combo(this, QStringLiteral("cbGrafyPodla"), {});
    buildBottom();

    auto *top = new QHBoxLayout;
    top->addWidget(pgTriedenie, 1);
    auto *actions = new QVBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{bitGraf, bitTabulka, cbGrafyPodla})
        actions->addWidget(w);
    actions->addStretch();
    top->addLayout(actions);
    auto *buttons = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{sbGrafyPie, sbGrafyBar})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(bitTlacitZoznamFaktur);
    buttons->addWidget(btnBack);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(sgTabulky, 1);
    main->addWidget(Chart1, 1);
    main->addLayout(buttons);
}

void TfTabulky::connectHandlers()
{
    auto *keys = new platform::KeyPreview(this);
    keys->setEscapeHandler([this] { btnBackClick(); });
    keys->setHelpHandler([this] {
        services::ShowHelpTopic(Chart1->isVisible() ? QStringLiteral("grafove_prehlady")
                                                    : QStringLiteral("tabulkove_prehlady"));
    });
    const auto guarded = [this](void (TfTabulky::*handler)()) {
        return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
    };
    connect(pgTriedenie, &QTabWidget::currentChanged, this, [this] { pgTriedenieChange(); });
    connect(bitGraf, &QPushButton::clicked, this, guarded(&TfTabulky::bitGrafClick));
    connect(bitTabulka, &QPushButton::clicked, this, guarded(&TfTabulky::bitTabulkaClick));
    connect(bitTlacitZoznamFaktur, &QPushButton::clicked, this, guarded(&TfTabulky::bitTlacitZoznamFakturClick));
    connect(Vytlacit1, &QAction::triggered, this, guarded(&TfTabulky::bitTlacitZoznamFakturClick));
    connect(btnBack, &QPushButton::clicked, this, &TfTabulky::btnBackClick);
    for (QLineEdit *e : {eSumaOd, eSumaDo}) {
        connect(e, &QLineEdit::editingFinished, this, [e] {
            if (e->text().isEmpty())
                return;
            try {
                e->setText(services::FormatMoney(services::ParseNumber(e->text())));
            } catch (const Error &) {
                // a text that holds no number stays for the user to mend
            }
        });
    }
    // Another category resets the item choice; the item list follows it
    // when the user opens it.
    connect(m_tabs[0].category, &QComboBox::activated, this, [this] { m_tabs[0].item->setCurrentIndex(0); });
    connect(m_tabs[3].category, &QComboBox::activated, this, [this] { m_tabs[0].item->setCurrentIndex(0); });
    connect(m_tabs[1].category, &QComboBox::activated, this, [this] { m_tabs[1].item->setCurrentIndex(0); });
    for (QComboBox *c : findChildren<QComboBox *>())
        c->installEventFilter(this);
    sgTabulky->setCellPainter([this](QPainter &p, const QRect &r, int col, int row, bool selected) {
        return paintCell(p, r, col, row, selected);
    });
    m_overviewChart = std::make_unique<QtOverviewChart>(*Chart1->chart());
}

// --- preparation

void TfTabulky::fillCombos()
{
    QStringList customers, users, categories, items;
    db::FillCustomerKeyListAll(customers, true);
    db::FillUserNameListAll(users, true);
    db::FillCategoryNameList(categories);
    db::FillItemNameListAll(items, QString(), true);
    for (TabFilters &f : m_tabs) {
        setItems(*f.issuer, QStringList{services::MessageText(224)} + users);
        if (f.customer)
            setItems(*f.customer, QStringList{services::MessageText(224)} + customers);
        if (f.category)
            setItems(*f.category,
                     QStringList{services::MessageText(181), services::MessageText(156)} + categories);
        if (f.item)
            setItems(*f.item, QStringList{services::MessageText(231)} + items);
    }
}

void TfTabulky::prepare()
{
    fillCombos();
    rbZoznamFaktur->setChecked(true);
    rbVsetky->setChecked(true);
    const QDate from = services::ParseDate(QStringLiteral("01.01.") + services::CurrentYearString());
    for (TabFilters &f : m_tabs) {
        f.whole->setChecked(false);
        f.from->setDate(from);
        f.to->setDate(QDate::currentDate());
    }
    eSumaOd->clear();
    eSumaDo->clear();
    bitGraf->setVisible(m_chartMode);
    bitTabulka->setVisible(!m_chartMode);
    cbGrafyPodla->setVisible(m_chartMode);
    sbGrafyBar->setVisible(m_chartMode);
    sbGrafyPie->setVisible(m_chartMode);
    Chart1->setVisible(m_chartMode);
    sgTabulky->setVisible(!m_chartMode);
    m_overviewChart->clear();
    Chart1->chart()->setTitle(QString());
    pgTriedenie->setCurrentIndex(0);
    db::SetupBillsTableGrid(*sgTabulky);
    pgTriedenieChange();
    sgTabulky->setRowCount(2);
    for (int col = 0; col < sgTabulky->columnCount(); ++col)
        sgTabulky->setCell(col, 1, QString());
    if (m_chartMode && cbGrafyPodla->count() > 1)
        cbGrafyPodla->setCurrentIndex(1);
}

void TfTabulky::pgTriedenieChange()
{
    static const int kTexts[4][3] = {{248, 249, 250}, {251, 253, 0}, {251, 252, 0}, {251, 252, 0}};
    cbGrafyPodla->clear();
    for (int text : kTexts[pgTriedenie->currentIndex()])
        if (text)
            cbGrafyPodla->addItem(services::MessageText(text));
    cbGrafyPodla->setCurrentIndex(0);
}

OverviewTab TfTabulky::activeTab() const { return OverviewTab(pgTriedenie->currentIndex()); }

// --- filters and showing

db::OverviewFilter TfTabulky::filterOf(OverviewTab tab) const
{
    const TabFilters &f = m_tabs[int(tab)];
    const auto choice = [](const QComboBox *c) {
        return c ? db::ComboChoice{std::max(0, c->currentIndex()), c->currentText()} : db::ComboChoice{};
    };
    db::OverviewFilter filter;
    filter.ordinaryBills = rbZoznamFaktur->isChecked();
    filter.wholePeriod = f.whole->isChecked();
    filter.from = f.from->date();
    filter.to = f.to->date();
    filter.category = choice(f.category);
    filter.item = choice(f.item);
    filter.issuer = choice(f.issuer);
    filter.customer = choice(f.customer);
    if (tab == OverviewTab::Bills) {
        filter.amountFrom = eSumaOd->text();
        filter.amountTo = eSumaDo->text();
        filter.payment = rbUhradene->isChecked()     ? db::PaymentStateFilter::Paid
                         : rbNeuhradene->isChecked() ? db::PaymentStateFilter::Unpaid
                         : rbPreuhradene->isChecked() ? db::PaymentStateFilter::Overpaid
                                                      : db::PaymentStateFilter::All;
    }
    return filter;
}

void TfTabulky::bitGrafClick()
{
    m_overviewChart->clear();
    showOverview();
}

void TfTabulky::bitTabulkaClick() { showOverview(); }

void TfTabulky::showOverview()
{
    const OverviewTab tab = activeTab();
    const db::OverviewFilter filter = filterOf(tab);
    const db::ChartKind kind = sbGrafyPie->isChecked() ? db::ChartKind::Pie : db::ChartKind::Bar;
    const db::ChartMeasure measure = cbGrafyPodla->currentIndex() == 1 ? db::ChartMeasure::Count : db::ChartMeasure::Sum;
    QString sql;
    switch (tab) {
    case OverviewTab::Bills: {
        const int g = cbGrafyPodla->currentIndex();
        sql = db::BuildBillsTableQuery(filter, m_chartMode, db::ChartGrouping(g >= 0 && g <= 2 ? g : 0));
        db::SetupBillsTableGrid(*sgTabulky);
        if (m_chartMode)
            return db::DrawBillsChart(sql, kind, *m_overviewChart);
        db::FillBillsTableGrid(*sgTabulky, sql);
        break;
    }
    case OverviewTab::Customers:
        sql = db::BuildCustomersTableQuery(filter);
        db::SetupCustomersTableGrid(*sgTabulky);
        if (m_chartMode)
            return db::DrawCustomersChart(sql, kind, measure, *m_overviewChart);
        db::FillCustomersTableGrid(*sgTabulky, sql);
        break;
    case OverviewTab::Categories:
    case OverviewTab::Items:
        sql = tab == OverviewTab::Items ? db::BuildItemsTableQuery(filter) : db::BuildCategoriesTableQuery(filter);
        tab == OverviewTab::Items ? db::SetupItemsTableGrid(*sgTabulky) : db::SetupCategoriesTableGrid(*sgTabulky);
        if (m_chartMode)
            return db::DrawSummaryChart(sql, kind, measure, *m_overviewChart);
        db::FillSummaryTableGrid(*sgTabulky, sql);
        break;
    }
    m_freeAdvance.clear();
    formatAmounts(tab);
    sgTabulky->setCurrentRowIndex(1);
    sgTabulky->setFocus();
}

void TfTabulky::formatAmounts(OverviewTab tab)
{
    const int last = sgTabulky->columnCount() - 1;
    for (int row = 1; row <= sgTabulky->rowCount() - 2; ++row) {
        const auto money = [this, row](int col) {
            try {
                return services::FormatMoney(services::ParseNumber(sgTabulky->cell(col, row)));
            } catch (const Error &) {
                return services::FormatMoney(0);
            }
        };
        if (tab != OverviewTab::Bills) {
            sgTabulky->setCell(2, row, money(2) + QLatin1Char(' ') + sgTabulky->cell(last, row));
            continue;
        }
        sgTabulky->setCell(6, row, money(6) + QLatin1Char(' ') + sgTabulky->cell(8, row));
        sgTabulky->setCell(5, row, sgTabulky->cell(10, row) != QLatin1String("0")
                                       ? services::MessageText(225)
                                       : money(5) + QLatin1Char(' ') + sgTabulky->cell(9, row));
    }
}

void TfTabulky::refillItems(QComboBox &items, const QComboBox &categories)
{
    const QString remembered = items.currentText();
    QStringList list;
    if (categories.currentIndex() <= 0)
        db::FillItemNameListAll(list, QString(), true);
    else
        db::FillItemNameListAll(list, db::GetCategoryId(categories.currentText()), true);
    list.prepend(services::MessageText(231));
    items.clear();
    items.addItems(list);
    const int index = services::IndexInStringList(remembered, list, false);
    items.setCurrentIndex(index >= 0 ? index : 0);
    services::SetComboDropDownWidth(items);
}

bool TfTabulky::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        auto *c = static_cast<QComboBox *>(watched);
        if (c == m_tabs[0].item)
            RunGuarded([this] { cbPolozkyfEnter(); });
        else if (c == m_tabs[1].item)
            RunGuarded([this] { cbPolozkyoEnter(); });
        else
            services::SetComboDropDownWidth(*c);
    }
    return QWidget::eventFilter(watched, event);
}

void TfTabulky::cbPolozkyfEnter() { refillItems(*m_tabs[0].item, *m_tabs[0].category); }
void TfTabulky::cbPolozkyoEnter() { refillItems(*m_tabs[1].item, *m_tabs[1].category); }

void TfTabulky::btnBackClick()
{
    platform::MdiHost::closeFrameOf(*this);
}

void TfTabulky::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    if (!m_main)
        return;
    m_main->WorkingWindowClosing(*this);
}

} // namespace bralvo::app
