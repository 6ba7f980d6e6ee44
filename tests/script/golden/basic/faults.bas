' Faults built soundly.
' "&" is never turned into an add-assignment: it concatenates.
Dim s = "1"
s = s & 1
Emit(s)
s = "a"
s = s & 1
Emit(s)
' A plain "+" still adds.
Dim n = 1
n = n + 1
Emit(n)
' try..finally with a pending continue runs the whole finally part.
Dim i
For i = 1 To 2
  Try
    continue
  Finally
    Emit("f1")
    Emit("f2")
  End Try
Next
' A number has no members.
Dim v = 5
Try
  Emit(v.Value)
Catch
  Emit(ExceptionMessage)
End Try
