{ Static, two-dimensional and variant arrays, string indexing. }
var a: array[1..3] of Integer;
    m: array[0..1, 0..2] of Integer;
    v: Variant;
    s: String;
    i, j: Integer;
begin
  for i := 1 to 3 do a[i] := i * i;
  Emit(a[1] + a[2] + a[3]);
  for i := 0 to 1 do
    for j := 0 to 2 do
      m[i, j] := i * 10 + j;
  Emit(m[1, 2]);
  v := [10, 20, 30];
  Emit(v[1]);
  v[1] := 'x';
  Emit(v);
  Emit(a);
  s := 'abc';
  s[2] := 'xy';
  Emit(s);
  Emit(s[3]);
  v := 'hello';
  Emit(v[1]);
end.
