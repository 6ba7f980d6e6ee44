function f(a) { return a; }
x = f(1,
  2);
