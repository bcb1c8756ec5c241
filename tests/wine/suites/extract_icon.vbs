' ZSExtractIcon against Wine's shell32 and user32: counting the icons of a
' system library, the silent failures, and the arguments left as they were.
Dim ei, idx, sz, dc, x, y, n
Set ei = CreateObject(ZS & "ZSExtractIcon")
Check "FileName starts empty", ei.FileName, ""
ei.FileName = "C:\windows\system32\shell32.dll"
Check "FileName keeps its value", ei.FileName, "C:\windows\system32\shell32.dll"
n = ei.Count
CheckTrue "shell32.dll holds icons", n > 0
ei.FileName = "C:\zs-no-such-file.ico"
' The call's result as it comes: Wine answers -1 (UINT_MAX) for a missing file.
n = ei.Count
CheckTrue "a missing file has no icons", n = 0 Or n = -1
' No device context and no icon: nothing is drawn and nothing is raised.
idx = CLng(1) : sz = CLng(2) : dc = CLng(0) : x = CLng(3) : y = CLng(4)
Check "Extract returns Empty", IsEmpty(ei.Extract(idx, sz, dc, x, y)), True
Check "Index unchanged", idx, CLng(1)
Check "Top unchanged", y, CLng(4)
ei.FileName = "C:\windows\system32\shell32.dll"
sz = CLng(15)
Check "a size outside the table draws nothing", IsEmpty(ei.Extract(idx, sz, dc, x, y)), True
