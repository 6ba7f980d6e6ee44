' ElseIf chains in block form and Case Else.
For i = 1 To 4
  If i = 1 Then
    Emit("one")
  ElseIf i = 2 Then
    Emit("two")
  ElseIf i = 3 Then
    Emit("three")
  Else
    Emit("other")
  End If
Next
Select Case 7
  Case 1:
    Emit("a")
  Case Else:
    Emit("else")
End Select
