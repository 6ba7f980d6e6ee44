{ Dynamic arrays: "array of" without bounds starts with one element and
  takes whole arrays; array and variant parameters by value and by
  reference; a member of a variant that holds no object. }
var d, e: array of Integer;
    v: Variant;
    i: Integer;

procedure Twice(b: array of Integer);
begin
  b[0] := b[0] * 2;
  Emit(b[0]);
end;

procedure Bump(var b: array of Integer);
begin
  b[1] := b[1] + 1;
end;

procedure Replace(var b: array of Integer);
begin
  b := [7, 8];
end;

procedure SetFirst(var x: Variant);
begin
  x[0] := 'first';
end;

function Second(x: Variant): Variant;
begin
  Result := x[1];
end;

begin
  Emit(d);
  d[0] := 5;
  Emit(d[0]);
  d := [1, 2, 3];
  Emit(d);
  { Assignment copies: changing e leaves d alone. }
  e := d;
  e[0] := 100;
  Emit(d[0]);
  Emit(e[0]);
  Twice(d);
  Emit(d);
  Bump(d);
  Emit(d);
  Replace(d);
  Emit(d);
  try
    Emit(d[2]);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;

  v := [1, 2];
  SetFirst(v);
  Emit(v);
  Emit(Second(['p', 'q']));

  { No object behind a variant: its members raise, every time they are
    reached, until the variant holds an object. }
  v := Null;
  try
    with v do Value := 3;
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  Emit(v);
  for i := 1 to 2 do
    try
      Emit(v.Value);
    except
      Emit(ExceptionClassName + ': ' + ExceptionMessage);
      v := NewObject(7);
    end;
end.
