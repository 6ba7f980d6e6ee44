// The program's identity and folders: globals set once at start-up by
// InitializeProgramGlobals() (the main window does it) and read everywhere.
// Folders carry a trailing "/".
#pragma once

#include <QString>

namespace bralvo::services {

extern QString ProgramTitle;        // "Bralvo": captions of windows and message boxes
extern QString VersionText;         // "v " + FileVersionString(executable, with build)
extern QString ExeFileName;         // "bralvo"
extern QString DataRoot;            // $XDG_DATA_HOME (or ~/.local/share) + "/Tamrex/Bralvo/"
extern QString ProgramDir;          // folder of the running executable

// Product identity, set by SetProductIdentity() from ProgramTitle.
extern QString ProductShortCode;    // "bral"
extern QString ProductFilePrefix;   // "Bralvo": language files, data folder
extern QString ProductDownloadName; // "bralvo": folder on the download server
extern QString ProgramWebAddress;   // the program's web page

// Sets ProgramTitle "Bralvo", the product identity, VersionText,
// ExeFileName, DataRoot and ProgramDir. Creates no folder. Safe to call
// again (tests do, after pointing XDG_DATA_HOME elsewhere).
void InitializeProgramGlobals();

// Clears ProgramWebAddress, then sets the identity globals from the row of
// ProgramTitle; a title without a row leaves the other three unchanged.
void SetProductIdentity();

// The stand-in for the shell's folder query, with a trailing "/": id 35
// (all users' application data), 26 (roaming) and 28 (local) give the XDG
// data folder; an unknown id gives "".
QString SpecialFolderPath(int folderId);

// The compiled-in version as "1.01 (build 39)" (withBuild) or "1.01" when
// file is the running executable; "" for any other file (Linux files carry
// no version resource).
QString FileVersionString(const QString &file, bool withBuild);

} // namespace bralvo::services
