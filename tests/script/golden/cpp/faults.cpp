// Faults built soundly.
int i;
Variant v;
void Stray() { continue; Emit("never"); }
{
  Stray(); Stray();
  Emit("after stray continues");
  for (i = 0; i < 3; i++) {
    try { if (i == 0) continue; } finally { Emit("f1"); Emit("f2"); }
  }
  Emit(i);
  v = 7;
  try { v.Add(1); } except { Emit(ExceptionMessage); }
}
