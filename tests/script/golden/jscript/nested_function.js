// A function declared inside another statement is refused.
if (1 == 1) {
  x = 1;
}
while (x < 0) function late() { return 1; }
