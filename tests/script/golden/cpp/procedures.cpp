// Reference parameters, recursion, lookup through parents.
int total;
int a, b;
void Swap(int &x, int &y) { int t; t = x; x = y; y = t; }
int Fact(int n) { if (n <= 1) return 1; return n * Fact(n - 1); }
void Add(int k) { total += k; }
{
  a = 1; b = 2;
  Swap(a, b);
  Emit(a);
  Emit(b);
  Emit(Fact(12));
  total = 0;
  Add(3); Add(4);
  Emit(total);
}
