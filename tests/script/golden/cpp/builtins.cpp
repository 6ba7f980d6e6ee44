// Built-in functions from C++Script: names keep their exact case.
Variant v;
String s;
int i, y, m, d;
{
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
  Emit(FormatFloat("#,##0.00", 1234.5));
  Emit(Copy("abcdef", 0, 2));
  s = "abcdef";
  Delete(s, 3, 100);
  Emit(s);
  Insert("-", s, 2);
  Emit(s);
  DecodeDate(EncodeDate(1999, 12, 24), y, m, d);
  Emit(y * 10000 + m * 100 + d);
  Emit(StrToInt("$10") + StrToInt64("1"));
  Emit(Chr(72) + Chr(105));
  Emit(VarType(VarArrayCreate([0, 1], varVariant)));
  try { RaiseException("x"); } except { Emit(ExceptionClassName); Emit(ExceptionMessage); }
  try { Emit(Copy("abc", 2, 99999999999)); } except { Emit(ExceptionMessage); }
  try { Emit(Chr(1114112)); } except { Emit(ExceptionClassName); }
}
