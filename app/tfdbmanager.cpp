// The database manager window: layout, handlers and the two forms.
#include "app/tfdbmanager.h"

#include "platform/folders.h"
#include "platform/messageboxseam.h"
#include "platform/widgets/colortext.h"
#include "platform/widgets/keypreview.h"
#include "platform/widgets/named.h"
#include "platform/widgets/stringgrid.h"
#include "services/databaseactions.h"
#include "services/databaselist.h"
#include "services/globals.h"
#include "services/listhelpers.h"
#include "services/messages.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"

#include <QEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace bralvo::app {

using platform::named;

namespace {

constexpr int kWidth = 520;
constexpr int kCompactHeight = 289;
constexpr int kExpandedHeight = 565;
constexpr int kStripHeight = 14;

// A picture of the program's Data folder, the data root's copy first.
QString dataPicture(const QString &fileName)
{
    for (const QString &folder : {services::DataRoot, services::ProgramDir}) {
        const QString path = platform::withTrailingSlash(folder) + QStringLiteral("Data/") + fileName;
        if (!folder.isEmpty() && QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

} // namespace

TfDBmanager::TfDBmanager(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fDBmanager"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    buildControls();
    connectHandlers();
    m_keys = new platform::KeyPreview(this);
    m_keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("sprava_databaz")); });
    sgDatabazy->installEventFilter(this);  // after KeyPreview: Enter selects here
    Image1->installEventFilter(this);
    ShowExpanded();
}

void TfDBmanager::buildControls()
{
    Label2 = named(new QLabel(QStringLiteral("Zoznam databáz"), this), "Label2");
    Label2->setGeometry(8, 6, 300, 16);
    sgDatabazy = named(new platform::StringGrid(this), "sgDatabazy");
    sgDatabazy->setGeometry(8, 24, kWidth - 16, 200);
    sgDatabazy->verticalHeader()->setDefaultSectionSize(17);
    bitVyberDatabazu = named(new QPushButton(QStringLiteral("Načítať označnú databázu"), this), "bitVyberDatabazu");
    bitVyberDatabazu->setGeometry(8, 232, 248, 30);
    bitZmazatFakturu = named(new QPushButton(QStringLiteral("Odobrať označenú databázu"), this), "bitZmazatFakturu");
    bitZmazatFakturu->setGeometry(264, 232, 248, 30);

    GroupBox1 = named(new QGroupBox(QStringLiteral("Vytvorenie databázy"), this), "GroupBox1");
    GroupBox1->setGeometry(8, 272, kWidth - 16, 268);
    Label1 = named(new QLabel(QStringLiteral("Názov databázy"), GroupBox1), "Label1");
    Label1->setGeometry(12, 24, 300, 16);
    eNazov = named(new QLineEdit(GroupBox1), "eNazov");
    eNazov->setGeometry(12, 42, 480, 23);
    Label8 = named(new QLabel(QStringLiteral("Umiestnenie databázy"), GroupBox1), "Label8");
    Label8->setGeometry(12, 74, 300, 16);
    eDatabase = named(new QLineEdit(GroupBox1), "eDatabase");
    eDatabase->setGeometry(12, 92, 448, 23);
    bitSaveDatabase = named(new QPushButton(QStringLiteral("..."), GroupBox1), "bitSaveDatabase");
    bitSaveDatabase->setGeometry(464, 92, 28, 23);
    Label10 = named(new QLabel(QStringLiteral("Ponechajte prázdne ak chcete mať databázu na pôvodnom mieste."),
                               GroupBox1), "Label10");
    Label10->setGeometry(12, 120, 480, 16);
    bitPridatDatabazu = named(new QPushButton(QStringLiteral("Pridať novú databázu do zoznamu"), GroupBox1),
                              "bitPridatDatabazu");
    bitPridatDatabazu->setGeometry(12, 150, 480, 34);
    bitUlozitDatabazu = named(new QPushButton(QStringLiteral("Uložiť / prepísať údaje o označenej databáze"),
                                              GroupBox1), "bitUlozitDatabazu");
    bitUlozitDatabazu->setGeometry(12, 194, 480, 34);

    Image1 = named(new QLabel(this), "Image1");
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setAutoFillBackground(true);
}

void TfDBmanager::connectHandlers()
{
    connect(sgDatabazy, &platform::StringGrid::cellClicked, this, [this] { sgDatabazyClick(); });
    connect(sgDatabazy, &platform::StringGrid::cellDoubleClicked, this, [this] { sgDatabazyDblClick(); });
    connect(bitVyberDatabazu, &QPushButton::clicked, this, [this] { bitVyberDatabazuClick(); });
    connect(bitZmazatFakturu, &QPushButton::clicked, this, [this] { bitZmazatFakturuClick(); });
    connect(bitPridatDatabazu, &QPushButton::clicked, this, [this] { bitPridatDatabazuClick(); });
    connect(bitUlozitDatabazu, &QPushButton::clicked, this, [this] { bitUlozitDatabazuClick(); });
    connect(bitSaveDatabase, &QPushButton::clicked, this, [this] { bitSaveDatabaseClick(); });
}

bool TfDBmanager::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == sgDatabazy && event->type() == QEvent::KeyPress
        && sgDatabazyKeyDown(static_cast<QKeyEvent *>(event)->key()))
        return true;
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

