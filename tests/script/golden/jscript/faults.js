// Faults built soundly.
function stray() { break; Emit("never"); }
stray(); stray();
Emit("after stray breaks");
for (i = 0; i < 3; i++) {
  try { if (i == 1) break; } finally { Emit("f1"); Emit("f2"); }
}
Emit(i);
s = "ab";
try { s[3] = "x"; } except { Emit(ExceptionClassName); }
function deep(n) { return deep(n + 1); }
try { deep(0); } except { Emit(ExceptionMessage); }
