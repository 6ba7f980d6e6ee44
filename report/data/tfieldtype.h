// Field types of the data-access layer. The ordinals 0..37 are the ones
// report scripts know (ftUnknown .. ftFMTBcd); ftWideMemo comes after them
// and is what long text columns (TEXT without a size) become.
#pragma once

#include "platform/propertytable.h"

namespace bralvo::data {

enum TFieldType : int {
    ftUnknown, ftString, ftSmallint, ftInteger, ftWord, ftBoolean, ftFloat, ftCurrency, ftBCD, ftDate,
    ftTime, ftDateTime, ftBytes, ftVarBytes, ftAutoInc, ftBlob, ftMemo, ftGraphic, ftFmtMemo, ftParadoxOle,
    ftDBaseOle, ftTypedBinary, ftCursor, ftFixedChar, ftWideString, ftLargeint, ftADT, ftArray, ftReference,
    ftDataSet, ftOraBlob, ftOraClob, ftVariant, ftInterface, ftIDispatch, ftGuid, ftTimeStamp, ftFMTBcd,
    ftWideMemo
};

// The 38 names scripts know, ftUnknown = 0 .. ftFMTBcd = 37.
const platform::EnumInfo &fieldTypeEnum();
// Name of any type, ftWideMemo included.
QString fieldTypeName(TFieldType type);

bool isTextType(TFieldType type);    // string, fixed char, wide string, memos
bool isBlobType(TFieldType type);    // blobs and memos
bool isIntegerType(TFieldType type); // smallint, integer, word, autoinc, largeint
bool isDateType(TFieldType type);    // date, time, date-time, time stamp

} // namespace bralvo::data
