// The update check and the report after an update.
#include "services/updatecheck.h"

#include "platform/conversionerror.h"
#include "platform/inifile.h"
#include "platform/process.h"
#include "platform/textfile.h"
#include "services/download.h"
#include "services/globals.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/processes.h"
#include "services/progresswindow.h"
#include "services/shellopen.h"
#include "services/uitexts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

#include <algorithm>
#include <compare>
#include <cstdlib>
#include <optional>

namespace bralvo::services {

bool UpdateBusy = false;

namespace {

const QChar kQuote(u'"');

// "1.01 (build 39)": the version and then the build compare as numbers,
// so build 10 is above build 9 and build 39 above build 4.
struct VersionValue {
    double version = 0;
    qint64 build = 0;
    auto operator<=>(const VersionValue &) const = default;
};

std::optional<VersionValue> versionNumber(const QString &text)
{
    static const QRegularExpression buildPart(QStringLiteral("\\(\\s*build\\s+(\\d{1,18})\\s*\\)"),
                                              QRegularExpression::CaseInsensitiveOption);
    VersionValue value;
    QString rest = text;
    if (const QRegularExpressionMatch match = buildPart.match(text); match.hasMatch()) {
        value.build = match.captured(1).toLongLong();
        rest.remove(match.capturedStart(), match.capturedLength());
    }
    try {
        value.version = ParseNumber(rest);
    } catch (const platform::ConversionError &) {
        return std::nullopt;
    }
    return value;
}

// A name from an index file becomes part of a file name: it must stay a
// plain name inside the work folder.
bool isPlainName(const QString &name)
{
    if (name.isEmpty() || name == u"." || name == u"..")
        return false;
    return std::none_of(name.begin(), name.end(),
                        [](QChar c) { return c == u'/' || c == u'\\' || c.unicode() < 32; });
}

QStringList fileLines(const QString &path)
{
    QString text = platform::readTextFile(path).value_or(QString());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.isEmpty() ? QStringList() : text.split(u'\n');
}

QStringList sortedKeys(const platform::IniFile &ini)
{
    QStringList keys = ini.keys(QStringLiteral("general"));
    std::stable_sort(keys.begin(), keys.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return keys;
}

// Every key a plain name with a version that reads as a number.
bool mainIndexIsSound(const platform::IniFile &ini, const QStringList &keys)
{
    if (keys.isEmpty())
        return false;
    for (const QString &key : keys) {
        const QString value = ini.readString(QStringLiteral("general"), key, QString());
        if (!isPlainName(key) || value.isEmpty() || !versionNumber(value))
            return false;
    }
    return true;
}

QString noNewsText(const QString &title)
{
    return QStringLiteral("Žiadne nové verzie programu ") + kQuote + title + kQuote
           + QStringLiteral(" nie sú k dispozícii. Vaša verzia je aktuálna.");
}

QString newerThanPublishedText(const QString &title, const QString &newest, const QString &current)
{
    return QStringLiteral("Máte novšiu verziu programu ") + kQuote + title + kQuote
           + QStringLiteral(" ako je oficiálne uvedené na stránke.") + u'\r'
           + QStringLiteral("Aktuálna verzia uvedená na stránke je ") + kQuote + QStringLiteral("[v ")
           + newest + u']' + kQuote + QStringLiteral(" a vaša verzia je ") + kQuote + QStringLiteral("[v ")
           + current + u']' + kQuote + QStringLiteral(" . Prosím informujte sa u nás cez e-mail (")
           + kQuote + ContactEmailAddress() + kQuote
           + QStringLiteral("), či nebola novšia verzia kôli chybám dočasne stiahnutá z ponuky.") + u'\r'
           + QStringLiteral("Odporúča sa stiahnuť verziu uvedenú na stránke ( ") + ProgramWebAddress
           + QStringLiteral(" ).");
}

QString noVersionToFetchText(const QString &current)
{
    return QStringLiteral("Nepodarilo sa vyhľadať informácie o verzii programu, ktorú je potrebné "
                          "stiahnuť. Update nemôže pokračovať. Vašu verziu nám oznámte cez e-mail (")
           + kQuote + ContactEmailAddress() + kQuote + QStringLiteral("). Vaša verzia je ") + kQuote
           + QStringLiteral("[v ") + current + u']' + kQuote + u'.';
}

QString updaterFailedText(const QString &tool, const QString &installer)
{
    QString text = QStringLiteral("Aktualizačný program ") + kQuote + tool + kQuote
                   + QStringLiteral(" sa nepodarilo spustiť alebo skončil s chybou. Program nebol "
                                    "aktualizovaný.");
    if (!installer.isEmpty())
        text += u'\r' + QStringLiteral("Novú verziu môžete nainštalovať manuálne: ") + installer;
    return text;
}

bool isWebAddress(const QString &address)
{
    const QString scheme = QUrl(address.trimmed()).scheme().toLower();
    return scheme == u"http" || scheme == u"https";
}

} // namespace

QString UpdateDownloadRoot()
{
    return BaseAddressFromEnvironment("BRALVO_UPDATE_URL", QStringLiteral("https://www.tamrex.sk/download/"));
}

QString UpdateWorkFolder()
{
    return DataRoot;
}

UpdateCheck::UpdateCheck(UpdateCheckSetup setup) : m_setup(std::move(setup))
{
    if (!m_setup.isConnected)
        m_setup.isConnected = &IsInternetConnected;
    if (!m_setup.runUpdater)
        m_setup.runUpdater = [](const QString &tool) { return platform::runAndWait(tool, {}); };
    if (!m_setup.endProgram)
        m_setup.endProgram = [](int code) { std::exit(code); };
    if (!m_setup.openAddress)
        m_setup.openAddress = &OpenWithDesktop;
}

void UpdateCheck::run()
{
    if (UpdateBusy)
        return;
    UpdateBusy = true;
    m_downloaded.clear();
    try {
        runSteps();
    } catch (...) {
        // A failed updater download must not lock every later check.
        DeleteDownloadedFiles();
        throw;
    }
}

void UpdateCheck::report(const QString &text, int flags) const
{
    if (m_setup.interactive)
        MessageBoxWithCaption(text, m_setup.title, flags);
}

void UpdateCheck::reportNumbered(const QString &code, const QString &text) const
{
    if (m_setup.interactive)
        ShowUnexpectedError(code, text, m_setup.title);
}

void UpdateCheck::DeleteDownloadedFiles()
{
    for (const QString &file : std::as_const(m_downloaded))
        QFile::remove(file);
    m_downloaded.clear();
    UpdateBusy = false;
}

bool UpdateCheck::CheckInternetForUpdate()
{
    if (m_setup.isConnected())
        return true;
    report(QStringLiteral("Pre zistenie novej verzie programu \"%1\" musíte byť pripojený na internet!")
                   .arg(m_setup.title)
               + u'\r' + QStringLiteral("Pripojte sa na internet a pokus opakujte."),
           kMbWarning);
    DeleteDownloadedFiles();
    return false;
}

bool UpdateCheck::fetchIndex(const QString &relativeUrl, const QString &fileName)
{
    const QString target = m_setup.workFolder + fileName;
    // A copy left by an earlier check must not pass for this download.
    QFile::remove(target);
    FetchUrlQuietly(JoinUrl(m_setup.downloadRoot, relativeUrl), target);
    if (!QFile::exists(target))
        return false;
    m_downloaded.append(target);
    return true;
}

QString UpdateCheck::updaterPath() const
{
    return m_setup.workFolder + QStringLiteral("Data/TamrexUPD.exe");
}

int UpdateCheck::CountNewerVersions(const QStringList &sortedKeys, const QString &currentVersion) const
{
    const platform::IniFile ini(m_setup.workFolder + QStringLiteral("main.inst"));
    const std::optional<VersionValue> current = versionNumber(currentVersion);
    for (qsizetype i = sortedKeys.size() - 1; i >= 0; --i) {
        const std::optional<VersionValue> version =
            versionNumber(ini.readString(QStringLiteral("general"), sortedKeys[i], QString()));
        if (!version || !current || !(*version > *current))
            return static_cast<int>(sortedKeys.size() - 1 - i);
    }
    return 0;
}

void UpdateCheck::runSteps()
{
    MainIndex index;
    if (!readMainIndex(index) || reportIfNothingNewer(index))
        return;
    QDir().mkpath(m_setup.workFolder + QStringLiteral("Data"));
    QString updaterVersion;
    QString number;
    if (!readUpdaterIndex(updaterVersion, number))
        return;
    // A Linux file carries no version; then only a missing updater is new.
    const QString installedVersion = FileVersionString(updaterPath(), true);
    const bool updaterNeeded = !QFile::exists(updaterPath())
                               || (!installedVersion.isEmpty() && versionNumber(installedVersion)
                                                                      != versionNumber(updaterVersion));
    const int newer = CountNewerVersions(index.keys, m_setup.currentVersion);
    if (newer == 0) {
        reportNumbered(QStringLiteral("#00003"), noVersionToFetchText(m_setup.currentVersion));
        return DeleteDownloadedFiles();
    }
    QStringList lines{QStringLiteral("Vyšla nová verzia programu \"%1\". Nová verzia je \"[v %2]\" a vaša verzia je "
                                     "\"[v %3]\". Prajete si automaticky stiahnuť a nainštalovať novú verziu "
                                     "programu?")
                          .arg(m_setup.title, index.newestVersion, m_setup.currentVersion)};
    QStringList newestNotes;
    if (!collectNotes(index.keys, std::min(newer, 4), lines, newestNotes))
        return;
    if (updaterNeeded)
        lines << QString() << QString()
              << QStringLiteral("+ Vyšla nová verzia aktualizačného programu \"TamrexUPD\".");
    if (MessageBoxWithCaption(lines.join(QStringLiteral("\r\n")), m_setup.title, kMbInformationYesNo) == kIdYes)
        handOver(number, index.newestKey, index.newestVersion, updaterNeeded, newestNotes);
    else
        offerInstaller(newestNotes);
}

// Fetches and checks "main.inst"; false (reported, cleaned up) when it
// is missing or unsound.
bool UpdateCheck::readMainIndex(MainIndex &index)
{
    const QString path = m_setup.workFolder + QStringLiteral("main.inst");
    QFile::remove(path);
    if (!CheckInternetForUpdate())
        return false;
    if (!fetchIndex(m_setup.downloadName + QStringLiteral("/main.inst"), QStringLiteral("main.inst"))) {
        report(QStringLiteral("Nepodarilo sa stiahnuť informácie z internetu (\"main.inst\"). Operáciu "
                              "prosím opakujte neskôr."),
               kMbInformation);
        DeleteDownloadedFiles();
        return false;
    }
    const platform::IniFile ini(path);
    if (!ini.sectionExists(QStringLiteral("general"))) {
        reportNumbered(QStringLiteral("#00001"),
                       QStringLiteral("Chyba po načítaní súboru \"main.inst\". Prosím operáciu opakujte neskôr."));
        DeleteDownloadedFiles();
        return false;
    }
    index.keys = sortedKeys(ini);
    if (!mainIndexIsSound(ini, index.keys)) {
        reportNumbered(QStringLiteral("#00004"), QStringLiteral("Niektoré informácie v súbore \"main.inst\" sú "
                                                                "chybné. Prosím operáciu opakujte neskôr."));
        DeleteDownloadedFiles();
        return false;
    }
    index.newestKey = index.keys.last();
    index.newestVersion = ini.readString(QStringLiteral("general"), index.newestKey, QString());
    return true;
}

// True when the running version is not older than the newest one: then
// said (interactive) and done. "main.inst" stays until the next check.
bool UpdateCheck::reportIfNothingNewer(const MainIndex &index)
{
    const VersionValue newest = versionNumber(index.newestVersion).value_or(VersionValue{});
    const VersionValue current = versionNumber(m_setup.currentVersion).value_or(VersionValue{});
    if (current < newest)
        return false;
    if (current == newest)
        report(noNewsText(m_setup.title), kMbInformation);
    else
        report(newerThanPublishedText(m_setup.title, index.newestVersion, m_setup.currentVersion), kMbInformation);
    QFile::remove(m_setup.workFolder + QStringLiteral("index.inst"));
    UpdateBusy = false;
    return true;
}

bool UpdateCheck::readUpdaterIndex(QString &version, QString &number)
{
    if (!fetchIndex(QStringLiteral("tamrexupd/txindex.inst"), QStringLiteral("txindex.inst"))) {
        report(QStringLiteral("Nepodarilo sa stiahnuť informácie z internetu (\"txindex.inst\"). Operáciu "
                              "prosím opakujte neskôr."),
               kMbInformation);
        DeleteDownloadedFiles();
        return false;
    }
    const platform::IniFile index(m_setup.workFolder + QStringLiteral("txindex.inst"));
    if (!index.sectionExists(QStringLiteral("general"))) {
        reportNumbered(QStringLiteral("#00002"), QStringLiteral("Chyba po načítaní súboru \"txindex.inst\". "
                                                                "Prosím operáciu opakujte neskôr."));
        DeleteDownloadedFiles();
        return false;
    }
    version = index.readString(QStringLiteral("general"), QStringLiteral("version"), QString());
    number = index.readString(QStringLiteral("general"), QStringLiteral("number"), QString());
    // The number becomes part of a file name on the server.
    if (version.isEmpty() || number.isEmpty() || !isPlainName(number) || !versionNumber(version)) {
        reportNumbered(QStringLiteral("#00005"), QStringLiteral("Niektoré informácie v súbore \"txindex.inst\" sú "
                                                                "chybné. Prosím operáciu opakujte neskôr."));
        DeleteDownloadedFiles();
        return false;
    }
    return true;
}

// The notes of the newest `count` versions, newest first.
bool UpdateCheck::collectNotes(const QStringList &keys, int count, QStringList &lines, QStringList &newestNotes)
{
    for (int i = 0; i < count; ++i) {
        const QString key = keys[keys.size() - 1 - i];
        const QString fileName = key + QStringLiteral(".inst");
        lines << QString() << QString();
        if (!CheckInternetForUpdate())
            return false;
        if (!fetchIndex(m_setup.downloadName + u'/' + fileName, fileName)) {
            if (m_setup.interactive)
                ErrorBoxWithCaption(QStringLiteral("Nepodarilo sa stiahnuť súbor s informáciami pre niektorú "
                                                   "verziu (")
                                        + fileName + QStringLiteral(")."),
                                    m_setup.title);
            DeleteDownloadedFiles();
            return false;
        }
        const QStringList notes = fileLines(m_setup.workFolder + fileName);
        if (i == 0)
            newestNotes = notes;
        lines << u'[' + notes.value(1) + u']' << QStringLiteral("(dátum vydania: ") + notes.value(2) + u')'
              << QStringLiteral("-----");
        for (qsizetype n = 5; n < notes.size(); ++n) {
            if (!notes[n].isEmpty())
                lines << notes[n];
        }
    }
    return true;
}

void UpdateCheck::handOver(const QString &number, const QString &newestKey, const QString &newestVersion,
                           bool updaterNeeded, const QStringList &newestNotes)
{
    const QString folder = m_setup.workFolder;
    if (updaterNeeded) {
        const QString url = JoinUrl(m_setup.downloadRoot,
                                    QStringLiteral("tamrexupd/TamrexUPD") + number + QStringLiteral(".exe"));
        const QString dataFolder = folder + QStringLiteral("Data/");
        if (m_setup.owner)
            DownloadFile(url, dataFolder, QStringLiteral("TamrexUPD.exe"), m_setup.owner);
        else
            DownloadWithWindow(url, dataFolder, QStringLiteral("TamrexUPD.exe"));
    }
    DeleteDownloadedFiles();
    const QString handOverFile = folder + QStringLiteral("inst.inst");
    const QString expectedFile = folder + QStringLiteral("updating.temp");
    const QStringList handOverLines{m_setup.downloadName.toLower(), m_setup.runningExecutable, m_setup.exeName,
                                    m_setup.downloadName + newestKey + QStringLiteral(".inst")};
    const bool written = platform::writeTextFileAtomic(handOverFile, handOverLines.join(u'\n') + u'\n')
                         && platform::writeTextFileAtomic(expectedFile, newestVersion + u'\n');
    // The process ends only when the updater really did its work; else
    // the program keeps running and says so.
    if (written && m_setup.runUpdater(updaterPath()) == 0)
        return m_setup.endProgram(0);
    QFile::remove(handOverFile);
    QFile::remove(expectedFile);
    MessageBoxWithCaption(updaterFailedText(updaterPath(), newestNotes.value(4)), m_setup.title, kMbWarning);
}

void UpdateCheck::offerInstaller(const QStringList &newestNotes)
{
    if (MessageBoxWithCaption(QStringLiteral("Prajete si stiahnuť inštalačný súbor, z ktorého program "
                                             "nainštalujete manuálne neskôr?"),
                              m_setup.title, kMbQuestionYesNo)
        == kIdYes) {
        // The address comes from the server: only a web link goes on.
        const QString installer = newestNotes.value(4).trimmed();
        if (isWebAddress(installer))
            m_setup.openAddress(installer);
    }
    DeleteDownloadedFiles();
    QFile::remove(m_setup.workFolder + QStringLiteral("index.inst"));
    UpdateBusy = false;
}

void CheckForUpdate(bool interactive, const QString &exePath, const QString &exeName, QWidget *owner,
                    const QString &title, const QString &downloadName)
{
    UpdateCheckSetup setup;
    setup.interactive = interactive;
    setup.workFolder = UpdateWorkFolder();
    setup.currentVersion = FileVersionString(exePath, true);
    setup.runningExecutable = QFileInfo(exePath).fileName();
    setup.exeName = exeName;
    setup.owner = owner;
    setup.title = title;
    setup.downloadName = downloadName;
    setup.downloadRoot = UpdateDownloadRoot();
    UpdateCheck(std::move(setup)).run();
}

void AfterUpdateIn(const QString &folder, const QString &currentVersion, const QString &caption)
{
    UpdateBusy = true;
    const QString expectedFile = folder + QStringLiteral("updating.temp");
    if (QFile::exists(expectedFile)) {
        const QString expected = fileLines(expectedFile).value(0);
        const std::optional<VersionValue> want = versionNumber(expected);
        if (expected.isEmpty() || !want || want != versionNumber(currentVersion))
            MessageBoxWithCaption(QStringLiteral("Aktualizácia bola neúspešná!") + u'\r'
                                      + QStringLiteral("V prípade problémov nás prosím kontaktujte cez e-mail (")
                                      + kQuote + ContactEmailAddress() + kQuote + QStringLiteral(")."),
                                  caption, kMbWarning);
        else
            MessageBoxWithCaption(QStringLiteral("Aktualizácia prebehla úspešne."), caption, kMbInformation);
        QFile::remove(expectedFile);
    }
    QDir(folder).rmdir(QStringLiteral("TempUpd"));  // only an empty folder goes
    UpdateBusy = false;
}

void AfterUpdate(const QString &caption)
{
    const QString executable =
        QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString();
    AfterUpdateIn(UpdateWorkFolder(), FileVersionString(executable, true), caption);
}

} // namespace bralvo::services
