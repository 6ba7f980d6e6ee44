x = 1;
}
Emit(x);
