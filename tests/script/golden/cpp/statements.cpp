// Every statement kind.
int i, n;
Variant v;
void Leave()
{
  Emit("before return");
  return;
  Emit("after return");
}
int Twice(int k) { return k * 2; }
{
  if (1 < 2) Emit("then"); else Emit("else");
  for (i = 1; i <= 3; i++)
    switch (i) {
      case 1: Emit("one");
      case 2, 3: Emit("two or three");
    }
  switch (9) { case 1..5: Emit("low"); default: Emit("other"); }
  n = 0;
  while (n < 10) {
    n++;
    if (n % 2 == 0) continue;
    if (n > 6) break;
    Emit(n);
  }
  n = 0;
  do n += 2; while (n < 5);
  Emit(n);
  for (i = 0; i < 0; i++) Emit("never");
  Emit(i);
  Leave();
  Emit(Twice(21));
  try { Emit("protected"); } finally { Emit("finally"); }
  try { v = 1 / 0; } except { Emit(ExceptionClassName); }
  try { RaiseException("raised"); } except { Emit(ExceptionMessage); }
  v = new TScrunObject(2);
  v.Add(5);
  Emit(v.Value);
  delete v;
  Emit(v);
}
