{ Host objects through handles: constructor, property, method, default
  and indexed properties, with, "is", and stale handles. }
var o: TScrunObject;
    v: Variant;
    k: Integer;
begin
  o := TScrunObject.Create(5);
  o.Add(2);
  Emit(o.Value);
  Emit(o[3]);
  Emit(o.Items[2]);
  o.Items[1] := 9;
  Emit(o.Value);
  with o do begin
    Add(1);
    Emit(Value);
  end;
  v := NewObject(4);
  with v do
    Emit(Value);
  Emit(v.Value);
  Emit(o is TScrunObject);
  Emit(v);
  FreeObject(v);
  try
    k := v.Value;
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  o := nil;
  try
    o.Add(1);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
  v := 5;
  try
    Emit(v.Value);
  except
    Emit(ExceptionClassName + ': ' + ExceptionMessage);
  end;
end.
