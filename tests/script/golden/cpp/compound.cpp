// Compound assignments and increments.
int x;
int i;
{
  x = 3;
  x /= 2;
  Emit(x);
  x *= 4;
  Emit(x);
  x -= 1;
  Emit(x);
  i = 5;
  i++;
  i++;
  i--;
  Emit(i);
}
