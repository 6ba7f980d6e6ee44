// Reference parameters, recursion, globals seen from functions.
function swap(&x, &y) { var t = x; x = y; y = t; }
function fact(n) { if (n <= 1) return 1; return n * fact(n - 1); }
function addTotal(k) { total = total + k; }
a = 1; b = 2;
swap(a, b);
Emit(a);
Emit(b);
Emit(fact(8));
total = 0;
addTotal(5); addTotal(6);
Emit(total);
