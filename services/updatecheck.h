// The update check: looks on the maker's download server for a newer
// version, shows the release notes of the versions it would skip and hands
// over to the updater tool; AfterUpdate reports at the next start whether
// the update reached the expected version. GUI thread only.
//
// Server files under the download root ($BRALVO_UPDATE_URL, default
// "https://www.tamrex.sk/download/"): <download name>/main.inst (INI,
// [general] notes-file stem = version), <download name>/<stem>.inst (notes:
// line 2 label, 3 date, 5 installer address, 6.. notes),
// tamrexupd/txindex.inst ([general] version, number) and
// tamrexupd/TamrexUPD<number>.exe.
//
// Local files live in the work folder, the data root (the program folder
// is read-only): copies of the index files (deleted when the check ends,
// except "main.inst" after a check that found nothing newer), the updater
// "Data/TamrexUPD.exe", the hand-over files "inst.inst" and
// "updating.temp", and the updater's folder "TempUpd".
//
// Versions compare as numbers read by ParseNumber, then by the build
// number: "1.01 (build 39)" is version 1.01, build 39 (no build part:
// build 0), so build 10 is newer than build 9.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace bralvo::services {

// Set while a check or AfterUpdate runs; a check started meanwhile does
// nothing.
extern bool UpdateBusy;

QString UpdateDownloadRoot();
// DataRoot.
QString UpdateWorkFolder();

struct UpdateCheckSetup {
    bool interactive = false;   // false: only the newer-version questions are shown
    QString workFolder;         // with a trailing "/"
    QString currentVersion;     // the running version text, FileVersionString(exe, true)
    QString runningExecutable;  // its file name: line 2 of "inst.inst"
    QString exeName;            // ExeFileName: line 3 of "inst.inst"
    QWidget *owner = nullptr;   // where the updater's progress panel goes; none: own window
    QString title;              // caption of every box
    QString downloadName;       // ProductDownloadName
    QString downloadRoot;       // UpdateDownloadRoot()
    // Whether a connection exists. Default: IsInternetConnected.
    std::function<bool()> isConnected;
    // Runs the updater and waits; its exit code, -1 when it could not be
    // started. Default: platform::runAndWait without arguments.
    std::function<int(const QString &tool)> runUpdater;
    // Ends the program once the updater has done its work. Default: exit.
    std::function<void(int exitCode)> endProgram;
    // Hands the installer address to the browser. Default: OpenWithDesktop.
    std::function<bool(const QString &address)> openAddress;
};

class UpdateCheck {
public:
    explicit UpdateCheck(UpdateCheckSetup setup);

    // The whole check. Every way out clears UpdateBusy and removes the
    // downloaded index files, except a successful hand-over, which ends
    // the program. An updater that cannot be started or fails (exit code
    // not 0) leaves no hand-over files and is reported with a warning.
    // Throws DownloadError when the updater's download fails, after
    // cleaning up.
    void run();

    // From the last of the sorted keys back, the number of keys whose
    // version in the work folder's "main.inst" is above currentVersion,
    // stopping at the first that is not; 0 when every one is above.
    int CountNewerVersions(const QStringList &sortedKeys, const QString &currentVersion) const;

private:
    struct MainIndex {
        QStringList keys;  // sorted without regard to case: oldest first
        QString newestKey;
        QString newestVersion;
    };

    bool CheckInternetForUpdate();
    bool readMainIndex(MainIndex &index);
    bool reportIfNothingNewer(const MainIndex &index);
    void DeleteDownloadedFiles();
    bool fetchIndex(const QString &relativeUrl, const QString &fileName);
    void report(const QString &text, int flags) const;
    void reportNumbered(const QString &code, const QString &text) const;
    void runSteps();
    bool readUpdaterIndex(QString &version, QString &number);
    bool collectNotes(const QStringList &keys, int count, QStringList &lines, QStringList &newestNotes);
    void handOver(const QString &number, const QString &newestKey, const QString &newestVersion,
                  bool updaterNeeded, const QStringList &newestNotes);
    void offerInstaller(const QStringList &newestNotes);
    QString updaterPath() const;

    UpdateCheckSetup m_setup;
    QStringList m_downloaded;
};

// The check with the program's own set-up: the work folder, the version of
// exePath, the download root from the environment.
void CheckForUpdate(bool interactive, const QString &exePath, const QString &exeName, QWidget *owner,
                    const QString &title, const QString &downloadName);

// At start-up: when the work folder holds "updating.temp", tells whether
// the running version is the one it names ("Aktualizácia prebehla
// úspešne." or the warning "Aktualizácia bola neúspešná!") and deletes
// it; removes an empty "TempUpd" folder.
void AfterUpdate(const QString &caption);
// AfterUpdate for a given folder and running version.
void AfterUpdateIn(const QString &folder, const QString &currentVersion, const QString &caption);

} // namespace bralvo::services
