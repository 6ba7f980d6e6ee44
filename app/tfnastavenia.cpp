// The settings window: pages, loading, saving and the problem report.
#include "app/tfnastavenia.h"
#include "app/numberfields.h"

#include "app/appstate.h"
#include "app/backupfolderlist.h"
#include "app/guardedcall.h"
#include "app/languagepage.h"
#include "app/ratefield.h"
#include "db/schema.h"
#include "platform/error.h"
#include "platform/formatstring.h"
#include "platform/inifile.h"
#include "platform/messageboxseam.h"
#include "platform/regionalsettings.h"
#include "platform/textcodec.h"
#include "platform/widgets/keypreview.h"
#include "services/backup.h"
#include "services/databaselist.h"
#include "services/globals.h"
#include "services/languagefiles.h"
#include "services/md5.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/printlanguages.h"
#include "services/processes.h"
#include "services/programhost.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"
#include "services/updatecheck.h"
#include "services/windowhelpers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <cmath>

namespace bralvo::app {

namespace {

const QString kGeneral = QStringLiteral("General");
const QString kBackups = QStringLiteral("Backups");
const QString kFaktura = QStringLiteral("Faktura");
const QString kMena = QStringLiteral("Mena");
const QString kTlac = QStringLiteral("Tlac");
const QString kDefaultPrintLanguage = QStringLiteral("SK - Slovenčina");

template <typename W>
W *named(W *widget, const char *name, const QString &text = QString())
{
    widget->setObjectName(QLatin1String(name));
    if constexpr (requires { widget->setText(text); })
        if (!text.isEmpty())
            widget->setText(text);
    return widget;
}

QLabel *label(QWidget *parent, const char *name, const char *text)
{
    return named(new QLabel(parent), name, QString::fromUtf8(text));
}

QString defaultDatabaseFolder()
{
    return services::DataRoot + QStringLiteral("Data/");
}

QChar decimalSeparator()
{
    return platform::regionalSettings().decimalSeparator;
}

// "0,10" and the like: the step written with the locale separator.
QString roundingStep(const char *whole, const char *fraction)
{
    return QLatin1String(whole) + decimalSeparator() + QLatin1String(fraction);
}

bool parsesToZero(const QString &text)
{
    try {
        return services::ParseNumber(text) == 0;
    } catch (const Error &) {
        return false;
    }
}

// The first file that exists, or empty.
QString firstExisting(const QStringList &files)
{
    for (const QString &file : files)
        if (QFileInfo::exists(file))
            return file;
    return QString();
}

QString readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return platform::decodeText(file.readAll());
}

} // namespace

TfNastavenia::TfNastavenia(QWidget *mainWindow)
    : QDialog(mainWindow), m_mainWindow(mainWindow), m_reportAccount(MakerReportAccount())
{
    setObjectName(QStringLiteral("fSettings"));
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - Corvane"));
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    PgCtrlCorvane = named(new QTabWidget(this), "PgCtrlCorvane");
    auto *settingsPage = named(new QWidget, "tsNastavenia");
    PgCtrlSettings = named(new QTabWidget(settingsPage), "PgCtrlSettings");
    bitSave = named(new QPushButton(settingsPage), "bitSave", QString::fromUtf8("Uložiť zmeny"));
    auto *settingsLayout = new QVBoxLayout(settingsPage);
    settingsLayout->addWidget(PgCtrlSettings);
    settingsLayout->addWidget(bitSave, 0, Qt::AlignRight);
    PgCtrlCorvane->addTab(settingsPage, QStringLiteral("Nastavenia"));
    PgCtrlSettings->addTab(buildMainPage(), QString::fromUtf8("Hlavné"));
    PgCtrlSettings->addTab(buildBackupPage(), QString::fromUtf8("Zálohy"));
    PgCtrlSettings->addTab(buildBillPage(), QString::fromUtf8("Faktúra"));
    PgCtrlSettings->addTab(buildCurrencyPage(), QStringLiteral("Mena"));
    PgCtrlSettings->addTab(buildPrintPage(), QString::fromUtf8("Tlač"));
    auto *languageTab = named(new QWidget, "tsJazyk");
    m_languagePage = new LanguagePage(mainWindow, languageTab);
    (new QVBoxLayout(languageTab))->addWidget(m_languagePage);
    m_languagePage->show();
    PgCtrlSettings->addTab(languageTab, QStringLiteral("Jazyk"));
    PgCtrlCorvane->addTab(buildChangelogPage(), QString::fromUtf8("História zmien"));
    PgCtrlCorvane->addTab(buildReportPage(), QString::fromUtf8("Hlásenie chýb"));
    PgCtrlCorvane->addTab(buildLicensePage(), QStringLiteral("Licencia"));
    PgCtrlCorvane->addTab(buildAboutPage(), QStringLiteral("O programe"));

    Label1 = label(this, "Label1", "Optimalizované pre rozlíšenie: 1024*768");
    lblTamrexCorvaneVersion = label(this, "lblTamrexCorvaneVersion", "Tamrex Corvane [v 2.00]");
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PgCtrlCorvane);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label1);
    bottom->addStretch();
    bottom->addWidget(lblTamrexCorvaneVersion);
    layout->addLayout(bottom);
    // Hidden: writes the translators' template of every window.
    auto *Button1 = named(new QPushButton(this), "Button1", QString::fromUtf8("uložiť (neviditeľné)"));
    Button1->hide();
    connect(Button1, &QPushButton::clicked, this, [this] {
        RunGuarded([this] { services::WriteLanguageTemplate(services::LanguageTemplatePath(), m_mainWindow); });
    });
    resize(640, 520);
    setFixedSize(size());
    buildLinks();

    connect(bitSave, &QPushButton::clicked, this, guarded(&TfNastavenia::bitSaveClick));
    auto *keys = new platform::KeyPreview(this);
    keys->setHelpHandler([this] {
        if (const QString topic = helpTopic(); !topic.isEmpty())
            services::ShowHelpTopic(topic);
    });
}

