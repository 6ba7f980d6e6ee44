' Automation: an object made by CreateOleObject and reached late-bound:
' property writes and reads, arguments in the order written, a call
' statement that wants no result, and the errors of unknown members,
' failing calls and unknown class names.
s = CreateOleObject("Scrun.Server")
Emit(s)
Emit(s.Visible)
s.Visible = True
Emit(s.Visible)
Emit(s.Name)
Emit(s.Sub(10, 3))
Emit(s.Join("a", 2, "c"))
s.Quit
Emit(s.Calls)
Try
  s.Missing = 1
Catch
  Emit(ExceptionMessage)
End Try
Try
  s.Fail
Catch
  Emit(ExceptionMessage)
End Try
Try
  s = CreateOleObject("No.Such.Server")
Catch
  Emit(ExceptionClassName & ": " & ExceptionMessage)
End Try
