' Host events: subs bound to Button1's events by name and fired by the
' host; values written back, a handler that fires its own event,
' unbinding with nil, a name that is no sub, a handler's error reaching
' the code that fired, and the host's own click after the main block.
Sub Clicked(Sender)
  Emit("clicked " & IntToStr(Button1.Clicks))
  Button1.Click
End Sub
Sub KeyPressed(Sender, ByRef Key)
  Emit("key " & Key)
  If Key = "a" Then
    Key = "b"
  End If
End Sub
Sub KeyDown(Sender, ByRef Key, Shift)
  Key = Key + Shift
End Sub
Sub CloseQuery(Sender, ByRef CanClose)
  CanClose = False
End Sub
Sub MouseDown(Sender, Button, Shift, X, Y)
  Emit(Sender)
  Emit(IntToStr(Button) & " " & IntToStr(Shift) & " " & IntToStr(X) & "," & IntToStr(Y))
End Sub
Sub Fails(Sender)
  RaiseException("handler failed")
End Sub
Sub AfterRun(Sender)
  Emit("clicked by the host")
End Sub
Button1.OnClick = "Clicked"
Button1.Click
Emit(Button1.Clicks)
Emit(Button1.OnClick)
Button1.OnKeyPress = "KeyPressed"
Emit(Button1.PressKey("a"))
Emit(Button1.PressKey("x"))
Button1.OnKeyDown = "KeyDown"
Emit(Button1.KeyDown(40, 2))
Emit(Button1.CloseQuery)
Button1.OnCloseQuery = "CloseQuery"
Emit(Button1.CloseQuery)
Button1.OnMouseDown = "MouseDown"
Button1.MouseDown(1, 4, 12, 34)
Button1.OnClick = nil
Button1.Click
Emit(Button1.Clicks)
Try
  Button1.OnClick = "Missing"
Catch
  Emit(ExceptionMessage)
End Try
Set b = New TScrunButton
b.OnClick = "Fails"
Try
  b.Click
Catch
  Emit(ExceptionMessage)
End Try
Button1.OnClick = "AfterRun"
Emit("end of script")