std::function<void()> TfNastavenia::guarded(void (TfNastavenia::*handler)())
{
    return [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); };
}

// --- pages

QWidget *TfNastavenia::buildMainPage()
{
    auto *page = named(new QWidget, "tsHlavne");
    eDatabase = named(new QLineEdit(page), "eDatabase");
    bitSaveDatabase = named(new QPushButton(page), "bitSaveDatabase", QStringLiteral("..."));
    chbCheckUpdates = named(new QCheckBox(page), "chbCheckUpdates",
                            QString::fromUtf8("Denne zisťovať aktualizácie programu"));
    chbSafeMode = named(new QCheckBox(page), "chbSafeMode",
                        QString::fromUtf8("Bezpečný zápis do databázy"));
    auto *order = named(new QGroupBox(page), "gbSortOdb");
    order->setTitle(QString::fromUtf8("Zoradenie odberateľov"));
    rbSortOdbName = named(new QRadioButton(order), "rbSortOdbName", QString::fromUtf8("podľa názvu"));
    rbSortOdbAddOrder = named(new QRadioButton(order), "rbSortOdbAddOrder", QString::fromUtf8("podľa poradia pridania"));
    rbSortOdbMostUsed = named(new QRadioButton(order), "rbSortOdbMostUsed", QString::fromUtf8("podľa počtu faktúr"));
    auto *direction = named(new QGroupBox(page), "gbSortOdbSmer");
    direction->setTitle(QStringLiteral("Smer"));
    rbSortOdbInc = named(new QRadioButton(direction), "rbSortOdbInc", QStringLiteral("vzostupne"));
    rbSortOdbDesc = named(new QRadioButton(direction), "rbSortOdbDesc", QStringLiteral("zostupne"));
    auto *orderLayout = new QVBoxLayout(order);
    for (QRadioButton *button : {rbSortOdbName, rbSortOdbAddOrder, rbSortOdbMostUsed})
        orderLayout->addWidget(button);
    auto *directionLayout = new QVBoxLayout(direction);
    directionLayout->addWidget(rbSortOdbInc);
    directionLayout->addWidget(rbSortOdbDesc);

    auto *form = new QFormLayout(page);
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(eDatabase);
    folderRow->addWidget(bitSaveDatabase);
    form->addRow(label(page, "lblDatabase", "Umiestnenie databázy:"), folderRow);
    form->addRow(chbCheckUpdates);
    form->addRow(chbSafeMode);
    form->addRow(order);
    form->addRow(direction);

    connect(eDatabase, &QLineEdit::textChanged, this, [this] { m_databaseCopyDone = false; });
    connect(bitSaveDatabase, &QPushButton::clicked, this, guarded(&TfNastavenia::bitSaveDatabaseClick));
    return page;
}

QWidget *TfNastavenia::buildBackupPage()
{
    auto *page = named(new QWidget, "tsZalohy");
    eNumberBackups = named(new QLineEdit(page), "eNumberBackups");
    eBackupInterval = named(new QLineEdit(page), "eBackupInterval");
    chbBackupInInterval = named(new QCheckBox(page), "chbBackupInInterval",
                                QString::fromUtf8("Zálohovať v pravidelnom intervale"));
    chbBackupBeforeClose = named(new QCheckBox(page), "chbBackupBeforeClose",
                                 QString::fromUtf8("Zálohovať pred zatvorením programu"));
    AcceptOnlyNumbers(*eNumberBackups, true);
    AcceptOnlyNumbers(*eBackupInterval);
    eBackupDir = named(new QLineEdit(page), "eBackupDir");
    BitBtn1 = named(new QPushButton(page), "BitBtn1", QStringLiteral("..."));
    bitAddDir = named(new QPushButton(page), "bitAddDir", QString::fromUtf8("Pridať"));
    bitDeleteDir = named(new QPushButton(page), "bitDeleteDir", QString::fromUtf8("Odobrať"));
    lbBackupDirs = named(new QListWidget(page), "lbBackupDirs");

    auto *form = new QFormLayout(page);
    form->addRow(label(page, "lblNumberBackups", "Počet uchovávaných záloh:"), eNumberBackups);
    form->addRow(label(page, "lblBackupInterval", "Interval zálohovania (minúty):"), eBackupInterval);
    form->addRow(chbBackupInInterval);
    form->addRow(chbBackupBeforeClose);
    auto *dirRow = new QHBoxLayout;
    for (QWidget *widget : std::initializer_list<QWidget *>{eBackupDir, BitBtn1, bitAddDir, bitDeleteDir})
        dirRow->addWidget(widget);
    form->addRow(label(page, "lblBackupDirs", "Adresáre pre zálohy:"), dirRow);
    form->addRow(lbBackupDirs);

    connect(bitAddDir, &QPushButton::clicked, this, guarded(&TfNastavenia::bitAddDirClick));
    connect(bitDeleteDir, &QPushButton::clicked, this, guarded(&TfNastavenia::bitDeleteDirClick));
    connect(BitBtn1, &QPushButton::clicked, this, guarded(&TfNastavenia::BitBtn1Click));
    connect(lbBackupDirs, &QListWidget::itemClicked, this, guarded(&TfNastavenia::lbBackupDirsClick));
    return page;
}

