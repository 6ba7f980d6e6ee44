// Checking what the user typed into a number field before it is stored:
// plain numbers only, so a letter is never silently dropped or read as 0.
// The refusal texts are UI texts 313 and 314 with the field's label.
#pragma once

#include <QString>

namespace bralvo::services {

// A typed amount: optional blanks, an optional "-", digits with blanks
// between thousands, at most one decimal separator ("," or ".") followed
// by digits. "1 200,50", "-3.5" and "7" pass; "abc", "1e3", "12 ks" and
// "1,2,3" do not. An empty text is not a number.
bool IsTypedNumber(const QString &text);

// A typed number (IsTypedNumber) whose value lies within [min, max].
bool IsTypedNumberWithin(const QString &text, double min, double max);

// UI text 313 for the field labelled `label`.
QString NumberRefusalText(const QString &label);
// UI text 314 for the field labelled `label` and its bounds.
QString RangeRefusalText(const QString &label, int min, int max);

} // namespace bralvo::services
