// Type rules and value conversions of the script engine: type names to
// codes, which types may be used where (assignments, arguments, operators),
// host method declarations in PascalScript syntax, the literals of the
// intermediate program, and host argument lists.
#pragma once

#include "script/tscitems.h"

#include <QPoint>

namespace bralvo::script {

// The code of the item Script.Find gives for typeName; 5 (class) when none.
int TypeCodeOfName(const QString &typeName, const TscScript *script);

// Both must be registered classes; true when source is target or derives.
bool ClassInheritsFrom(const QString &targetName, const QString &sourceName, const TscScript *script);

bool TypesCompatible(int targetCode, const QString &targetName, int sourceCode, const QString &sourceName,
                     const TscScript *script);

// TypesCompatible, except that an integer never accepts a float.
bool AssignCompatible(const TscCustomVariable &variable, const TscCustomVariable &expression,
                      const TscScript *script);

// "function Copy(s: String; from, count: Integer): String" -> an item
// named Copy whose parameters are TscParamItems. Throws ScriptBuildError
// ("Invalid declaration: ...") for text that is no declaration.
std::unique_ptr<TscCustomVariable> ParseMethodSyntax(const QString &syntax, const TscScript *script);

// Fills item (name, type, parameters) from a declaration, as above.
void ParseMethodSyntaxInto(const QString &syntax, const TscScript *script, TscCustomVariable &item);

// The value of a number or string literal of the intermediate program:
// "" Null; 'text' the text; "$FF" 255; "1.5" 1.5 whatever the locale;
// 0..2147483647 Integer, larger Int64, a negative its low 32 bits.
// Throws ScriptBuildError for text that is no number.
Variant ParserStringToVariant(const QString &text);
// The same, read in place: numbers need no copy of their text.
Variant ParserStringToVariant(QStringView text);

// One argument of a host formatting routine.
struct VarRec {
    enum class Tag { Integer, Boolean, Extended, String, Variant, Int64 };
    Tag tag = Tag::Integer;
    qint64 integer = 0;
    bool boolean = false;
    double extended = 0;
    QString string;
    Variant variant;
};
using VarRecArray = QList<VarRec>;

Variant VarRecToVariant(const VarRec &arg);
// One entry per element of a one-dimensional array. Texts pass whole:
// they are never cut to 255 characters.
VarRecArray VariantToVarRecArray(const Variant &values);
void ClearVarRecArray(VarRecArray &array);

// "12:5" -> (5, 12); "" -> (0, 0).
QPoint StrToXY(const QString &text);
QPoint StrToXY(QStringView text);

} // namespace bralvo::script
