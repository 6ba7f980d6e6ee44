// Backups of the database: gzip-compressed SQL dumps (sqlite3 shell .dump
// form plus PRAGMA user_version) named "yyyy-mm-dd_hh;nn,ss_bralvo.txb",
// made on demand, by the interval timer, at close and before an upgrade.
// A dump is written under a temporary name and renamed once complete; old
// dumps of a folder are pruned only after the new one is in place, so a
// failed backup never costs a good one. GUI thread only.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QPlainTextEdit;
class QTimer;

namespace bralvo::services {

// The database folder: [General] Directory, or DataRoot + "Data/" when
// missing or empty; with a trailing "/".
QString LiveDatabaseFolder();
// LiveDatabaseFolder() + "bralvo_data.txs".
QString LiveDatabaseFile();

// "yyyy-mm-dd_hh;nn,ss_bralvo.txb" for that local time (24-hour clock):
// names sort in time order as text.
QString BackupFileName(const QDateTime &time);

// The values of [BackupDirs] in file order, each with a trailing "/";
// a value not beginning with "/" is taken relative to DataRoot (the
// program folder is read-only). Empty values are skipped. No value at all
// gives DataRoot + "Backups/".
QStringList BackupFolders();

// [Backups] NumberBackups (default "10"), rounded up to a whole number,
// at most 999; 0 or less means keep every backup. A value the number
// reader rejects ("1,2,3") gives 10; text without digits reads as 0.
int KeptBackupCount();

// Deletes the oldest files of the folder matching "*bralvo.txb" (by name,
// case-sensitive, hidden files too) until at most `keep` remain, never
// deleting newest (the backup just written). keep <= 0 deletes nothing.
void PruneBackups(const QString &folder, int keep, const QString &newest);

// Dumps databaseFile into the gzip file target (see the top). Throws
// BackupError (sqldump.h) on any failure; target is then unchanged.
void WriteBackup(const QString &databaseFile, const QString &target);

// Backs up the live database. An empty target means every folder of
// BackupFolders() (each created when missing, then pruned to
// KeptBackupCount() after its dump succeeded); a given target is written
// exactly, with no folder created and nothing pruned. Interactive calls
// end with UI text 228 (information) or, when a dump failed, the warning
// UI text 229 listing the failed files; a silent call shows nothing on
// success and the same text as an error box when a dump failed.
void BackupDatabase(const QString &target, bool interactive);

// The interval backup: a 1000 ms timer counting seconds up to
// IntervalSeconds; the tick after that runs the backup and starts the
// count again. So with minutes m a backup runs every m*60+1 seconds; 0
// runs one at every tick; a negative m wraps to a huge unsigned count and
// never comes due. Ticks that arrive while the backup runs (a message
// box of it keeps the event loop going) are ignored.
class TBackupObj {
public:
    using DueAction = std::function<void()>;

    // Starts the timer at once. action runs when a backup is due; the
    // default is BackupDatabase("", false). An Error thrown by it on a
    // timer tick is shown as an error box (never leaves the slot).
    explicit TBackupObj(int minutes, DueAction action = {});
    ~TBackupObj();
    TBackupObj(const TBackupObj &) = delete;
    TBackupObj &operator=(const TBackupObj &) = delete;

    void TimerTick();

    quint32 IntervalSeconds() const { return m_intervalSeconds; }
    // The settings window changes the interval of the running object; the
    // count so far is kept.
    void SetIntervalSeconds(quint32 seconds) { m_intervalSeconds = seconds; }
    quint32 ElapsedSeconds() const { return m_elapsedSeconds; }
    QTimer &BackupTimer() { return *m_timer; }

private:
    std::unique_ptr<QTimer> m_timer;
    quint32 m_intervalSeconds = 0;
    quint32 m_elapsedSeconds = 0;
    DueAction m_action;
    bool m_busy = false;  // the action is running
};

// The running interval backup; empty when there is none. Resetting it
// stops the timer.
extern std::unique_ptr<TBackupObj> AutoBackup;

// When [Backups] BackupInInterval (default true) is set, replaces
// AutoBackup by a new object with [Backups] BackupInterval minutes
// (default "60", rounded up; a value the number reader rejects gives 60). An
// object running before is stopped, so two timers never run at once.
// Does nothing when the setting is off.
void StartAutoBackup();

// The memo's lines without the trailing empty ones (a line of blanks is
// not empty): {"a", "", " ", "", ""} gives {"a", "", " "}.
QStringList TrimmedMemoLines(const QStringList &lines);
// Deletes the memo's trailing empty lines.
void TrimMemoTail(QPlainTextEdit &memo);

} // namespace bralvo::services
