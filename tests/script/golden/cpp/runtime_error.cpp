int a[3];
{
  Emit("start");
  a[3] = 1;
}
