' Nested functions see the enclosing function's parameters; a name first
' assigned inside a sub becomes a variable of the main program.
Function Outer(k)
  Function Inner(m)
    Return k * 10 + m
  End Function
  Return Inner(1) + Inner(2)
End Function
Emit(Outer(3))
Sub SetHidden
  hidden = "set inside"
End Sub
SetHidden
Emit(hidden)
