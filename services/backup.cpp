// Making backups and the interval timer.
#include "services/backup.h"

#include "platform/folders.h"
#include "platform/inifile.h"
#include "services/globals.h"
#include "services/gzipfile.h"
#include "services/messages.h"
#include "services/numbers.h"
#include "services/settings.h"
#include "services/sqldump.h"
#include "services/uitexts.h"

#include <QDir>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>

namespace bralvo::services {

std::unique_ptr<TBackupObj> AutoBackup;

namespace {

const QString kBackupPattern = QStringLiteral("*bralvo.txb");

QString dataRoot()
{
    return platform::withTrailingSlash(DataRoot.isEmpty() ? platform::dataRootFolder() : DataRoot);
}

// A whole number from a setting by the program's number reading, rounded up.
int settingCeil(const QString &section, const QString &key, const QString &defaultValue)
{
    try {
        return ParseNumberCeil(ReadSetting(section, key, defaultValue));
    } catch (const Error &) {
        return ParseNumberCeil(defaultValue);
    }
}

QString failureText(const QStringList &failedFiles)
{
    QString text = MessageText(229).replace(QStringLiteral("%s"), QStringLiteral("\r")) + QLatin1Char('\r');
    for (const QString &file : failedFiles)
        text += QStringLiteral("\r\n\"") + file + QStringLiteral("\"\r\n");
    return text;
}

} // namespace

QString LiveDatabaseFolder()
{
    const QString folder = ReadSetting(QStringLiteral("General"), QStringLiteral("Directory"), QString());
    return platform::withTrailingSlash(folder.isEmpty() ? dataRoot() + QStringLiteral("Data/") : folder);
}

QString LiveDatabaseFile()
{
    return LiveDatabaseFolder() + QStringLiteral("bralvo_data.txs");
}

QString BackupFileName(const QDateTime &time)
{
    return time.toString(QStringLiteral("yyyy-MM-dd_hh;mm,ss")) + QStringLiteral("_bralvo.txb");
}

QStringList BackupFolders()
{
    QStringList folders;
    const platform::IniFile settings(SettingsFilePath());
    const QString section = QStringLiteral("BackupDirs");
    for (const QString &key : settings.keys(section)) {
        const QString value = settings.readString(section, key, QString());
        if (value.isEmpty())
            continue;
        const QString folder = platform::withTrailingSlash(value);
        folders << (folder.startsWith(QLatin1Char('/')) ? folder : dataRoot() + folder);
    }
    if (folders.isEmpty())
        folders << dataRoot() + QStringLiteral("Backups/");
    return folders;
}

int KeptBackupCount()
{
    return std::min(settingCeil(QStringLiteral("Backups"), QStringLiteral("NumberBackups"),
                                QStringLiteral("10")), 999);
}

void PruneBackups(const QString &folder, int keep, const QString &newest)
{
    if (keep <= 0)
        return;
    QDir dir(folder);
    QStringList names = dir.entryList({kBackupPattern},
                                      QDir::Files | QDir::Hidden | QDir::System | QDir::CaseSensitive);
    names.removeAll(QFileInfo(newest).fileName());
    std::sort(names.begin(), names.end());
    const qsizetype excess = names.size() + 1 - keep;
    for (qsizetype i = 0; i < excess; ++i)
        dir.remove(names.at(i));
}

void WriteBackup(const QString &databaseFile, const QString &target)
{
    GzipFileWriter writer(target);
    DumpDatabase(databaseFile, [&writer](const QByteArray &chunk) { writer.write(chunk); });
    writer.commit();
}

void BackupDatabase(const QString &target, bool interactive)
{
    QDir().mkpath(LiveDatabaseFolder());
    const QString database = LiveDatabaseFile();
    const QString name = BackupFileName(QDateTime::currentDateTime());
    const int keep = KeptBackupCount();
    const QStringList folders = target.isEmpty() ? BackupFolders() : QStringList{QString()};
    QStringList failed;
    for (const QString &folder : folders) {
        const QString file = target.isEmpty() ? folder + name : target;
        try {
            if (target.isEmpty())
                QDir().mkpath(folder);  // a failure shows as a failed dump
            WriteBackup(database, file);
            if (target.isEmpty())
                PruneBackups(folder, keep, file);
        } catch (const BackupError &) {
            failed << file;
        }
    }
    if (!failed.isEmpty())
        ShowMessageBox(failureText(failed), interactive ? kMbWarning : kMbError);
    else if (interactive)
        ShowMessageBox(MessageText(228), kMbInformation);
}

TBackupObj::TBackupObj(int minutes, DueAction action)
    : m_timer(std::make_unique<QTimer>()),
      m_intervalSeconds(quint32(minutes) * 60u),  // negative wraps, as intended
      m_action(action ? std::move(action) : DueAction([] { BackupDatabase(QString(), false); }))
{
    m_timer->setInterval(1000);
    QObject::connect(m_timer.get(), &QTimer::timeout, [this] {
        try {
            TimerTick();
        } catch (const Error &e) {  // nothing may escape the timer's slot
            ShowErrorBox(e.userText());
        }
    });
    m_timer->start();
}

TBackupObj::~TBackupObj() = default;

void TBackupObj::TimerTick()
{
    // A message box of the running backup keeps the timer ticking; those
    // ticks must not start a second backup or count towards the next one.
    if (m_busy)
        return;
    if (m_elapsedSeconds < m_intervalSeconds) {
        ++m_elapsedSeconds;
        return;
    }
    m_elapsedSeconds = 0;
    m_busy = true;
    struct Done {
        bool &busy;
        ~Done() { busy = false; }
    } done{m_busy};
    m_action();
}

void StartAutoBackup()
{
    if (!ReadSettingBool(QStringLiteral("Backups"), QStringLiteral("BackupInInterval"), true))
        return;
    const int minutes = settingCeil(QStringLiteral("Backups"), QStringLiteral("BackupInterval"),
                                    QStringLiteral("60"));
    AutoBackup.reset();  // the old timer stops before the new one starts
    AutoBackup = std::make_unique<TBackupObj>(minutes);
}

QStringList TrimmedMemoLines(const QStringList &lines)
{
    QStringList result = lines;
    while (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

void TrimMemoTail(QPlainTextEdit &memo)
{
    const QString text = memo.toPlainText();
    const QStringList lines = text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n'));
    const QStringList kept = TrimmedMemoLines(lines);
    if (kept.size() != lines.size())
        memo.setPlainText(kept.join(QLatin1Char('\n')));
}

} // namespace bralvo::services
