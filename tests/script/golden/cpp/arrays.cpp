// Static, two-dimensional and variant arrays.
int a[3], m[2][3];
Variant v;
{
  int i, j;
  for (i = 0; i < 3; i++) a[i] = i + 1;
  Emit(a[0] + a[1] + a[2]);
  for (i = 0; i < 2; i++)
    for (j = 0; j < 3; j++)
      m[i][j] = i * 10 + j;
  Emit(m[1, 2]);
  v = [1, "two", 3.5];
  Emit(v);
  Emit(v[2]);
}
