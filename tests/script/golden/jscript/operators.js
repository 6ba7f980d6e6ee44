// Precedence, arithmetic, Booleans, strings, sets; names need no declaration.
Emit(1 + 2 * 3);
Emit((1 + 2) * 3);
Emit(2 - 3 - 4);
Emit(7 / 2);
Emit(7 % 3);
Emit(6 && 3);
a = 10; b = 4;
Emit(a / b);
Emit((a > b) && (b > 3));
Emit(!(a == 10));
Emit("x" + "y");
Emit("a\nb");
Emit(5 in [1, 3..5]);
Emit(0xff);
