// The user-interface language files ("Bralvo - EN.lng"): choosing the
// language, applying a file to the open windows and to UiTextTable,
// translating one window, and writing the translator's template.
//
// A language file is an INI file (platform/inifile.h). Sections: "-main-"
// (tag, name, versions, authors), "-msg-" (UI text number = text with its
// percent marks), "-report-" (report text number = text, read by
// printlanguages.h) and one section per window named like the window's
// objectName, whose keys are component names (see formcomponents.h) and,
// for a status bar's panel i, "<bar name>.Panels[<i>]". Values carry
// percent marks, which are stripped when a caption is set.
//
// Language files are looked up in DataRoot + "Languages/" first, then in
// ProgramDir + "Languages/" (the program folder is read-only).
// Main thread only. Reading a file that exists but cannot be read throws
// platform::FileError; a missing file reads as empty.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace bralvo::services {

// The language folders in lookup order, each with a trailing "/"; a folder
// whose root global is not set yet is left out.
QStringList LanguageFolders();

// The path of the first existing file of that name in LanguageFolders();
// "" when there is none.
QString FindLanguageFile(const QString &fileName);

// ProductFilePrefix + " - " + tag + ".lng".
QString LanguageFileName(const QString &tag);

// Where the template of a new translation is written:
// DataRoot + "Languages/new.lng".
QString LanguageTemplatePath();

// Reads [Language] tag from the settings (defaultTag when missing); when
// it is not empty and its .lng file exists, that becomes
// CurrentLanguageTag, otherwise defaultTag does. Then applies the file of
// CurrentLanguageTag to every form and to UiTextTable (ApplyLanguageFile).
void LoadLanguage(const QString &defaultTag, QWidget *mainWindow);

// Applies one language file. For every section, in file order, whose name
// equals a form's objectName exactly (case-sensitive), every key that
// equals a component's name exactly sets its text to the stripped value; a
// status-bar key sets the panel its index names. Then every "-msg-" key
// 0..315 (written in plain decimal: "7", not "007") stores its value with
// its marks into UiTextTable; entries the file lacks keep their text.
// What names nothing is ignored, and a malformed or out-of-range status
// bar key is skipped without stopping the load. A missing file changes
// nothing.
void ApplyLanguageFile(const QString &fileName, QWidget *mainWindow);

// Translates one window with the current language: [Language] tag
// (default "SK"; "SK" when its file is missing) becomes
// CurrentLanguageTag, and every component (status bars excepted) whose
// name is a key of the window's section, both compared without regard to
// letter case, gets the stripped value. UiTextTable is not touched.
// defaultTag is accepted and not used.
void ApplyLanguageToForm(const QString &defaultTag, QWidget *form);

// Every MDI child of the main window owning a component "btnBack" gets
// the caption MessageText(264) ("Späť (ESC)").
void SetBackButtonCaptions(QWidget *mainWindow);

// SetBackButtonCaptions on the form's topmost ancestor (the main window
// for MDI children and dialogs it parents), then ApplyLanguageToForm.
void LocalizeForm(QWidget *form);

// Makes or completes a language file from the running program: every
// component of every form gets "%" + its current text + "%" under its
// form's section when its key is missing or empty (status bars one key per
// panel), and every "-msg-" entry 0..315 gets the table entry as stored.
// Texts already in the file are never overwritten; existing sections keep
// their place, new ones follow; "-main-" and "-report-" are never written.
// Creates the file's folder when missing. Throws platform::FileError when
// the file cannot be read or written (the old file then stays).
void WriteLanguageTemplate(const QString &fileName, QWidget *mainWindow);

} // namespace bralvo::services
