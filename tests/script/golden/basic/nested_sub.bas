' A sub declared inside another statement is refused.
If 1 = 1 Then
  Sub Inner
  End Sub
End If
