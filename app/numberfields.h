// Number fields of the windows: a validator so only a number can be
// typed, and the check at saving that names the field when what it holds
// (pasted or loaded text) is no number in range.
#pragma once

#include <QString>

class QLineEdit;

namespace bralvo::app {

// Digits, one "-" in front, blanks between thousands and one decimal
// separator ("," or "."); with wholeOnly no separator and no "-".
void AcceptOnlyNumbers(QLineEdit &field, bool wholeOnly = false);

// True when the field holds a number from min to max (an empty field
// passes when allowEmpty). Otherwise the warning of UI text 314 names the
// field by `label` (when empty: the text of the label of its form row, or
// whose buddy it is, without the colon), the field's tab page is shown, the field takes the
// focus, and false is returned.
bool NumberFieldInRange(QLineEdit &field, const QString &label, double min, double max, bool allowEmpty = false);

} // namespace bralvo::app
