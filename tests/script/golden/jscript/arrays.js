// Static and variant arrays, string indexing.
var a[3], m[2, 2];
for (i = 0; i < 3; i++) a[i] = i * 3;
Emit(a[2]);
m[1, 1] = "corner";
Emit(m[1, 1]);
v = ["p", "q"];
Emit(v[0]);
s = "abc";
Emit(s[3]);
