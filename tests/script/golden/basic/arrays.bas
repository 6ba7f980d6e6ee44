' Static and variant arrays, strings.
Dim a[3] As Integer
Dim i
For i = 0 To 2
  a[i] = i + 100
Next
Emit(a[2])
Dim v = ["a", "b", "c"]
Emit(v[1])
Dim s As String = "xyz"
s[1] = "A"
Emit(s)
