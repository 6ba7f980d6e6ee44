{
  int i;
  i = 1
  Emit(i);
}
