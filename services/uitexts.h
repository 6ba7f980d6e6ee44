// The two numbered text tables every window and printout reads:
// UiTextTable (message texts 0..315) and ReportTextTable (printed labels
// 0..176). Entries are stored with their percent marks ("%Menu%"); the
// lookups strip them. Language files and print languages overwrite
// entries (languagefiles.h, printlanguages.h); builtintexts.h fills the
// defaults. Main thread only.
#pragma once

#include <QString>
#include <QStringList>

namespace bralvo::services {

inline constexpr int UiTextCount = 316;      // numbers 0..315
inline constexpr int ReportTextCount = 177;  // numbers 0..176

// Removes one leading "%" and then one trailing "%" from a non-empty
// text: "%%" and "%" give "", "%%a%%" gives "%a%", "-" stays "-".
QString StripPercent(const QString &text);

// The message table, 316 entries with their marks. Until
// LoadDefaultTexts() runs it already holds the built-in texts, so a
// lookup never meets an unsized table. Callers may assign entries but
// must never change the size.
QStringList &UiTextTable();

// StripPercent of entry `number` for 0..315; when that is empty, the
// program's own text for the few slots the built-in list leaves free
// (286: a moved database could not be copied; 296: the open database
// cannot be removed; 297: replace the database found where one is
// moved; 313: a field needs a number; 314: a field needs a number within
// bounds), else "". Any other number gives
// entry 21 formatted with the maker's contact address and the number
// ("... e-mail "<address>" ... error "msg[316]""). Never throws.
QString MessageText(int number);

// Puts the arguments into the "%s" marks of text, left to right; an
// argument is never searched for further marks. Marks without an argument
// stay, arguments without a mark are dropped. Never throws.
QString FillPlaceholders(QString text, const QStringList &arguments);

// The report label table, 177 entries with their marks; same rules as
// UiTextTable().
QStringList &ReportTextTable();

// StripPercent of entry `number` for 0..176, otherwise of entry 0
// ("{error language file}" by default). Never throws.
QString ReportText(int number);

// The tag of the language last applied; "SK" until a language file
// says otherwise.
QString &CurrentLanguageTag();

// The maker's address named in the fallback text of MessageText.
QString ContactEmailAddress();

} // namespace bralvo::services
