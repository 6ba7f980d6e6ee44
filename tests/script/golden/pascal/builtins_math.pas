// Mathematics and the remaining built-ins.
var i: Integer;
    v: Variant;
begin
  Emit(Round(2.5));
  Emit(Round(-2.5));
  Emit(Round(3.5));
  Emit(Round(2.6));
  Emit(Trunc(-2.7));
  Emit(Trunc(2.7));
  Emit(Int(2.7));
  Emit(Int(-2.7));
  Emit(Frac(2.75));
  Emit(Frac(-2.75));
  Emit(Sqrt(16));
  Emit(Abs(-3));
  Emit(Abs(-2.5));
  Emit(Sin(0));
  Emit(Cos(0));
  Emit(ArcTan(1) * 4 = Pi);
  Emit(Tan(0));
  Emit(Exp(0));
  Emit(Ln(1));
  Emit(Pi);
  i := 5;
  Inc(i);
  Emit(i);
  Inc(i, 5);
  Emit(i);
  Dec(i);
  Emit(i);
  Dec(i, 20);
  Emit(i);
  Emit(VarType(3));
  Emit(VarType('x'));
  Emit(VarType(1.5));
  Emit(VarType(True));
  Emit(VarType(Null));
  v := VarArrayCreate([0, 2], varInteger);
  Emit(VarType(v));
  Emit(v);
  v := VarArrayCreate([1, 2, 0, 1], varVariant);
  v[2, 1] := 'x';
  Emit(v[2, 1]);
  Emit(Length(v));
  Randomize;
  v := Random;
  Emit((v >= 0) and (v < 1));
  try
    RaiseException('x');
  except
    Emit(ExceptionClassName);
    Emit(ExceptionMessage);
  end;
  try
    Emit(Round(1e12));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(Trunc(-3e9));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(Sqrt(-1));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(Ln(0));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    Emit(Exp(1000));
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    v := VarArrayCreate([0], varVariant);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    v := VarArrayCreate([0, 100000000000], varVariant);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  try
    v := CreateOleObject('Word.Application');
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  RaiseException('uncaught');
end.