QWidget *TfNastavenia::buildBillPage()
{
    auto *page = named(new QWidget, "tsFaktura");
    chbFullAutoCislovanie = named(new QCheckBox(page), "chbFullAutoCislovanie",
                                  QString::fromUtf8("Plne automatické číslovanie faktúr"));
    eOpravnenie = named(new QLineEdit(page), "eOpravnenie");
    eSplatnost = named(new QLineEdit(page), "eSplatnost");
    cbDefJazyk = named(new QComboBox(page), "cbDefJazyk");
    lblFakturujemVam = named(new QLabel(page), "lblFakturujemVam");
    AcceptOnlyNumbers(*eSplatnost, true);
    eFakturujemVam = named(new QLineEdit(page), "eFakturujemVam");
    cbRoundDph = named(new QComboBox(page), "cbRoundDph");
    cbRoundZaklad = named(new QComboBox(page), "cbRoundZaklad");
    cbRoundBralvo = named(new QComboBox(page), "cbRoundBralvo");
    auto *direction = named(new QGroupBox(page), "gbRoundAllSmer");
    direction->setTitle(QString::fromUtf8("Smer zaokrúhľovania"));
    rbRoundAllSmer0 = named(new QRadioButton(direction), "rbRoundAllSmer0", QString::fromUtf8("nahor"));
    rbRoundAllSmer1 = named(new QRadioButton(direction), "rbRoundAllSmer1", QString::fromUtf8("matematicky"));
    rbRoundAllSmer2 = named(new QRadioButton(direction), "rbRoundAllSmer2", QString::fromUtf8("nadol"));
    auto *directionLayout = new QHBoxLayout(direction);
    for (QRadioButton *button : {rbRoundAllSmer0, rbRoundAllSmer1, rbRoundAllSmer2})
        directionLayout->addWidget(button);
    chbPrijmovyAT = named(new QCheckBox(page), "chbPrijmovyAT",
                          QString::fromUtf8("Automaticky vypĺňať príjmové doklady"));

    auto *form = new QFormLayout(page);
    form->addRow(chbFullAutoCislovanie);
    form->addRow(label(page, "lblOpravnenie", "Oprávnenie na podnikanie:"), eOpravnenie);
    form->addRow(label(page, "lblSplatnost", "Splatnosť (dni):"), eSplatnost);
    form->addRow(label(page, "lblDefJazyk", "Jazyk faktúry:"), cbDefJazyk);
    form->addRow(lblFakturujemVam, eFakturujemVam);
    form->addRow(label(page, "lblRoundDph", "Zaokrúhľovanie DPH:"), cbRoundDph);
    form->addRow(label(page, "lblRoundZaklad", "Zaokrúhľovanie základu:"), cbRoundZaklad);
    form->addRow(label(page, "lblRoundBralvo", "Zaokrúhľovanie sumy na úhradu:"), cbRoundBralvo);
    form->addRow(direction);
    form->addRow(chbPrijmovyAT);

    connect(cbDefJazyk, &QComboBox::activated, this, guarded(&TfNastavenia::cbDefJazykChange));
    return page;
}

QWidget *TfNastavenia::buildCurrencyPage()
{
    auto *page = named(new QWidget, "tsMena");
    eDomacaMenaZobr = named(new QLineEdit(page), "eDomacaMenaZobr");
    eDomacaMenaIso = named(new QLineEdit(page), "eDomacaMenaIso");
    chbDomaceFADualne = named(new QCheckBox(page), "chbDomaceFADualne",
                              QString::fromUtf8("Faktúry v domácej mene zobrazovať aj v cudzej mene"));
    cbCudziaMenaZobr = named(new QComboBox(page), "cbCudziaMenaZobr");
    cbCudziaMenaZobr->setEditable(true);
    cbCudziaMenaZobr->addItems({QString::fromUtf8("Kč"), "Sk", QString::fromUtf8("€"), "$", "GBP", "Ft",
                                QString::fromUtf8("zł"), "CHF"});
    cbCudziaMenaIso = named(new QComboBox(page), "cbCudziaMenaIso");
    cbCudziaMenaIso->setEditable(true);
    cbCudziaMenaIso->addItems({"CZK", "SKK", "EUR", "USD", "GBP", "HUF", "PLN", "CHF"});
    eKurz = named(new QLineEdit(page), "eKurz");
    eKurz->setMaxLength(15);
    AcceptOnlyNumbers(*eKurz);
    Label29 = label(page, "Label29", "(ISO 4217)");
    Label36 = label(page, "Label36", "(ISO 4217)");

    auto *form = new QFormLayout(page);
    form->addRow(label(page, "lblDomacaMenaZobr", "Domáca mena (symbol):"), eDomacaMenaZobr);
    auto *homeIso = new QHBoxLayout;
    homeIso->addWidget(eDomacaMenaIso);
    homeIso->addWidget(Label29);
    form->addRow(label(page, "lblDomacaMenaIso", "Domáca mena (kód):"), homeIso);
    form->addRow(chbDomaceFADualne);
    form->addRow(label(page, "lblCudziaMenaZobr", "Cudzia mena (symbol):"), cbCudziaMenaZobr);
    auto *foreignIso = new QHBoxLayout;
    foreignIso->addWidget(cbCudziaMenaIso);
    foreignIso->addWidget(Label36);
    form->addRow(label(page, "lblCudziaMenaIso", "Cudzia mena (kód):"), foreignIso);
    form->addRow(label(page, "lblKurz", "Kurz:"), eKurz);

    for (QWidget *field : {static_cast<QWidget *>(eDomacaMenaZobr), static_cast<QWidget *>(eDomacaMenaIso),
                           static_cast<QWidget *>(eKurz)})
        field->installEventFilter(this);
    return page;
}

QWidget *TfNastavenia::buildPrintPage()
{
    auto *page = named(new QWidget, "tsTlac");
    chbDotMatrix = named(new QCheckBox(page), "chbDotMatrix",
                         QString::fromUtf8("Tlačiť faktúry v textovom režime (ihličkové tlačiarne)"));
    chbNetlacitZlavy = named(new QCheckBox(page), "chbNetlacitZlavy",
                             QString::fromUtf8("Netlačiť stĺpec \"zľava\" vo faktúrach"));
    chbNetlacitPodpisFA = named(new QCheckBox(page), "chbNetlacitPodpisFA",
                                QString::fromUtf8("Netlačiť pečiatku a podpis vo faktúrach"));
    chbNetlacitKod = named(new QCheckBox(page), "chbNetlacitKod",
                           QString::fromUtf8("Netlačiť stĺpec \"kód\" vo faktúrach"));
    auto *layout = new QVBoxLayout(page);
    for (QCheckBox *box : {chbDotMatrix, chbNetlacitZlavy, chbNetlacitPodpisFA, chbNetlacitKod})
        layout->addWidget(box);
    layout->addStretch();
    return page;
}

