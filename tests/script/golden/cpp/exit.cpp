// exit leaves the function it stands in, or ends the main block; a
// finally part still runs on the way out.
int i;
void Leave(int k)
{
  for (i = 0; i < 10; i++)
    if (i == k) exit;
  Emit("never");
}
{
  Leave(2);
  Emit(i);
  try { exit; } finally { Emit("finally"); }
  Emit("never");
}
