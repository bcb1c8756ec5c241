' ZSHyperLink through Wine's real ShellExecuteA. The test prefix sends http,
' https and mailto to launch_recorder.exe (run.sh registers it there only),
' which writes down the text it was given, one line per launch, instead of
' opening anything; the checks compare that line with the text launched.
' Nothing is launched unless every scheme's handler is the recorder.
Dim shell, fso, work, launches, calls
Set shell = CreateObject("WScript.Shell")
Set fso = CreateObject("Scripting.FileSystemObject")
work = Environment("ZS_SHELL_WORK")
launches = work & "\launches.txt"
calls = 0

' True when the shell sends every scheme to the recorder; says why not.
Function RecorderInstalled()
  Dim scheme, command
  RecorderInstalled = True
  For Each scheme In Array("http", "https", "mailto")
    command = ""
    command = shell.RegRead("HKCR\" & scheme & "\shell\open\command\")
    Err.Clear
    If InStr(1, command, "launch_recorder.exe", vbTextCompare) = 0 Then
      WScript.Echo "SKIPPED: links: the " & scheme & " handler is """ & command & """, not the recorder; nothing launched"
      RecorderInstalled = False
    End If
  Next
End Function

' The complete lines the recorder has written so far (each ends in CR LF).
' The file is opened only when its size changed: the recorder must be able to
' open it between our reads. A read that meets the recorder writing fails;
' it is dropped here and made again at the next poll, so it can neither end
' the suite nor be taken for what was launched.
Dim gSeen, gLines
gSeen = -1
gLines = Array("")
Function Recorded()
  Dim stream, size, text
  On Error Resume Next
  size = 0
  If fso.FileExists(launches) Then size = fso.GetFile(launches).Size
  If Err.Number = 0 And size <> gSeen Then
    text = ""
    If size > 0 Then
      Set stream = fso.OpenTextFile(launches, 1)
      If Err.Number = 0 Then text = stream.ReadAll
      If Err.Number = 0 Then stream.Close
    End If
    If Err.Number = 0 Then
      gLines = Split(text, vbCrLf)
      If size = 0 Then gLines = Array("")
      gSeen = size
    End If
  End If
  Err.Clear
  Recorded = gLines
End Function

' Seconds since `start` (Timer restarts at midnight). Wine's WScript has no
' Sleep, so the waits below poll.
Function Since(start)
  Since = Timer - start
  If Since < 0 Then Since = Since + 86400
End Function

' The line of launch number n (from 1), waited for up to `seconds`: the
' recorder runs apart from us.
Function Launched(n, seconds)
  Dim start, lines
  start = Timer
  Do
    lines = Recorded()
    If UBound(lines) >= n Then
      Launched = lines(n - 1)
      Exit Function
    End If
  Loop While Since(start) < seconds
  Launched = "<nothing launched>"
End Function

Sub RunLinks()
  Dim hl, c, cases, text, result, ansi
  Set hl = CreateObject(ZS & "ZSHyperLink")
  ' Wine's VBScript has no ChrW: Chr gives the code page's characters (1252
  ' in the test prefix: e acute, o umlaut, sharp s, the euro sign).
  ansi = "http://example.com/caf" & Chr(233) & "-gr" & Chr(246) & Chr(223) & "e/" & Chr(128)
  ' name, method, argument, the text the system is given, the argument afterwards
  cases = Array( _
    Array("a mail address gets the prefix", "SendMail", "someone@example.com", "mailto:someone@example.com", "someone@example.com"), _
    Array("a prefix already there stands twice", "SendMail", "mailto:twice@example.com", "mailto:mailto:twice@example.com", "mailto:twice@example.com"), _
    Array("a mail with a subject and spaces", "SendMail", "a.b@example.com?subject=Hello there&body=1|2", _
          "mailto:a.b@example.com?subject=Hello there&body=1|2", "a.b@example.com?subject=Hello there&body=1|2"), _
    Array("a plain address", "GoUrl", "http://example.com/", "http://example.com/", "http://example.com/"), _
    Array("shell metacharacters and spaces", "GoUrl", "https://example.com/a b/c?x=1&y=2|3<4>5^6%20;`$(x)'", _
          "https://example.com/a b/c?x=1&y=2|3<4>5^6%20;`$(x)'", "https://example.com/a b/c?x=1&y=2|3<4>5^6%20;`$(x)'"), _
    Array("characters of the ANSI code page", "GoUrl", ansi, ansi, ansi))
  For Each c In cases
    text = c(2)
    If c(1) = "SendMail" Then result = hl.SendMail(text) Else result = hl.GoUrl(text)
    Check c(0) & ": returns Empty", IsEmpty(result), True
    Check c(0) & ": the argument afterwards", text, c(4)
    calls = calls + 1
    Check c(0) & ": launched", Launched(calls, 10), """" & c(3) & """"
  Next
  ' One launch per call and nothing else, a moment later too.
  Launched calls + 1, 1
  Check "one launch per call", UBound(Recorded()), CLng(calls)
End Sub

If RecorderInstalled() Then RunLinks
