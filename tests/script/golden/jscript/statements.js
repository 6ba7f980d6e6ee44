// Every statement kind.
function leave() { Emit("before return"); return; Emit("after return"); }
function twice(k) { return k * 2; }
if (1 < 2) Emit("then"); else Emit("else");
for (i = 1; i <= 3; i++) switch (i) { case 1: Emit("one"); case 2, 3: Emit("two or three"); }
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
leave();
Emit(twice(21));
try { Emit("protected"); } finally { Emit("finally"); }
try { n = 1 / 0; } except { Emit(ExceptionClassName); }
try { RaiseException("raised"); } except { Emit(ExceptionMessage); }
o = NewObject(1);
with (o) { Add(2); Emit(Value); }