int TfDBmanager::OpenModal()
{
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - ") + services::MessageText(289));
    FillDatabaseGrid();
    if (sgDatabazy->rowCount() <= 3)
        ShowExpanded();
    else
        ShowCompact();
    eNazov->clear();
    eDatabase->clear();
    sgDatabazy->setFocus();
    return exec();
}

void TfDBmanager::FillDatabaseGrid()
{
    services::MaintainDatabaseList(QString(), QString());
    const QList<services::ListedDatabase> entries = services::ListedDatabases();
    sgDatabazy->clear();
    sgDatabazy->setColumnCount(2);
    sgDatabazy->setRowCount(int(entries.size()) + 2);
    sgDatabazy->setCell(0, 0, services::MessageText(287));
    sgDatabazy->setCell(1, 0, services::MessageText(288));
    const QColor fixedColour = platform::parseColorText(QStringLiteral("$00FCC0A7")).value_or(Qt::lightGray);
    for (int col = 0; col < 2; ++col)
        sgDatabazy->setCellData(col, 0, Qt::BackgroundRole, QBrush(fixedColour));
    sgDatabazy->setColWidth(0, 120);
    sgDatabazy->setColWidth(1, 370);
    for (int i = 0; i < entries.size(); ++i) {
        sgDatabazy->setCell(0, i + 1, entries.at(i).name);
        sgDatabazy->setCell(1, i + 1, entries.at(i).folder);
    }
    sgDatabazy->setCell(0, sgDatabazy->rowCount() - 1, QString());
    sgDatabazy->setCell(1, sgDatabazy->rowCount() - 1, QString());
}

void TfDBmanager::setHeight(int height, const QString &picture)
{
    GroupBox1->setVisible(height == kExpandedHeight);
    setFixedSize(kWidth, height);
    Image1->setGeometry(0, height - kStripHeight, kWidth, kStripHeight);
    const QString file = dataPicture(picture);
    if (file.isEmpty())
        Image1->setText(m_compact ? QStringLiteral("▼") : QStringLiteral("▲"));
    else
        Image1->setPixmap(QPixmap(file));
    centreOnParent();
}

void TfDBmanager::ShowCompact()
{
    m_compact = true;
    setHeight(kCompactHeight, QStringLiteral("size_bar_down.bmp"));
}

void TfDBmanager::ShowExpanded()
{
    m_compact = false;
    setHeight(kExpandedHeight, QStringLiteral("size_bar_up.bmp"));
}

// Integer halves truncating toward zero, as the window's other openers do.
void TfDBmanager::centreOnParent()
{
    const QWidget *main = parentWidget();
    if (!main)
        return;
    const QRect frame = main->geometry();
    move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
}

void TfDBmanager::Image1Click()
{
    if (m_compact)
        ShowExpanded();
    else
        ShowCompact();
}

int TfDBmanager::markedRow(bool warn) const
{
    const int row = sgDatabazy->currentRowIndex();
    if (row >= 1 && row < sgDatabazy->rowCount() && !sgDatabazy->cell(0, row).isEmpty())
        return row;
    if (warn)
        services::ShowMessageBox(services::MessageText(292), services::kMbWarning);
    return -1;
}

void TfDBmanager::sgDatabazyClick()
{
    const int row = markedRow(false);
    if (row < 0)
        return;
    const services::ListedDatabase entry{sgDatabazy->cell(0, row), sgDatabazy->cell(1, row)};
    eNazov->setText(entry.name);
    eDatabase->setText(services::ShownLocation(entry));
}

void TfDBmanager::sgDatabazyDblClick()
{
    bitVyberDatabazuClick();
}

bool TfDBmanager::sgDatabazyKeyDown(int key)
{
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    bitVyberDatabazuClick();
    return true;
}

void TfDBmanager::bitVyberDatabazuClick()
{
    const int row = markedRow(true);
    if (row < 0)
        return;
    services::SelectDatabase(sgDatabazy->cell(0, row));
    accept();  // at start-up the sequence continues; else the program has restarted
}

void TfDBmanager::bitZmazatFakturuClick()
{
    const int row = markedRow(true);
    if (row < 0)
        return;
    if (!services::RemoveDatabase({sgDatabazy->cell(0, row), sgDatabazy->cell(1, row)}))
        return;
    FillDatabaseGrid();
    services::StepGridRow(*sgDatabazy, row, 1);
}

void TfDBmanager::bitPridatDatabazuClick()
{
    if (!services::AddDatabase(eNazov->text(), eDatabase->text()))
        return;
    FillDatabaseGrid();
    eNazov->clear();
    eDatabase->clear();
}

void TfDBmanager::bitUlozitDatabazuClick()
{
    const int row = markedRow(true);
    if (row < 0)
        return;
    const services::ListedDatabase old{sgDatabazy->cell(0, row), sgDatabazy->cell(1, row)};
    if (!services::SaveDatabaseChanges(old, eNazov->text(), eDatabase->text()))
        return;
    FillDatabaseGrid();
    eNazov->clear();
    eDatabase->clear();
}

void TfDBmanager::bitSaveDatabaseClick()
{
    QString start = services::ReadSetting(QStringLiteral("General"), QStringLiteral("Directory"), QString());
    if (start.isEmpty())
        start = platform::withTrailingSlash(services::DataRoot) + QStringLiteral("Data/");
    const auto folder = platform::messageBoxSeam().existingFolder(services::MessageText(226), start);
    if (folder)
        eDatabase->setText(platform::withTrailingSlash(*folder));
}

} // namespace bralvo::app