QWidget *TfNastavenia::buildChangelogPage()
{
    auto *page = named(new QWidget, "tsHistoriaZmien");
    mChangelog = named(new QPlainTextEdit(page), "mChangelog");
    mChangelog->setReadOnly(true);
    bitCheckUpdate1 = named(new QPushButton(page), "bitCheckUpdate1", QString::fromUtf8("Zistiť aktualizáciu"));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(mChangelog);
    layout->addWidget(bitCheckUpdate1, 0, Qt::AlignRight);
    connect(bitCheckUpdate1, &QPushButton::clicked, this, guarded(&TfNastavenia::bitCheckUpdate1Click));
    return page;
}

QWidget *TfNastavenia::buildReportPage()
{
    auto *page = named(new QWidget, "tsHlasenieChyb");
    eName = named(new QLineEdit(page), "eName");
    eEMail = named(new QLineEdit(page), "eEMail");
    mMessage = named(new QPlainTextEdit(page), "mMessage");
    bitSend = named(new QPushButton(page), "bitSend", QString::fromUtf8("Poslať"));
    lblKontakt = label(page, "lblKontakt", "Kontaktný formulár na stránke");
    auto *form = new QFormLayout(page);
    form->addRow(label(page, "lblMenoPrezyvka", "Vaše meno / prezývka:"), eName);
    form->addRow(label(page, "lblVasEMail", "Váš e-mail:"), eEMail);
    form->addRow(mMessage);
    auto *row = new QHBoxLayout;
    row->addWidget(lblKontakt);
    row->addStretch();
    row->addWidget(bitSend);
    form->addRow(row);
    connect(bitSend, &QPushButton::clicked, this, guarded(&TfNastavenia::bitSendClick));
    return page;
}

QWidget *TfNastavenia::buildLicensePage()
{
    auto *page = named(new QWidget, "tsLicencia");
    reLicense = named(new QTextEdit(page), "reLicense");
    reLicense->setReadOnly(true);
    bitHelp = named(new QPushButton(page), "bitHelp", QString::fromUtf8("Nápoveda..."));
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(reLicense);
    layout->addWidget(bitHelp, 0, Qt::AlignRight);
    connect(bitHelp, &QPushButton::clicked, this, guarded(&TfNastavenia::bitHelpClick));
    return page;
}

QWidget *TfNastavenia::buildAboutPage()
{
    auto *page = named(new QWidget, "tsOPrograme");
    lblNazProg = named(new QLabel(page), "lblNazProg");
    lblEmail = named(new QLabel(page), "lblEmail");
    lblWeb = named(new QLabel(page), "lblWeb");
    bitHomePage = named(new QPushButton(page), "bitHomePage");
    bitCheckUpdate2 = named(new QPushButton(page), "bitCheckUpdate2", QString::fromUtf8("Zistiť aktualizáciu"));
    auto *layout = new QVBoxLayout(page);
    for (QWidget *widget : std::initializer_list<QWidget *>{lblNazProg, lblEmail, lblWeb, bitHomePage, bitCheckUpdate2})
        layout->addWidget(widget);
    layout->addStretch();
    connect(bitHomePage, &QPushButton::clicked, this, guarded(&TfNastavenia::bitHomePageClick));
    connect(bitCheckUpdate2, &QPushButton::clicked, this, guarded(&TfNastavenia::bitCheckUpdate1Click));
    return page;
}

void TfNastavenia::buildLinks()
{
    // Links open their hint on a mouse press; hovering changes the style.
    for (QLabel *link : {Label29, Label36, lblEmail, lblWeb, lblKontakt}) {
        link->setCursor(Qt::PointingHandCursor);
        link->installEventFilter(this);
    }
    const QString iso = QStringLiteral("https://www.iso.org/iso-4217-currency-codes.html");
    Label29->setToolTip(iso);
    Label36->setToolTip(iso);
    QFont underlined = lblKontakt->font();
    underlined.setUnderline(true);
    for (QLabel *link : {Label29, Label36, lblKontakt})
        link->setFont(underlined);
    QFont bold = lblEmail->font();
    bold.setBold(true);
    bold.setUnderline(true);
    lblEmail->setFont(bold);
    lblWeb->setFont(bold);
}

