Emit("start");
s = "abc";
Emit(s[4]);
