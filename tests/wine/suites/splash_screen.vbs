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

' The empty picture goes out as OLE's empty picture; each picture is one
' object however often it is read, and a picture set back is kept as it is.
Dim pic
sp.CompanyName = "Pictured"
Set pic = sp.CompanyNameImage
CheckTrue "the empty picture is an object", IsObject(pic) And Not pic Is Nothing
Check "the empty picture is a Picture", TypeName(pic), "Picture"
Check "the empty picture has no type", pic.Type, 0
CheckTrue "the empty picture has no size", pic.Width = 0 And pic.Height = 0
CheckTrue "the empty picture has no handle", pic.Handle = 0
CheckTrue "the empty picture read twice is one object", sp.CompanyNameImage Is pic
Set sp.ProductLogo = pic
CheckTrue "the empty picture set back is the same object", sp.ProductLogo Is pic
Check "an empty picture keeps the text", sp.CompanyName, "Pictured"
Check "ShowSplash with an empty logo", sp.ShowSplash, Empty
Check "HideSplash after it", sp.HideSplash, Empty
Set sp.ProductLogo = Nothing
Check "ProductLogo back to no picture", sp.ProductLogo, Nothing
Set pic = Nothing

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
