Emit("start")
Dim a[2]
a[5] = 1
