' ByRef parameters, recursion, globals seen from procedures.
Dim total = 0
Sub Swap(ByRef x, ByRef y)
  Dim t = x
  x = y
  y = t
End Sub
Function Fact(n)
  If n <= 1 Then
    Return 1
  End If
  Return n * Fact(n - 1)
End Function
Sub AddTotal(k)
  total = total + k
End Sub
Dim a = 1, b = 2
Swap(a, b)
Emit(a)
Emit(b)
Emit(Fact(7))
AddTotal(2)
AddTotal(3)
Emit(total)
