' Checks shared by the suites. The harness runs each suite as this file, the
' suite and finish.vbs joined into one script. Suites run under
' On Error Resume Next: a check first fails on any error left pending, so an
' unexpected error is reported under the check that follows it.
Option Explicit
Dim gPassed, gFailed
gPassed = 0
gFailed = 0
Const ZS = "VQZavrinStudio."

Function Show(v)
  If IsObject(v) Then
    If v Is Nothing Then Show = "Nothing" Else Show = "<" & TypeName(v) & ">"
  ElseIf IsNull(v) Then
    Show = "Null"
  ElseIf IsEmpty(v) Then
    Show = "Empty"
  ElseIf VarType(v) = vbError Then
    Show = "Error"
  Else
    Show = TypeName(v) & " " & CStr(v)
  End If
End Function

Sub Fail(name, message)
  gFailed = gFailed + 1
  WScript.Echo "FAIL " & name & ": " & message
End Sub

Function NoPendingError(name)
  NoPendingError = (Err.Number = 0)
  If Not NoPendingError Then
    Fail name, "unexpected error " & Err.Number & " (" & Err.Description & ") from " & Err.Source
    Err.Clear
  End If
End Function

' The same kind and value; for objects the same reference.
Sub Check(name, actual, expected)
  Dim ok
  If Not NoPendingError(name) Then Exit Sub
  If IsObject(actual) Or IsObject(expected) Then
    ok = IsObject(actual) And IsObject(expected)
    If ok Then ok = (actual Is expected)
  ElseIf TypeName(actual) <> TypeName(expected) Then
    ok = False
  ElseIf IsNull(actual) Or IsEmpty(actual) Then
    ok = True
  Else
    ok = (actual = expected)
  End If
  If ok Then gPassed = gPassed + 1 Else Fail name, "got " & Show(actual) & ", expected " & Show(expected)
End Sub

Sub CheckTrue(name, condition)
  If Not NoPendingError(name) Then Exit Sub
  If condition Then gPassed = gPassed + 1 Else Fail name, "condition is false"
End Sub

' The error the previous statement raised: number, and description and source
' unless given as "".
Sub CheckError(name, number, description, source)
  If Err.Number <> number Then
    Fail name, "error " & Err.Number & " (" & Err.Description & "), expected " & number
  ElseIf description <> "" And Err.Description <> description Then
    Fail name, "description """ & Err.Description & """, expected """ & description & """"
  ElseIf source <> "" And Err.Source <> source Then
    Fail name, "source """ & Err.Source & """, expected """ & source & """"
  Else
    gPassed = gPassed + 1
  End If
  Err.Clear
End Sub

On Error Resume Next

' An environment variable of the harness. Wine's ExpandEnvironmentStrings
' keeps the terminating NUL in its result; the text ends there.
Function Environment(name)
  Dim text, nul
  text = CreateObject("WScript.Shell").ExpandEnvironmentStrings("%" & name & "%")
  nul = InStr(text, Chr(0))
  If nul > 0 Then text = Left(text, nul - 1)
  Environment = text
End Function
