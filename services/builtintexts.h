// The texts the program ships with: the defaults of UiTextTable and
// ReportTextTable before any language file is applied. The tables are
// generated (builtintexts_data.cpp); see tools/textgen/.
#pragma once

#include <QString>

namespace bralvo::services {

// The built-in text of a UI text number as stored, marks included; the
// empty text for a number without one (22..99 among others) or outside
// 0..315.
QString BuiltInUiText(int number);

// The same for report text numbers 0..176.
QString BuiltInReportText(int number);

// Sets UI entries 0..21 to their built-in texts (17..20 empty).
void InitDefaultMessages();

// Start-up fill, run once while the main window is created: sizes
// UiTextTable to 316 empty entries, runs InitDefaultMessages, sets
// entries 100..315, then sizes ReportTextTable to 177 entries and sets
// them. Overwrites whatever a language file put there before.
void LoadDefaultTexts();

} // namespace bralvo::services
