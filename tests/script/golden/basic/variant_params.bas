' Arrays through parameters: indexing a ByRef parameter changes the
' caller's array, a ByVal one indexes its own copy; a member of a
' variable that holds no object raises each time until it holds one.
Sub SetFirst(ByRef v)
  v[0] = "first"
End Sub
Function Second(v)
  Return v[1]
End Function
Function ClearCopy(ByVal v)
  v[0] = 0
  Return v
End Function
w = [1, 2]
SetFirst(w)
Emit(w)
Emit(Second(["p", "q"]))
Emit(ClearCopy(w))
Emit(w)
o = Null
For i = 1 To 2
  Try
    Emit(o.Value)
  Catch
    Emit(ExceptionClassName & ": " & ExceptionMessage)
    o = NewObject(7)
  End Try
Next
