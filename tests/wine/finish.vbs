' The closing line that the harness requires, and the exit code.
If Err.Number <> 0 Then Fail "end of suite", "unexpected error " & Err.Number & " (" & Err.Description & ")"
WScript.Echo gPassed & " passed, " & gFailed & " failed"
If gFailed = 0 Then WScript.Quit 0 Else WScript.Quit 1
