// #define constants and initial values.
#define LIMIT 3
int n = LIMIT * 2;
{
  Emit(n);
  Emit(LIMIT);
}
