' ZSWindows against Wine: the identity members read the prefix's own registry
' (compared with ZSRegistry's reading of the same values), the user and
' computer names come from Wine's advapi32 and kernel32.
' The session members are never called: under Wine they would end the
' prefix's session. Each is called with one argument too many instead, which
' the dispatcher refuses (error 450) before the member runs; an unknown name
' would give 438. run.sh's type-library comparison checks their ids.
Dim w, reg, key, u, c
Const HKLM = &H80000002
key = "Software\Microsoft\Windows\CurrentVersion"
Set w = CreateObject(ZS & "ZSWindows")
Set reg = CreateObject(ZS & "ZSRegistry")

Sub CheckValue(member, actual, valueName)
  Check member & " is text", TypeName(actual), "String"
  Check member & " is the registry's value", actual, CStr(reg.ReadValue(HKLM, key, valueName) & "")
End Sub
CheckValue "LicensingInfo", w.LicensingInfo, "LicensingInfo"
CheckValue "RegisteredOwner", w.RegisteredOwner, "RegisteredOwner"
CheckValue "RegisteredOrganization", w.RegisteredOrganization, "RegisteredOrganization"
CheckValue "ProductType", w.ProductType, "ProductType"
CheckValue "ProductKey", w.ProductKey, "ProductKey"
CheckValue "ProductName", w.ProductName, "ProductName"
CheckValue "ProductId", w.ProductId, "ProductId"
CheckValue "PlusVersionNumber", w.PlusVersionNumber, "Plus! VersionNumber"

' A value written to the key is what the member answers.
Check "write Plus! VersionNumber", reg.WriteValue(HKLM, key, 1, "Plus! VersionNumber", "IE 6 6.0"), CLng(0)
Check "PlusVersionNumber reads the name with ! and a space", w.PlusVersionNumber, "IE 6 6.0"
Check "delete Plus! VersionNumber", reg.DeleteValue(HKLM, key, "Plus! VersionNumber"), CLng(0)
Check "PlusVersionNumber of an absent value", w.PlusVersionNumber, ""

u = w.UserName
CheckTrue "UserName is a name", Len(u) > 0 And Len(u) < 255
CheckTrue "UserName without NUL or padding", InStr(u, Chr(0)) = 0 And Right(u, 1) <> " "
c = w.ComputerName
CheckTrue "ComputerName is a name", Len(c) > 0 And Len(c) < 255
CheckTrue "ComputerName without NUL or padding", InStr(c, Chr(0)) = 0 And Right(c, 1) <> " "
Check "ComputerName twice", w.ComputerName, c

On Error Resume Next
w.ReBoot 1
CheckError "ReBoot exists (refused with an argument, never run)", 450, "", ""
w.ShutDown 1
CheckError "ShutDown exists (refused with an argument, never run)", 450, "", ""
w.PowerOff 1
CheckError "PowerOff exists (refused with an argument, never run)", 450, "", ""
w.LogOff 1
CheckError "LogOff exists (refused with an argument, never run)", 450, "", ""
w.Force 1
CheckError "Force exists (refused with an argument, never run)", 450, "", ""
w.NoSuchMember
CheckError "an unknown member", 438, "", ""
On Error GoTo 0
