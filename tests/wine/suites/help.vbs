' ZSHelp and ZSHyperLink against Wine's user32, hhctrl and shell32, with
' targets that open nothing: the calls return Empty, raise nothing and write
' back only what they should.
Dim hp, hl, h, f, c, u
Set hp = CreateObject(ZS & "ZSHelp")
h = CLng(0) : f = "C:\zs-no-such-help.hlp" : c = CLng(513)   ' zvHELP_MULTIKEY: held back, its data would be a pointer
Check "RunWinHelp with a pointer command", IsEmpty(hp.RunWinHelp(h, f, c)), True
Check "RunWinHelp leaves the file name", f, "C:\zs-no-such-help.hlp"
Check "RunWinHelp leaves the command", c, CLng(513)
f = "C:\zs-no-such-help.chm" : c = CLng(18)             ' zvHH_CLOSE_ALL
Check "RunHtmlHelp close all", IsEmpty(hp.RunHtmlHelp(h, f, c)), True
c = CLng(14)                                            ' zvHH_DISPLAY_TEXT_POPUP: held back
Check "RunHtmlHelp with a pointer command", IsEmpty(hp.RunHtmlHelp(h, f, c)), True
Check "RunHtmlHelp leaves the file name", f, "C:\zs-no-such-help.chm"
' Commands the help engines carry out, with a file that is missing: Wine's
' hhctrl opens no viewer, and WinHelp's HELP_QUIT with no help window running
' starts nothing (every other WinHelp command would start winhlp32).
Dim helpCalls, hc
helpCalls = Array( _
  Array("RunHtmlHelp display topic", "html", "C:\zs-no-such-help.chm", 0), _
  Array("RunHtmlHelp help context", "html", "C:\zs-no-such-help.chm", 15), _
  Array("RunWinHelp quit", "win", "C:\zs-no-such-help.hlp", 2))
For Each hc In helpCalls
  f = hc(2) : c = CLng(hc(3))
  If hc(1) = "html" Then u = hp.RunHtmlHelp(h, f, c) Else u = hp.RunWinHelp(h, f, c)
  Check hc(0) & " returns Empty", IsEmpty(u), True
  Check hc(0) & " leaves the command", c, CLng(hc(3))
Next

Set hl = CreateObject(ZS & "ZSHyperLink")
u = "C:\zs-no-such-document.zzz"
Check "GoUrl with a missing file", IsEmpty(hl.GoUrl(u)), True
Check "GoUrl writes the text back", u, "C:\zs-no-such-document.zzz"
