// The query builder window.
#include "report/querybuilder/designer/tqbdesigner.h"

#include "platform/error.h"
#include "platform/messageboxseam.h"
#include "platform/registryini.h"
#include "report/editors/tqbsyntaxmemo.h"
#include "report/querybuilder/designer/tqbgrid.h"
#include "report/querybuilder/designer/tqblists.h"
#include "report/querybuilder/designer/tqbresult.h"
#include "report/querybuilder/designer/tqbtablearea.h"
#include "report/querybuilder/tqbcore.h"
#include "report/querybuilder/tqbengine.h"
#include "report/querybuilder/tqbresources.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>

namespace bralvo::report {

namespace {

const QString kSection = QStringLiteral("qbDesigner");

// An error of the user's action reaches the user; the window stays open.
template <class Action>
void guarded(Action action)
{
    try {
        action();
    } catch (const std::exception &e) {
        platform::messageBoxSeam().messageBox(QString::fromUtf8(e.what()),
                                              QCoreApplication::applicationName(), 16);
    }
}

platform::FileDialogRequest sqlFiles()
{
    platform::FileDialogRequest r;
    r.filter = QStringLiteral("SQL files (*.sql)");
    r.defaultSuffix = QStringLiteral("sql");
    return r;
}

} // namespace

TqbDesigner::TqbDesigner(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("qbDesigner"));
    setWindowTitle(QStringLiteral("Rida Zuzir Evavide  Designer"));
    setFont(QFont(QStringLiteral("Tahoma"), 8));
    resize(828, 614);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(makeToolBar());
    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("Pages"));
    m_pages->addTab(makeModelPage(), GetQbText(1806));
    m_memo = new TqbSyntaxMemo(m_pages);
    m_memo->setObjectName(QStringLiteral("SQLMemo"));
    m_memo->SetReadOnly(true);
    m_memo->SetSyntaxType(TSyntaxType::stSQL);
    QFont mono(QStringLiteral("Courier New"));
    mono.setPixelSize(13);
    m_memo->setFont(mono);
    m_pages->addTab(m_memo, GetQbText(1807));
    m_result = new QTableView(m_pages);
    m_result->setObjectName(QStringLiteral("ResultGrid"));
    m_pages->addTab(m_result, GetQbText(1808));
    layout->addWidget(m_pages);
    connect(m_pages, &QTabWidget::currentChanged, this, &TqbDesigner::pageChanged);
    restorePosition();
    FillTableList();
}

TqbDesigner::~TqbDesigner()
{
    savePosition();
}

QToolBar *TqbDesigner::makeToolBar()
{
    auto *bar = new QToolBar(this);
    bar->setObjectName(QStringLiteral("ToolBar"));
    const auto add = [this, bar](const char *name, int textId, QStyle::StandardPixmap icon, auto slot) {
        QAction *a = bar->addAction(style()->standardIcon(icon), GetQbText(textId));
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(GetQbText(textId));
        connect(a, &QAction::triggered, this, slot);
    };
    add("OpenB", 1805, QStyle::SP_DialogOpenButton, [this] { OpenModel(); });
    add("SaveB", 1804, QStyle::SP_DialogSaveButton, [this] { SaveModel(); });
    bar->addSeparator();
    add("ClearB", 1803, QStyle::SP_TrashIcon, [this] { ClearModel(); });
    bar->addSeparator();
    add("CancelB", 2, QStyle::SP_DialogCancelButton, [this] { reject(); });
    add("OkB", 1, QStyle::SP_DialogOkButton, [this] { accept(); });
    return bar;
}

QWidget *TqbDesigner::makeModelPage()
{
    auto *page = new QSplitter(Qt::Horizontal, this);
    page->setObjectName(QStringLiteral("ModelPage"));
    auto *left = new QSplitter(Qt::Vertical, page);
    m_area = new TqbTableArea(left);
    m_grid = new TqbGrid(left);
    m_area->SetGrid(m_grid);
    m_grid->SetArea(m_area);
    left->addWidget(m_area);
    left->addWidget(m_grid);
    left->setSizes({400, 161});
    m_tables = new TqbTableListBox(page);
    m_tables->OnInsert = [this](const QString &name) { insertTable(name, nullptr); };
    page->addWidget(left);
    page->addWidget(m_tables);
    page->setSizes({640, 180});
    return page;
}

