// The call-backs behind the built-in functions, one per group. Each gets
// the upper-case function name and the method helper, reads its arguments
// with GetParamValue, writes by-reference ones with SetParamValue and
// returns the result (Null for a procedure). Used by TscSysFunctions only.
#pragma once

#include "platform/variant.h"

#include <QString>

namespace bralvo::script {

class TscMethodHelper;
using platform::Variant;

Variant callToText(const QString &name, TscMethodHelper &h);   // IntToStr .. DateTimeToStr
Variant callFromText(const QString &name, TscMethodHelper &h); // StrToInt .. StrToDateTime
Variant callFormat(const QString &name, TscMethodHelper &h);
Variant callDate(const QString &name, TscMethodHelper &h);
Variant callString(const QString &name, TscMethodHelper &h);
Variant callMath(const QString &name, TscMethodHelper &h);
Variant callOther(const QString &name, TscMethodHelper &h);    // Inc .. VarType, VarToStr

// Shared by the groups.
// Decimal or "$"-hexadecimal text to a 64-bit integer; blanks around it
// allowed. Throws platform::ConversionError "'<text>' is not a valid
// integer value" (also for a value beyond 64 bits).
qint64 textToInt64(const QString &text);
// The same for StrToInt: the value must fit 32 bits ("$FFFFFFFF" is -1).
int textToInt32(const QString &text);
// The text of a value as VarToStr gives it: Null and Empty "".
QString valueText(const Variant &value);
// "ERangeError: Range check error" unless 0 <= value <= limit.
void checkCount(qint64 value, qint64 limit);

} // namespace bralvo::script
