// The language page of the settings window.
#include "app/languagepage.h"

#include "app/reportlibrarytexts.h"

#include "platform/inifile.h"
#include "platform/widgets/keypreview.h"
#include "services/databaselist.h"
#include "services/globals.h"
#include "services/languagefiles.h"
#include "services/messages.h"
#include "services/printlanguages.h"
#include "services/settings.h"
#include "services/shellopen.h"
#include "services/uitexts.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPushButton>

namespace bralvo::app {

namespace {

const QString kMain = QStringLiteral("-main-");
const QString kError = QStringLiteral("error");

QLabel *makeLabel(const QString &name, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QString mainValue(const platform::IniFile &file, const QString &key)
{
    return file.readString(kMain, key, kError);
}

} // namespace

QStringList LanguageFilePaths()
{
    QMap<QString, QString> byName;  // sorted by file name
    for (const QString &folder : services::LanguageFolders()) {
        const QStringList names = QDir(folder).entryList({QStringLiteral("*.lng")}, QDir::Files, QDir::Name);
        for (const QString &name : names)
            if (!byName.contains(name))
                byName.insert(name, folder + name);
    }
    return byName.values();
}

LanguagePage::LanguagePage(QWidget *mainWindow)
    : QDialog(mainWindow), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("fSettings"));
    setWindowTitle(services::ProgramTitle + QStringLiteral(" - Corvane"));
    lbLanguages = new QListWidget(this);
    lbLanguages->setObjectName(QStringLiteral("lbLanguages"));
    lbLanguages->setIconSize(QSize(24, 16));
    bitLoadLng = new QPushButton(QStringLiteral("Načítať označený jazyk"), this);
    bitLoadLng->setObjectName(QStringLiteral("bitLoadLng"));
    bitLoadLng->setAutoDefault(false);
    pSelectedLanguage = makeLabel(QStringLiteral("pSelectedLanguage"), this);
    pSelectedLanguage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblName = makeLabel(QStringLiteral("lblName"), this);
    lblTag = makeLabel(QStringLiteral("lblTag"), this);
    lblForVersionOfProgram = makeLabel(QStringLiteral("lblForVersionOfProgram"), this);
    lblTranslateVersion = makeLabel(QStringLiteral("lblTranslateVersion"), this);
    lblAutors = makeLabel(QStringLiteral("lblAutors"), this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(pSelectedLanguage, 0, 0, 1, 3);
    grid->addWidget(lbLanguages, 1, 0, 6, 1);
    const QList<std::pair<const char *, QLabel *>> details = {
        {"Jazyk:", lblName}, {"Značka:", lblTag}, {"Pre verziu programu:", lblForVersionOfProgram},
        {"Verzia prekladu:", lblTranslateVersion}, {"Autori:", lblAutors}};
    int row = 1;
    for (const auto &[caption, label] : details) {
        QLabel *title = makeLabel(label->objectName() + QStringLiteral("Title"), this);
        title->setText(QString::fromUtf8(caption));
        grid->addWidget(title, row, 1, Qt::AlignTop);
        grid->addWidget(label, row++, 2, Qt::AlignTop);
    }
    grid->setColumnStretch(0, 1);
    grid->addWidget(bitLoadLng, 7, 0, 1, 3);
    resize(560, 360);

    connect(lbLanguages, &QListWidget::itemClicked, this, &LanguagePage::lbLanguagesClick);
    connect(lbLanguages, &QListWidget::itemDoubleClicked, this, [this] { bitLoadLngClick(true); });
    connect(bitLoadLng, &QPushButton::clicked, this, [this] { bitLoadLngClick(true); });
    auto *keys = new platform::KeyPreview(this);
    keys->setHelpHandler([] { services::ShowHelpTopic(QStringLiteral("nastavenia_jazyk")); });
}

LanguagePage::LanguagePage(QWidget *mainWindow, QWidget *host)
    : LanguagePage(mainWindow)
{
    setObjectName(QStringLiteral("pnlLanguagePage"));
    setWindowTitle(QString());
    setParent(host, Qt::Widget);
    // The host window's key handling covers the page.
    delete findChild<platform::KeyPreview *>(QString(), Qt::FindDirectChildrenOnly);
}

void LanguagePage::Refresh()
{
    // The program folder is read-only; translators put files here.
    QDir().mkpath(services::DataRoot + QStringLiteral("Languages"));
    const QString current = services::FindLanguageFile(services::LanguageFileName(services::CurrentLanguageTag()));
    pSelectedLanguage->setText(current.isEmpty() ? kError : mainValue(platform::IniFile(current), QStringLiteral("name")));
    FillLanguageList();
}

void LanguagePage::ShowPage()
{
    Refresh();
    if (QWidget *main = m_mainWindow) {
        const QRect frame = main->geometry();
        move(qMax(0, frame.left() + (frame.width() - width()) / 2),
             qMax(0, frame.top() + (frame.height() - height()) / 2));
    }
    exec();
}

void LanguagePage::FillLanguageList()
{
    lbLanguages->clear();
    for (const QString &path : LanguageFilePaths()) {
        const platform::IniFile file(path);
        auto *item = new QListWidgetItem(mainValue(file, QStringLiteral("tag")) + QStringLiteral(" - ") +
                                         mainValue(file, QStringLiteral("name")));
        const QString flag = path.chopped(4) + QStringLiteral(".bmp");
        if (QFileInfo::exists(flag))
            item->setIcon(QIcon(flag));
        lbLanguages->addItem(item);
    }
    const QString selected = pSelectedLanguage->text();
    for (int i = 0; i < lbLanguages->count(); ++i) {
        if (lbLanguages->item(i)->text().contains(selected)) {
            lbLanguages->setCurrentRow(i);
            lbLanguagesClick();
            break;
        }
    }
}

QString LanguagePage::selectedTag() const
{
    const QListWidgetItem *item = lbLanguages->currentItem();
    if (!item)
        return QString();
    const QString text = item->text();
    const int end = text.indexOf(QStringLiteral(" - "));
    return end < 0 ? text : text.left(end);
}

void LanguagePage::lbLanguagesClick()
{
    const QString path = services::FindLanguageFile(services::LanguageFileName(selectedTag()));
    const platform::IniFile file(path);
    lblName->setText(mainValue(file, QStringLiteral("name")));
    lblTag->setText(mainValue(file, QStringLiteral("tag")));
    lblTranslateVersion->setText(mainValue(file, QStringLiteral("TranslationVersion")));
    lblForVersionOfProgram->setText(mainValue(file, QStringLiteral("ProgramVersion")));
    QStringList authors;
    for (const QString &key : file.keys(kMain)) {
        const QString value = file.readString(kMain, key, QString());
        if (key.startsWith(QLatin1String("autor")) && !value.isEmpty())
            authors << value;
    }
    lblAutors->setText(authors.join(QLatin1Char('\n')));
}

void LanguagePage::bitLoadLngClick(bool byClick)
{
    if (!lbLanguages->currentItem()) {
        services::ShowMessageBox(services::MessageText(6), services::kMbInformation);
        return;
    }
    const QString tag = selectedTag();
    const platform::IniFile file(services::FindLanguageFile(services::LanguageFileName(tag)));
    const QString name = mainValue(file, QStringLiteral("name"));
    services::WriteSetting(QStringLiteral("Language"), QStringLiteral("tag"), tag);
    services::WriteSetting(QStringLiteral("Language"), QStringLiteral("name"), name);
    pSelectedLanguage->setText(name);
    services::LoadReportLanguage(m_mainWindow, &reportLibraryTexts());
    if (byClick)
        services::ShowMessageBox(services::MessageText(5), services::kMbInformation);
    services::SaveSettingsToDatabaseFolder();
}

} // namespace bralvo::app
