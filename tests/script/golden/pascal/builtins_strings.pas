// Built-in string functions, with out-of-range positions and counts.
var s: String;
    v: Variant;
begin
  Emit(Length('abcde'));
  Emit(Length(12345));
  Emit(Length(VarArrayCreate([0, 4], varVariant)));
  Emit(Copy('abcdef', 2, 3));
  Emit(Copy('abcdef', -5, 2));
  Emit(Copy('abcdef', 5, 100));
  Emit(Copy('abcdef', 7, 1));
  Emit(Copy('abcdef', 2, -1));
  Emit(Pos('cd', 'abcdcd'));
  Emit(Pos('x', 'abc'));
  Emit(Pos('', 'abc'));
  s := 'abcdef';
  Delete(s, 2, 2);
  Emit(s);
  s := 'abcdef';
  Delete(s, 5, 100);
  Emit(s);
  s := 'abcdef';
  Delete(s, 0, 2);
  Emit(s);
  s := 'abcdef';
  Delete(s, -3, 2);
  Emit(s);
  s := 'abcdef';
  DeleteStr(s, 1, 1);
  Emit(s);
  s := 'abc';
  Insert('XY', s, 2);
  Emit(s);
  s := 'abc';
  Insert('XY', s, 99);
  Emit(s);
  s := 'abc';
  Insert('XY', s, -4);
  Emit(s);
  Emit(Uppercase('žltý kôň'));
  Emit(Lowercase('ŽLTÝ Kôň'));
  Emit(Trim(#9'  padded '#13#10));
  Emit(NameCase('jOHN smith'));
  Emit(NameCase(' ab cd'));
  Emit(CompareText('abc', 'ABD'));
  Emit(CompareText('ABC', 'abc'));
  Emit(CompareText('b', 'A'));
  Emit(Chr(65));
  Emit(Ord('A'));
  Emit(Ord(''));
  Emit(Chr(269));
  s := 'abcdef';
  SetLength(s, 3);
  Emit(s);
  SetLength(s, 5);
  Emit(s + '|');
  v := VarArrayCreate([0, 1], varVariant);
  v[0] := 'kept';
  SetLength(v, 3);
  Emit(v);
  try
    SetLength(s, -1);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(Chr(-1));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
end.
