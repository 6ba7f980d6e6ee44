// Precedence, arithmetic, Booleans, strings, sets.
int a, b;
float x;
String s;
{
  Emit(1 + 2 * 3);
  Emit((1 + 2) * 3);
  Emit(2 - 3 - 4);
  Emit(7 / 2);
  Emit(7 div 2);
  Emit(7 % 3);
  Emit(1 << 4);
  Emit(256 >> 2);
  Emit(6 && 3);
  Emit(6 || 3);
  Emit(6 ^ 3);
  a = 10; b = 4;
  x = a / b;
  Emit(x);
  Emit(!(a > b) && (b > 0));
  Emit(a == 10);
  Emit(a != 10);
  s = "tab\there";
  Emit(s + "!");
  Emit("q\"uote");
  Emit(0x1F);
  Emit(4 in [1, 3..5]);
}
