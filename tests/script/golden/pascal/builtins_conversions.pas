// Conversions, formatting and dates under the Slovak regional settings.
var y, m, d, h, n, s, ms: Integer;
    t: Extended;
begin
  Emit(IntToStr(42));
  Emit(IntToStr(-7));
  Emit(FloatToStr(2.5));
  Emit(FloatToStr(0.1 + 0.2));
  Emit(StrToInt('123'));
  Emit(StrToInt('$FF'));
  Emit(StrToInt(' -17'));
  Emit(StrToInt64('3000000000'));
  Emit(StrToFloat('1,5'));
  Emit(VarToStr(Null));
  Emit(VarToStr(12));
  Emit(Format('%d items', [3]));
  Emit(Format('%s=%.2f', ['x', 1.005]));
  Emit(Format('%5d|%-5s|', [42, 'ab']));
  Emit(FormatFloat('#,##0.00', 1234567.891));
  Emit(FormatFloat('0.00', -0.004));
  Emit(FormatMaskText('!99/99/0000;1;_', '24/12/1999'));
  Emit(FormatMaskText('000-000;0;_', '12345'));
  Emit(FormatMaskText('>LL-0000;0; ', 'ab12'));
  t := EncodeDate(2024, 2, 29);
  Emit(t);
  Emit(DateToStr(t));
  Emit(FormatDateTime('yyyy-mm-dd', t));
  Emit(DayOfWeek(t));
  DecodeDate(t, y, m, d);
  Emit(y); Emit(m); Emit(d);
  t := EncodeTime(13, 5, 9, 250);
  Emit(TimeToStr(t));
  DecodeTime(t, h, n, s, ms);
  Emit(h); Emit(n); Emit(s); Emit(ms);
  Emit(DateTimeToStr(EncodeDate(2001, 1, 2) + EncodeTime(3, 4, 5, 0)));
  Emit(DateTimeToStr(EncodeDate(2001, 1, 2)));
  Emit(StrToDate('24.12.1999'));
  Emit(StrToTime('12:00'));
  Emit(StrToDateTime('2.1.2001 6:00'));
  Emit(IsLeapYear(2000));
  Emit(IsLeapYear(1900));
  Emit(DaysInMonth(2000, 2));
  Emit(DaysInMonth(1900, 2));
  Emit(DaysInMonth(2023, 12));
  Emit(ValidInt('12a'));
  Emit(ValidInt('12'));
  Emit(ValidInt('99999999999'));
  Emit(ValidFloat('1,25'));
  Emit(ValidFloat('1.25.3'));
  Emit(ValidDate('31.12.2020'));
  Emit(ValidDate('31.02.2020'));
  Emit(Date = Int(Now));
  Emit((Time >= 0) and (Time < 1));
  try
    Emit(StrToInt('12a'));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(StrToInt('4294967296'));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(EncodeDate(2023, 2, 29));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(EncodeTime(24, 0, 0, 0));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(DaysInMonth(2020, 13));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(Format('%d', ['x']));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
end.
