{ Every statement kind. }
var i, n: Integer;
    v: Variant;
procedure Leave;
begin
  Emit('before exit');
  exit;
  Emit('after exit');
end;
begin
  if 1 < 2 then Emit('then') else Emit('else');
  if 1 > 2 then Emit('then') else Emit('else');
  for i := 1 to 3 do
    case i of
      1: Emit('one');
      2, 3: Emit('two or three');
    end;
  case 9 of
    1..5: Emit('low');
  else
    Emit('other');
  end;
  for i := 3 downto 1 do Emit(i);
  for i := 5 to 1 do Emit('never');
  Emit(i);
  n := 0;
  while n < 10 do
  begin
    n := n + 1;
    if n mod 2 = 0 then continue;
    if n > 6 then break;
    Emit(n);
  end;
  n := 0;
  repeat
    n := n + 2;
  until n >= 5;
  Emit(n);
  Leave;
  try
    Emit('protected');
  finally
    Emit('finally');
  end;
  try
    n := 1 div 0;
    Emit('not reached');
  except
    Emit(ExceptionClassName);
  end;
  try
    RaiseException('raised');
  except
    Emit(ExceptionMessage);
  end;
  for i := 1 to 3 do
  begin
    case i of
      2: break;
    end;
    Emit(i);
  end;
  v := NewObject(3);
  with v do
  begin
    Add(4);
    Emit(Value);
  end;
end.
