{ Faults built soundly: each block names the one it shows. }
var i: Integer;
    v: Variant;
    o: TScrunObject;

procedure StrayBreak;
begin
  break;
  Emit('never after break');
end;

function Deep(n: Integer): Integer;
begin
  Result := Deep(n + 1);
end;

begin
  { A break outside a loop ends its own procedure and nothing else. }
  StrayBreak;
  StrayBreak;
  Emit('after stray breaks');

  { try..finally with a pending break runs the whole finally part. }
  for i := 1 to 3 do
    try
      if i = 2 then break;
    finally
      Emit('finally a');
      Emit('finally b');
    end;
  Emit(i);

  { The for-loop count is 64-bit: bounds at the 32-bit limit end. }
  for i := 2147483646 to 2147483647 do Emit(i);

  { Instance members through a nil object raise. }
  o := nil;
  try
    o.Add(1);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;

  { A member of a number is refused. }
  v := 5;
  try
    Emit(v.Value);
  except
    Emit(ExceptionMessage);
  end;

  { A dead object handle raises. }
  v := NewObject(1);
  FreeObject(v);
  try
    Emit(v.Value);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;

  { Recursion is capped. }
  try
    Deep(0);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
end.
