' ZSWinVersion against the version that Wine reports (an NT-family system
' newer than XP, so the decision table answers "Windows 32").
Dim wv, x
Set wv = CreateObject(ZS & "ZSWinVersion")
Check "MajorVersion is a Long", TypeName(wv.MajorVersion), "Long"
CheckTrue "MajorVersion of a current Windows", wv.MajorVersion >= 6
Check "MinorVersion is a Long", TypeName(wv.MinorVersion), "Long"
CheckTrue "BuildNumber positive", wv.BuildNumber > 0
Check "OperatingPlatform", wv.OperatingPlatform, "Windows NT/2K/XP"
Check "OperatingSystem of a system the table does not know", wv.OperatingSystem, "Windows 32"
Check "IsWindows32", wv.IsWindows32, True
Check "IsWindows95", wv.IsWindows95, False
Check "IsWindows98", wv.IsWindows98, False
Check "IsWindowsME", wv.IsWindowsME, False
Check "IsWindowsNT", wv.IsWindowsNT, False
Check "IsWindows2K", wv.IsWindows2K, False
Check "IsWindowsXP", wv.IsWindowsXP, False
x = wv.ExtraInfo
Check "ExtraInfo is text", TypeName(x), "String"
CheckTrue "ExtraInfo at most three characters", Len(x) <= 3
If Len(x) = 3 And Left(x, 1) = Chr(0) Then Check "an empty service text gives three NULs", x, String(3, Chr(0))
