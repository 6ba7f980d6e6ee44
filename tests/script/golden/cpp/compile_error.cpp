int i;
{
  i = 1;
  If (i) Emit(i);
}
