// Arrays through parameters: indexing a by-reference parameter changes the
// caller's array, a by-value one indexes its own copy; a member of a
// variable that holds no object raises each time until it holds one.
void setFirst(Variant &v) { v[0] = "first"; }
Variant second(Variant v) { return v[1]; }
Variant clearCopy(Variant v) { v[0] = 0; return v; }
Variant w, o;
int i;
{
  w = [1, 2];
  setFirst(w);
  Emit(w);
  Emit(second(["p", "q"]));
  Emit(clearCopy(w));
  Emit(w);
  o = Null;
  for (i = 1; i <= 2; i++)
    try {
      Emit(o.Value);
    } except {
      Emit(ExceptionClassName + ": " + ExceptionMessage);
      o = NewObject(7);
    }
}
