' Precedence, arithmetic, Booleans, strings, sets.
Emit(1 + 2 * 3)
Emit((1 + 2) * 3)
Emit(2 - 3 - 4)
Emit(7 / 2)
Emit(7 \ 2)
Emit(7 mod 3)
Dim a As Integer = 10, b As Integer = 4
Emit(a / b)
Emit((a > b) and (b > 3))
Emit(not (a = 10))
Emit("x" & "y")
Dim t = "n"
Emit(t & 1)
Emit(1 & 2)
Emit(4 in [1, 3..5])
Emit(0x10)
