{ Constants, initial values of declared variables, several names sharing one. }
const A = 2; B = A * 5;
var x: Integer = B + 1;
    s, t: String = 'q';
begin Emit(x); Emit(s + t); Emit(B) end.
