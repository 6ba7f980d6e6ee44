// The built-in module every script receives first: the basic type names,
// True, False, nil and Null, the indexing helpers, ExceptionClassName and
// ExceptionMessage, 65 functions (conversion, formatting, dates, strings,
// mathematics and the rest) and the var... type constants. The same names
// serve all four languages.
//
// Errors the functions raise reach the running statement: conversion and
// format errors (platform::ConversionError, "EConvertError"), range errors
// ("ERangeError"), floating-point errors ("EInvalidOp", "EZeroDivide",
// "EOverflow"), integer overflow ("EIntOverflow"), the platform's
// automation error ("EOleSysError") and RaiseException's "Exception".
#pragma once

#include "script/tscrttimodule.h"

namespace bralvo::script {

class TscSysFunctions : public TscRTTIModule {
public:
    // Categories passed with each function (editors group by them).
    static constexpr const char *ctConv = "ctConv";
    static constexpr const char *ctFormat = "ctFormat";
    static constexpr const char *ctDate = "ctDate";
    static constexpr const char *ctString = "ctString";
    static constexpr const char *ctMath = "ctMath";
    static constexpr const char *ctOther = "ctOther";

    // Registers everything into script: types, the four constants, the two
    // helpers, the two exception variables, the functions, the var...
    // constants, in that order.
    explicit TscSysFunctions(TscScript &script);
};

} // namespace bralvo::script