bool TfNastavenia::eventFilter(QObject *watched, QEvent *event)
{
    auto *link = qobject_cast<QLabel *>(watched);
    if (link && event->type() == QEvent::MouseButtonPress) {
        services::OpenControlLink(*link);
        return true;
    }
    if (link && (event->type() == QEvent::Enter || event->type() == QEvent::Leave)) {
        QFont font = link->font();
        const bool enter = event->type() == QEvent::Enter;
        font.setUnderline(!enter);
        link->setFont(font);
        return false;
    }
    if (event->type() == QEvent::FocusOut) {
        if (watched == eKurz)
            rateFieldExit();
        else if (auto *edit = qobject_cast<QLineEdit *>(watched))
            edit->setText(services::StripDigits(edit->text()));
        return false;
    }
    if (watched == eKurz && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->text().size() != 1)
            return false;  // arrows, Delete, Home...
        switch (ClassifyRateKey(key->text().at(0))) {
        case RateKey::Pass:
            return false;
        case RateKey::Drop:
            QApplication::beep();
            return true;
        case RateKey::Separator: {
            const RateEdit edited = InsertRateSeparator({eKurz->text(), eKurz->cursorPosition()}, decimalSeparator());
            eKurz->setText(edited.text);
            eKurz->setCursorPosition(edited.caret);
            return true;
        }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfNastavenia::rateFieldExit()
{
    try {
        eKurz->setText(services::FormatNumberDecimals(8, services::ParseNumber(eKurz->text())));
    } catch (const Error &e) {
        services::ShowErrorBox(e.userText());
    }
}

// --- loading

void TfNastavenia::NacitajNastavenia()
{
    const platform::IniFile ini(services::SettingsFilePath());
    chbCheckUpdates->setChecked(ini.readBool(kGeneral, "CheckUpdates", true));
    chbSafeMode->setChecked(ini.readBool(kGeneral, "SafeMode", true));
    const QString folder = ini.readString(kGeneral, "Directory", QString());
    eDatabase->setText(folder.isEmpty() ? defaultDatabaseFolder() : folder);
    rbSortOdbName->setChecked(ini.readBool(kGeneral, "SortOdbName", true));
    rbSortOdbAddOrder->setChecked(ini.readBool(kGeneral, "SortOdbAddOrder", false));
    rbSortOdbMostUsed->setChecked(ini.readBool(kGeneral, "SortOdbMostUsed", false));
    const bool increasing = ini.readBool(kGeneral, "SortOdbInc", true);
    rbSortOdbInc->setChecked(increasing);
    rbSortOdbDesc->setChecked(!increasing);

    eBackupDir->clear();
    eNumberBackups->setText(ini.readString(kBackups, "NumberBackups", "10"));
    chbBackupInInterval->setChecked(ini.readBool(kBackups, "BackupInInterval", true));
    eBackupInterval->setText(ini.readString(kBackups, "BackupInterval", "60"));
    chbBackupBeforeClose->setChecked(ini.readBool(kBackups, "BackupBeforeClose", true));
    lbBackupDirs->clear();
    lbBackupDirs->addItems(StoredBackupFolders(ini));

    loadRoundingItems();
    chbFullAutoCislovanie->setChecked(ini.readBool(kFaktura, "FullAutoCislovanie", true));
    chbPrijmovyAT->setChecked(ini.readBool(kFaktura, "PrijmovyAT", true));
    eOpravnenie->setText(ini.readString(kFaktura, "Opravnenie", QString()));
    eSplatnost->setText(ini.readString(kFaktura, "Splatnost", "10"));
    cbDefJazyk->clear();
    cbDefJazyk->addItems(services::ListPrintLanguages());
    cbDefJazyk->setCurrentIndex(
        cbDefJazyk->findText(ini.readString(kFaktura, "DefJazyk", kDefaultPrintLanguage), Qt::MatchFixedString));
    selectRounding(cbRoundDph, ini.readString(kFaktura, "RoundDph", QString()), roundingStep("0", "10"));
    selectRounding(cbRoundZaklad, ini.readString(kFaktura, "RoundZaklad", QString()), roundingStep("0", "01"));
    selectRounding(cbRoundBralvo, ini.readString(kFaktura, "RoundBralvo", QString()), roundingStep("0", "50"));
    const QString direction = ini.readString(kFaktura, "RoundAllSmer", "0");
    rbRoundAllSmer2->setChecked(direction == QLatin1String("-1"));
    rbRoundAllSmer0->setChecked(direction == QLatin1String("1"));
    rbRoundAllSmer1->setChecked(direction != QLatin1String("-1") && direction != QLatin1String("1"));
    services::LoadPrintTexts(cbDefJazyk->currentText());
    updateInvoiceLabel();
    eFakturujemVam->setText(ini.readString(kFaktura, "FakturujemVam", services::ReportText(26)));

    eDomacaMenaZobr->setText(ini.readString(kMena, "DomacaMenaZobr", "Sk"));
    eDomacaMenaIso->setText(ini.readString(kMena, "DomacaMenaIso", "SKK"));
    chbDomaceFADualne->setChecked(ini.readBool(kMena, "DomaceFADualne", true));
    cbCudziaMenaZobr->setEditText(ini.readString(kMena, "CudziaMenaZobr", QString::fromUtf8("€")));
    cbCudziaMenaIso->setEditText(ini.readString(kMena, "CudziaMenaIso", "EUR"));
    eKurz->setText(ini.readString(kMena, "Kurz", services::FormatNumberDecimals(8, 30.126)));

    chbNetlacitZlavy->setChecked(ini.readBool(kFaktura, "NetlacitZlavy", false));
    chbDotMatrix->setChecked(ini.readBool(kFaktura, "DotMatrix", false));
    chbNetlacitPodpisFA->setChecked(ini.readBool(kTlac, "NetlacitPodpisFA", false));
}

void TfNastavenia::loadRoundingItems()
{
    const QStringList steps = {roundingStep("0", "01"), roundingStep("0", "10"), roundingStep("0", "50"),
                               roundingStep("1", "00")};
    for (QComboBox *box : {cbRoundDph, cbRoundZaklad, cbRoundBralvo}) {
        box->clear();
        box->addItems(steps);
    }
}

void TfNastavenia::selectRounding(QComboBox *box, const QString &stored, const QString &fallback)
{
    const QString value = parsesToZero(stored) ? fallback : stored;
    box->setCurrentIndex(box->findText(value, Qt::MatchExactly));
}

void TfNastavenia::updateInvoiceLabel()
{
    lblFakturujemVam->setText(services::MessageText(305) + QStringLiteral(" (") + services::ReportText(26) +
                              QLatin1Char(')'));
}

void TfNastavenia::cbDefJazykChange()
{
    services::LoadPrintTexts(cbDefJazyk->currentText());
    updateInvoiceLabel();
}

// --- showing

void TfNastavenia::loadTextFiles()
{
    const QString prefix = services::ProgramDir + services::ProductFilePrefix;
    const QString tagged = prefix + QLatin1Char('-') + services::CurrentLanguageTag();
    const QString missing = QLatin1Char('\r') +
                            platform::Format(services::MessageText(3), {services::ProgramTitle, MakerWebAddress()},
                                             platform::regionalSettings());
    const QString license = firstExisting({tagged + "-license.rtf", prefix + "-license.rtf"});
    if (license.isEmpty())
        reLicense->setPlainText(services::MessageText(0) + missing);
    else
        reLicense->setPlainText(readWholeFile(license));
    const QString changelog = firstExisting({tagged + "-changelog.txt", prefix + "-changelog.txt"});
    mChangelog->setPlainText(changelog.isEmpty() ? services::MessageText(1) + missing : readWholeFile(changelog));
}

void TfNastavenia::PreparePage(const QString &pageName)
{
    m_languagePage->Refresh();
    loadTextFiles();
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - Corvane"));
    bitHomePage->setText(platform::Format(services::MessageText(4), {services::ProgramTitle},
                                          platform::regionalSettings()));
    const QString contact = services::ContactEmailAddress();
    lblEmail->setText(contact);
    lblEmail->setToolTip(QStringLiteral("mailto:") + contact + QStringLiteral("?subject=Program ") +
                         services::ProgramTitle + QStringLiteral("&body="));
    lblWeb->setText(MakerWebAddress());
    lblWeb->setToolTip(MakerWebAddress());
    lblNazProg->setText(services::ProgramTitle + QStringLiteral(" [v ") +
                        services::FileVersionString(QCoreApplication::applicationFilePath(), true) +
                        QLatin1Char(']'));
    lblKontakt->setToolTip(services::ProgramWebAddress.isEmpty()
                               ? MakerWebAddress() + QStringLiteral("kontakt.php")
                               : services::ProgramWebAddress + QStringLiteral("index.php?p=contact&title=Program%20") +
                                     services::ProgramTitle);
    if (m_mainWindow) {
        const QRect frame = m_mainWindow->geometry();
        move(qMax(0, frame.left() + (frame.width() - width()) / 2),
             qMax(0, frame.top() + (frame.height() - height()) / 2));
    }
    static const QStringList pages = {"settings", "changelog", "bug report", "help", "about"};
    const QString name = pageName.toLower();
    PgCtrlCorvane->setCurrentIndex(qMax(0, int(pages.indexOf(name))));
    PgCtrlSettings->setCurrentIndex(name == QLatin1String("settingslng") ? PgCtrlSettings->count() - 1 : 0);
}

void TfNastavenia::ShowPage(const QString &pageName)
{
    PreparePage(pageName);
    exec();
}

void TfNastavenia::showEvent(QShowEvent *event)
{
    m_databaseCopyDone = false;
    QDialog::showEvent(event);
}

QString TfNastavenia::helpTopic() const
{
    static const QStringList subPages = {"nastavenia_hlavne", "nastavenia_zalohy", "nastavenia_faktura",
                                         "nastavenia_mena",   "nastavenia_tlac",   "nastavenia_jazyk"};
    switch (PgCtrlCorvane->currentIndex()) {
    case 0:
        return subPages.value(PgCtrlSettings->currentIndex());
    case 2:
        return QStringLiteral("nastavenia_hlasenie_chyb");
    case 3:
        return QStringLiteral("nastavenia_licencia");
    default:
        return QString();
    }
}

// --- backup folders

void TfNastavenia::bitAddDirClick()
{
    QStringList folders;
    for (int i = 0; i < lbBackupDirs->count(); ++i)
        folders << lbBackupDirs->item(i)->text();
    AddBackupFolder(folders, eBackupDir->text(), services::DataRoot);
    lbBackupDirs->clear();
    lbBackupDirs->addItems(folders);
    eBackupDir->clear();
    eBackupDir->setFocus();
}

void TfNastavenia::bitDeleteDirClick()
{
    const int row = lbBackupDirs->currentRow();
    if (row < 0 || !lbBackupDirs->currentItem()->isSelected())
        return;
    const QString text = services::MessageText(312) + QStringLiteral("\r\r\"") +
                         lbBackupDirs->currentItem()->text() + QLatin1Char('"');
    if (services::ShowMessageBox(text, services::kMbQuestionYesNo) != platform::kIdYes)
        return;
    delete lbBackupDirs->takeItem(row);
    if (lbBackupDirs->count() > 0)
        lbBackupDirs->setCurrentRow(qMin(row, lbBackupDirs->count() - 1));
}

void TfNastavenia::BitBtn1Click()
{
    const QString start = eBackupDir->text().isEmpty() ? services::DataRoot + QStringLiteral("Backups/")
                                                       : eBackupDir->text();
    const std::optional<QString> chosen =
        platform::messageBoxSeam().existingFolder(services::MessageText(227), start);
    if (chosen)
        eBackupDir->setText(services::EnsureFolderSlash(*chosen));
}

void TfNastavenia::lbBackupDirsClick()
{
    if (const QListWidgetItem *item = lbBackupDirs->currentItem())
        eBackupDir->setText(item->text());
}

// --- database folder

void TfNastavenia::offerDatabaseCopy(const QString &from, const QString &to)
{
    const QString source = from + QLatin1String(db::DbFileName);
    const QString target = to + QLatin1String(db::DbFileName);
    if (!QFileInfo::exists(source) || QFileInfo::exists(target))
        return;
    if (services::ShowMessageBox(services::MessageText(213), services::kMbQuestionYesNo) != platform::kIdYes)
        return;
    // A copy that did not happen must not count as done: the database would
    // then open empty in the new folder.
    if (!QDir().mkpath(to) || !QFile::copy(source, target)) {
        services::ShowErrorBox(services::MessageText(300));
        return;
    }
    m_databaseCopyDone = true;
}

void TfNastavenia::bitSaveDatabaseClick()
{
    const QString stored = services::ReadSetting(kGeneral, "Directory", QString());
    const QString current = services::EnsureFolderSlash(stored.isEmpty() ? defaultDatabaseFolder() : stored);
    const std::optional<QString> chosen =
        platform::messageBoxSeam().existingFolder(services::MessageText(226), current);
    if (!chosen)
        return;
    const QString folder = services::EnsureFolderSlash(*chosen);
    eDatabase->setText(folder);
    if (folder != current)
        offerDatabaseCopy(current, folder);
}

// --- saving

bool TfNastavenia::confirmWeakBackups()
{
    if (!chbBackupInInterval->isChecked())
        return true;
    // An interval of 0 (or one that reads as no number) is the weakest
    // setting of all: ask instead of failing on the division.
    double perHour = 0;
    try {
        const double interval = services::ParseNumber(eBackupInterval->text());
        perHour = interval > 0 ? 60.0 / interval : INFINITY;
    } catch (const Error &) {
        perHour = INFINITY;
    }
    double kept = 0;
    try {
        kept = services::ParseNumber(eNumberBackups->text());
    } catch (const Error &) {
        kept = 0;
    }
    if (kept >= perHour)
        return true;
    const QString text = services::MessageText(238) + QLatin1Char(' ') + services::MessageText(239);
    return services::ShowMessageBox(text, services::kMbQuestionYesNo) == platform::kIdYes;
}

bool TfNastavenia::writeSettings(QString &languageTag)
{
    platform::IniFile ini(services::SettingsFilePath());
    ini.writeString("Inst", "location", services::EnsureFolderSlash(services::ProgramDir));
    ini.writeBool(kGeneral, "CheckUpdates", chbCheckUpdates->isChecked());
    ini.writeBool(kGeneral, "SafeMode", chbSafeMode->isChecked());
    ini.writeString(kGeneral, "Directory", eDatabase->text());
    ini.writeBool(kGeneral, "SortOdbName", rbSortOdbName->isChecked());
    ini.writeBool(kGeneral, "SortOdbAddOrder", rbSortOdbAddOrder->isChecked());
    ini.writeBool(kGeneral, "SortOdbMostUsed", rbSortOdbMostUsed->isChecked());
    ini.writeBool(kGeneral, "SortOdbInc", rbSortOdbInc->isChecked());
    ini.writeString(kBackups, "NumberBackups", eNumberBackups->text());
    ini.writeBool(kBackups, "BackupInInterval", chbBackupInInterval->isChecked());
    ini.writeString(kBackups, "BackupInterval", eBackupInterval->text());
    ini.writeBool(kBackups, "BackupBeforeClose", chbBackupBeforeClose->isChecked());
    QStringList folders;
    for (int i = 0; i < lbBackupDirs->count(); ++i)
        folders << lbBackupDirs->item(i)->text();
    StoreBackupFolders(ini, folders);
    ini.writeBool(kFaktura, "FullAutoCislovanie", chbFullAutoCislovanie->isChecked());
    ini.writeBool(kFaktura, "PrijmovyAT", chbPrijmovyAT->isChecked());
    ini.writeString(kFaktura, "Opravnenie", eOpravnenie->text());
    ini.writeString(kFaktura, "Splatnost", eSplatnost->text());
    ini.writeString(kFaktura, "FakturujemVam", eFakturujemVam->text());
    ini.writeString(kFaktura, "DefJazyk",
                    cbDefJazyk->currentIndex() < 0 ? kDefaultPrintLanguage : cbDefJazyk->currentText());
    const auto step = [](QComboBox *box, const QString &fallback) {
        return box->currentIndex() < 0 ? fallback : box->currentText();
    };
    ini.writeString(kFaktura, "RoundDph", step(cbRoundDph, roundingStep("0", "10")));
    ini.writeString(kFaktura, "RoundZaklad", step(cbRoundZaklad, roundingStep("0", "01")));
    ini.writeString(kFaktura, "RoundBralvo", step(cbRoundBralvo, roundingStep("0", "50")));
    ini.writeString(kFaktura, "RoundAllSmer", rbRoundAllSmer0->isChecked()   ? QStringLiteral("1")
                                              : rbRoundAllSmer2->isChecked() ? QStringLiteral("-1")
                                                                             : QStringLiteral("0"));
    ini.writeString(kMena, "DomacaMenaZobr", eDomacaMenaZobr->text());
    ini.writeString(kMena, "DomacaMenaIso", eDomacaMenaIso->text());
    HomeCurrencySymbol = eDomacaMenaZobr->text();
    HomeCurrencyIso = eDomacaMenaIso->text();
    ini.writeBool(kMena, "DomaceFADualne", chbDomaceFADualne->isChecked());
    ini.writeString(kMena, "CudziaMenaZobr", cbCudziaMenaZobr->currentText());
    ini.writeString(kMena, "CudziaMenaIso", cbCudziaMenaIso->currentText());
    ini.writeString(kMena, "Kurz", eKurz->text());
    ini.writeBool(kFaktura, "NetlacitZlavy", chbNetlacitZlavy->isChecked());
    ini.writeBool(kFaktura, "DotMatrix", chbDotMatrix->isChecked());
    ini.writeBool(kTlac, "NetlacitPodpisFA", chbNetlacitPodpisFA->isChecked());
    languageTag = ini.readString("Language", "tag", QString());
    QDir().mkpath(QFileInfo(ini.path()).absolutePath());
    return ini.save();
}

void TfNastavenia::repointDatabaseList(const QString &oldFolder)
{
    QDir().mkpath(services::DatabasesFolder());
    platform::IniFile list(services::DatabaseListFile());
    const QString section = QStringLiteral("Databases");
    for (const QString &name : list.keys(section)) {
        if (!services::SameFolder(list.readString(section, name, QString()), oldFolder))
            continue;
        const QString home = services::HomeFolder(name);
        QDir().mkpath(home);
        QFile::remove(home + QStringLiteral("settings.txs"));
        QFile::copy(services::SettingsFilePath(), home + QStringLiteral("settings.txs"));
        list.writeString(section, name, eDatabase->text());
    }
    list.save();
}

void TfNastavenia::adjustAutoBackup(bool intervalBefore)
{
    const bool intervalNow = chbBackupInInterval->isChecked();
    if (!intervalBefore && intervalNow) {
        services::StartAutoBackup();
    } else if (intervalBefore && services::AutoBackup) {
        if (intervalNow) {
            int minutes = 60;
            try {
                minutes = services::ParseNumberCeil(eBackupInterval->text());
            } catch (const Error &) {
            }
            services::AutoBackup->SetIntervalSeconds(quint32(minutes) * 60u);
        } else {
            services::AutoBackup.reset();
        }
    }
}

// Letters in a number field used to be dropped or read as 0, and an
// interval of 0 started a backup every second.
bool TfNastavenia::numberFieldsValid()
{
    return NumberFieldInRange(*eNumberBackups, QString(), 0, 999)
        && NumberFieldInRange(*eBackupInterval, QString(), 1, 99999)
        && NumberFieldInRange(*eSplatnost, QString(), 0, 9999)
        && NumberFieldInRange(*eKurz, QString(), 0, 1000000);
}

QString SameSecondCurrencyWarning(const QString &iso)
{
    return services::FillPlaceholders(
        QString::fromUtf8("Druhá mena domácich faktúr (%s) je rovnaká ako domáca mena. Domáce faktúry sa preto "
                          "nebudú vystavovať v dvoch menách."),
        {iso});
}

void TfNastavenia::bitSaveClick()
{
    if (!numberFieldsValid() || !confirmWeakBackups())
        return;
    if (chbDomaceFADualne->isChecked()
        && cbCudziaMenaIso->currentText().trimmed().compare(eDomacaMenaIso->text().trimmed(), Qt::CaseInsensitive) == 0)
        services::ShowMessageBox(SameSecondCurrencyWarning(cbCudziaMenaIso->currentText().trimmed()), 48);
    const QString stored = services::ReadSetting(kGeneral, "Directory", QString());
    const QString oldFolder = services::EnsureFolderSlash(stored.isEmpty() ? defaultDatabaseFolder() : stored);
    const bool intervalBefore = services::ReadSettingBool(kBackups, "BackupInInterval", true);
    eDatabase->setText(eDatabase->text().isEmpty() ? defaultDatabaseFolder()
                                                   : services::EnsureFolderSlash(eDatabase->text()));
    QString languageTag;
    if (!writeSettings(languageTag)) {
        // Nothing else may follow settings that were not written: the
        // database list would point where the settings do not.
        services::ShowErrorBox(services::MessageText(300));
        return;
    }
    const QString newFolder = eDatabase->text();
    if (!services::SameFolder(oldFolder, newFolder) && !m_databaseCopyDone)
        offerDatabaseCopy(oldFolder, newFolder);
    if (languageTag.isEmpty() &&
        services::ShowMessageBox(services::MessageText(260), services::kMbQuestionYesNo) == platform::kIdYes)
        m_languagePage->bitLoadLngClick(false);
    repointDatabaseList(oldFolder);
    services::programHost().closeDatabase();
    services::programHost().openDatabase();
    if (oldFolder != newFolder)
        services::programHost().showLogin();
    adjustAutoBackup(intervalBefore);
    accept();
}

// --- other pages

void TfNastavenia::bitHelpClick()
{
    const QString prefix = services::ProgramDir + services::ProductFilePrefix;
    const QString help = firstExisting({prefix + QLatin1Char('-') + services::CurrentLanguageTag() + "-help.chm",
                                        prefix + "-help.chm"});
    if (!help.isEmpty()) {
        services::OpenWithDesktop(help);
        return;
    }
    services::MessageBoxWithCaption(
        services::MessageText(2) + QLatin1Char('\r') +
            platform::Format(services::MessageText(3), {services::ProgramTitle, MakerWebAddress()},
                             platform::regionalSettings()),
        services::ProgramTitle, services::kMbWarning);
}

void TfNastavenia::bitHomePageClick()
{
    services::OpenWithDesktop(services::ProgramWebAddress.isEmpty()
                                  ? MakerWebAddress() + QStringLiteral("site/") + services::ProductShortCode +
                                        QStringLiteral("/popis.php")
                                  : services::ProgramWebAddress);
}

void TfNastavenia::bitCheckUpdate1Click()
{
    services::CheckForUpdate(true, QCoreApplication::applicationFilePath(), services::ExeFileName, this,
                             services::ProgramTitle, services::ProductDownloadName);
}

void TfNastavenia::bitSendClick()
{
    if (!services::IsInternetConnected()) {
        services::ErrorBoxWithCaption(services::MessageText(11), services::ProgramTitle);
        return;
    }
    if (mMessage->toPlainText().isEmpty())
        return;
    const ProblemReport report{eName->text(), eEMail->text(), mMessage->toPlainText()};
    if (!ReportFieldsAreSingleLines(report)) {
        services::ErrorBoxWithCaption(QString::fromUtf8("Meno a e-mail musia byť zadané v jednom riadku."),
                                      services::ProgramTitle);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool sent = SendProblemReport(report, services::ProgramTitle, m_reportAccount);
    QApplication::restoreOverrideCursor();
    if (!sent) {
        services::ErrorBoxWithCaption(services::MessageText(7), services::ProgramTitle);
        return;
    }
    mMessage->clear();
    eEMail->clear();
    eName->clear();
    services::MessageBoxWithCaption(services::MessageText(8), services::ProgramTitle, services::kMbInformation);
}

} // namespace bralvo::app
