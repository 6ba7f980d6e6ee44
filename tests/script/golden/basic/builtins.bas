' Built-in functions from BasicScript.
Emit(Round(2.5))
Emit(Round(-2.5))
Emit(Trunc(-2.7))
Emit(Int(2.7))
Emit(NameCase("jOHN smith"))
Emit(CompareText("abc", "ABD"))
Emit(Length(VarArrayCreate([0, 4], varVariant)))
Emit(Length(12345))
Emit(DaysInMonth(2000, 2))
Emit(DaysInMonth(1900, 2))
Dim i = 1
Inc(i)
Emit(i)
Inc(i, 5)
Emit(i)
Dec(i, 10)
Emit(i)
Emit(ValidInt("12a"))
Emit(ValidDate("29.2.2023"))
Emit(Format("%d items", [3]))
Emit(Format("%s and %s", ["a", "b"]))
Dim s As String = "abc"
Insert("X", s, 0)
Emit(s)
Emit(Ord("a"))
Emit(Chr(98))
Emit(DayOfWeek(EncodeDate(2026, 12, 13)))
Dim h, n, sec, ms
DecodeTime(0.75, h, n, sec, ms)
Emit(h)
Try
  RaiseException("x")
Catch
  Emit(ExceptionClassName)
  Emit(ExceptionMessage)
End Try
Try
  Emit(Sqrt(-4))
Catch
  Emit(ExceptionClassName & ": " & ExceptionMessage)
End Try