void TqbDesigner::insertTable(const QString &name, const QPoint *at)
{
    guarded([&] {
        if (at)
            m_area->InsertTable(at->x(), at->y(), name);
        else
            m_area->InsertTableCascade(name);
    });
}

void TqbDesigner::FillTableList()
{
    guarded([this] {
        QStringList names;
        qbCore().Engine().ReadTableList(names);
        m_tables->clear();
        for (const QString &n : names)
            new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogDetailedView), n, m_tables);
    });
}

void TqbDesigner::OpenModel()
{
    platform::FileDialogRequest r = sqlFiles();
    r.caption = GetQbText(1805);
    const std::optional<QString> file = platform::messageBoxSeam().openFileName(r);
    if (!file)
        return;
    guarded([&] {
        m_area->ClearAll();
        const LoadOutcome outcome = qbCore().LoadFromFile(*file);
        if (outcome == LoadOutcome::ChangedSql)
            platform::messageBoxSeam().messageBox(ChangedSqlMessage(), QCoreApplication::applicationName(), 64);
        m_area->Rebuild();
    });
}

void TqbDesigner::SaveModel()
{
    platform::FileDialogRequest r = sqlFiles();
    r.caption = GetQbText(1804);
    if (const std::optional<QString> file = platform::messageBoxSeam().saveFileName(r))
        guarded([&] { qbCore().SaveToFile(*file); });
}

void TqbDesigner::ClearModel()
{
    m_area->ClearAll();
}

void TqbDesigner::pageChanged(int index)
{
    if (m_lastPage == 2)
        closeResult();
    m_lastPage = index;
    if (index == 1)
        guarded([this] { m_memo->SetLines(qbCore().GenerateSQL().split(QStringLiteral("\r\n"))); });
    else if (index == 2)
        showResult();
}

void TqbDesigner::showResult()
{
    auto *provider = dynamic_cast<TqbResultProvider *>(&qbCore().Engine());
    if (!provider)
        return;
    TqbResultDataSet *rows = provider->ResultDataSet();
    m_result->setModel(rows->Model());
    guarded([&] {
        rows->Close();
        qbCore().Engine().SetSQL(qbCore().GenerateSQL());
        rows->Open();
    });
}

void TqbDesigner::closeResult()
{
    if (auto *provider = dynamic_cast<TqbResultProvider *>(&qbCore().Engine()))
        provider->ResultDataSet()->Close();
}

QString TqbDesigner::SettingsKeyPath()
{
    return QStringLiteral("\\Software\\Dori Zirovad\\RAVuzuver\\")
           + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

void TqbDesigner::restorePosition()
{
    const platform::RegistryIniStore store(SettingsKeyPath());
    const QRect g = geometry();
    const int top = store.readInteger(kSection, QStringLiteral("Top"), g.top());
    const int left = store.readInteger(kSection, QStringLiteral("Left"), g.left());
    const int height = store.readInteger(kSection, QStringLiteral("Height"), g.height());
    const int width = store.readInteger(kSection, QStringLiteral("Width"), g.width());
    setGeometry(left, top, std::max(200, width), std::max(150, height));
}

void TqbDesigner::savePosition() const
{
    platform::RegistryIniStore store(SettingsKeyPath());
    const QRect g = geometry();
    store.writeInteger(kSection, QStringLiteral("Top"), g.top());
    store.writeInteger(kSection, QStringLiteral("Left"), g.left());
    store.writeInteger(kSection, QStringLiteral("Height"), g.height());
    store.writeInteger(kSection, QStringLiteral("Width"), g.width());
}

} // namespace bralvo::report
