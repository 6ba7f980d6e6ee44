' Every statement kind.
Sub Leave
  Emit("before exit")
  exit
  Emit("after exit")
End Sub
Function Twice(k)
  Return k * 2
End Function
If 1 < 2 Then Emit("then")
If 1 > 2 Then
  Emit("then")
Else
  Emit("else")
End If
Dim i
For i = 1 To 3
  Select Case i
    Case 1:
      Emit("one")
    Case 2, 3:
      Emit("two or three")
  End Select
Next
For i = 10 To 1 Step -3
  Emit(i)
Next
Dim n = 0
While n < 10
  n = n + 1
  If n mod 2 = 0 Then continue
  If n > 6 Then break
  Emit(n)
Wend
n = 0
Do
  n += 2
Loop Until n >= 5
Emit(n)
Do
  n -= 1
Loop While n > 3
Emit(n)
Leave
Emit(Twice(21))
Try
  Emit("protected")
Finally
  Emit("finally")
End Try
Try
  n = 1 / 0
Catch
  Emit(ExceptionClassName)
End Try
Try
  RaiseException("raised")
Catch
  Emit(ExceptionMessage)
End Try
Dim o = NewObject(10)
With o
  Add(5)
  Emit(Value)
End With
