' Host objects: New calls the class's constructor, Set assigns, Delete
' frees the object and its handle is dead afterwards.
Dim o = New TScrunObject(2)
o.Add(3)
Emit(o.Value)
Emit(o[2])
Set p = New TScrunObject(4)
Emit(p.Value)
Set p = o
Emit(p.Value)
Delete o
Emit(p)
Try
  Emit(p.Value)
Catch
  Emit(ExceptionClassName & ": " & ExceptionMessage)
End Try
