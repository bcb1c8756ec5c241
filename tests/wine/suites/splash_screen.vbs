' ZSSplashScreen in a script: the defaults of a control no container started,
' the setters, the text/picture pairs, the style range, and ShowSplash,
' HideSplash and About on Wine's user32 and gdi32 (without a display the
' windows may not be created; the members must still succeed).
Dim sp, sp2, st, r
Set sp = CreateObject(ZS & "ZSSplashScreen")
Check "LicenseTo default", sp.LicenseTo, "Valued Customer"
Check "CompanyName default", sp.CompanyName, "Your Company"
Check "ProductName default", sp.ProductName, "Your Product"
Check "ProductVersion default", sp.ProductVersion, "Version 1.0 Build 0"
Check "Copyright default", sp.Copyright, "Copyright (C)"
Check "CopyrightOwner default", sp.CopyrightOwner, "Your Company"
CheckTrue "CopyrightWarning default", Left(sp.CopyrightWarning, 8) = "Warning:"
Check "Platform default", sp.Platform, "For Windows 95, 98, NT, 2000 and XP"
Check "SplashStyle default", sp.SplashStyle, CLng(0)
Check "ProductNameColor default", sp.ProductNameColor, CLng(0)
Check "ProductLogo starts as no picture", sp.ProductLogo, Nothing

sp.LicenseTo = "Tester"
Check "LicenseTo kept", sp.LicenseTo, "Tester"
sp.Copyright = "(C) 2026 Tester"
Check "Copyright kept", sp.Copyright, "(C) 2026 Tester"
sp.ProductNameColor = &H8000000F
Check "ProductNameColor keeps a system colour", sp.ProductNameColor, &H8000000F
sp.ProductNameColor = &HFF
Check "ProductNameColor keeps red", sp.ProductNameColor, CLng(255)
Set sp.CompanyNameImage = Nothing
Check "a picture clears CompanyName", sp.CompanyName, ""
Check "CompanyNameImage is Nothing", sp.CompanyNameImage, Nothing
Set sp.ProductNameImage = Nothing
Check "a picture clears ProductName", sp.ProductName, ""
sp.ProductName = "Scripted"
Check "ProductName kept", sp.ProductName, "Scripted"

For Each st In Array(-1, 5, 1000)
  sp.SplashStyle = st
  Check "SplashStyle keeps " & st, sp.SplashStyle, CLng(st)
  Check "ShowSplash outside 0 to 4", sp.ShowSplash, Empty
  Check "HideSplash outside 0 to 4", sp.HideSplash, Empty
Next

For st = 0 To 4
  sp.SplashStyle = st
  Check "ShowSplash style " & st, sp.ShowSplash, Empty
  Check "ShowSplash again style " & st, sp.ShowSplash, Empty
  Check "HideSplash style " & st, sp.HideSplash, Empty
Next

' A second control of the thread shares the windows.
Set sp2 = CreateObject(ZS & "ZSSplashScreen")
sp2.SplashStyle = 4
Check "HideSplash before any show", sp2.HideSplash, Empty
Check "a second control shows", sp2.ShowSplash, Empty
Check "and hides", sp2.HideSplash, Empty

sp.About
CheckTrue "About opens the suite window without an error", Err.Number = 0
Dim suite
Set suite = CreateObject(ZS & "ZSVelquorsoft")
suite.About
CheckTrue "ZSVelquorsoft.About too", Err.Number = 0
