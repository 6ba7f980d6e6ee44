#include "report/data/tfieldtype.h"

namespace bralvo::data {

const platform::EnumInfo &fieldTypeEnum()
{
    static const platform::EnumInfo info{
        QStringLiteral("TFieldType"),
        {"ftUnknown",   "ftString",     "ftSmallint", "ftInteger",   "ftWord",     "ftBoolean",    "ftFloat",
         "ftCurrency",  "ftBCD",        "ftDate",     "ftTime",      "ftDateTime", "ftBytes",      "ftVarBytes",
         "ftAutoInc",   "ftBlob",       "ftMemo",     "ftGraphic",   "ftFmtMemo",  "ftParadoxOle", "ftDBaseOle",
         "ftTypedBinary", "ftCursor",   "ftFixedChar", "ftWideString", "ftLargeint", "ftADT",      "ftArray",
         "ftReference", "ftDataSet",    "ftOraBlob",  "ftOraClob",   "ftVariant",  "ftInterface",  "ftIDispatch",
         "ftGuid",      "ftTimeStamp",  "ftFMTBcd"}};
    return info;
}

QString fieldTypeName(TFieldType type)
{
    if (type == ftWideMemo)
        return QStringLiteral("ftWideMemo");
    return fieldTypeEnum().nameOf(type);
}

bool isTextType(TFieldType type)
{
    switch (type) {
    case ftString: case ftFixedChar: case ftWideString: case ftMemo: case ftFmtMemo: case ftWideMemo:
    case ftOraClob:
        return true;
    default:
        return false;
    }
}

bool isBlobType(TFieldType type)
{
    switch (type) {
    case ftBlob: case ftMemo: case ftGraphic: case ftFmtMemo: case ftParadoxOle: case ftDBaseOle:
    case ftTypedBinary: case ftOraBlob: case ftOraClob: case ftWideMemo:
        return true;
    default:
        return false;
    }
}

bool isIntegerType(TFieldType type)
{
    switch (type) {
    case ftSmallint: case ftInteger: case ftWord: case ftAutoInc: case ftLargeint:
        return true;
    default:
        return false;
    }
}

bool isDateType(TFieldType type)
{
    return type == ftDate || type == ftTime || type == ftDateTime || type == ftTimeStamp;
}

} // namespace bralvo::data
