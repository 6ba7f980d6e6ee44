Dim i As Integer
i = "text"
