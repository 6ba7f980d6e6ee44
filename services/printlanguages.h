// The texts of printed documents: print languages (".ilng") chosen per
// bill, the "-report-" section of the user-interface language, the report
// engine's own texts, and the start-up check that a language was chosen.
//
// A print language is "Bralvo - <tag>.ilng" in the language folders
// (languagefiles.h): section "-main-" with "tag" and "name", section
// "Bralvo" with report text numbers as keys. Lists and settings name it
// "<tag> - <name>" ("SK - Slovenčina"). Report text keys are plain decimal
// numbers; a key that is not a number or lies outside 0..176 is skipped,
// and an empty value never replaces a text. Main thread only; a file that
// exists but cannot be read throws platform::FileError.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace bralvo::services {

class LanguageChooser;
class ReportEngineTexts;

// Every print language found, as "<tag> - <name>" ("error" standing in
// for a missing tag or name), sorted without regard to letter case. A file
// name present in both language folders counts once (the data root's).
QStringList ListPrintLanguages();

// Resets the bill labels (report texts 1-40, 51, 84, 171-175) to the
// built-in texts, sets 172 to "%p.č.%", then applies the print language
// of the item's tag (the part before its first " - "; the whole text has
// no tag when it holds no " - "). Without that file the built-in labels
// stay. Labels the file lacks keep the built-in text.
void LoadPrintTexts(const QString &item);

// LoadLanguage("SK", mainWindow); then the engine's texts from
// ProductFilePrefix + " - " + CurrentLanguageTag + ".flng" when that file
// exists (engineTexts may be null: nothing to load into); then the
// "-report-" section of "Bralvo - " + CurrentLanguageTag + ".lng" into
// ReportTextTable.
void LoadReportLanguage(QWidget *mainWindow, ReportEngineTexts *engineTexts);

// True when [Language] tag names a language whose .lng file exists: the
// start-up goes on. Otherwise lets the user choose in the settings
// window; when a tag is set afterwards, asks platform::restartSeam() to
// start the program again with this run's first command-line argument (a
// failed restart is not reported). Then gives false: the caller must end
// the program at once with exit code 0, chosen or not.
[[nodiscard]] bool EnsureLanguageChosen(LanguageChooser &chooser);

} // namespace bralvo::services
