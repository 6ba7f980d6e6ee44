// Built-in functions from JScript.
Emit(Round(2.5));
Emit(Round(-2.5));
Emit(Trunc(-2.7));
Emit(Int(2.7));
Emit(NameCase("jOHN smith"));
Emit(CompareText("abc", "ABD"));
Emit(Length(VarArrayCreate([0, 4], varVariant)));
Emit(Length(12345));
Emit(DaysInMonth(2000, 2));
Emit(DaysInMonth(1900, 2));
i = 1;
Inc(i);
Emit(i);
Inc(i, 5);
Emit(i);
Emit(ValidInt("12a"));
Emit(Format("%d items", [3]));
Emit(FormatDateTime("d. m. yyyy", EncodeDate(2024, 3, 5)));
s = "abcdef";
DeleteStr(s, -1, 2);
Emit(s);
DeleteStr(s, 2, 2);
Emit(s);
SetLength(s, 2);
Emit(s);
Emit(Pos("b", s));
Emit(Uppercase(s) + Lowercase("XY") + Trim("  z  "));
Emit(IntToStr(3000000000));
Emit(FloatToStr(1e20));
a = VarArrayCreate([0, 1], varVariant);
SetLength(a, 4);
Emit(Length(a));
try { RaiseException("x"); } except { Emit(ExceptionClassName); Emit(ExceptionMessage); }
try { Emit(StrToFloat("1.5")); } except { Emit(ExceptionMessage); }
try { CreateOleObject("No.Such.Class"); } except { Emit(ExceptionClassName + ": " + ExceptionMessage); }
