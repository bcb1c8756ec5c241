' ZSAboutBox in a script: the defaults of a control no container started, the
' setters, the style range, and ShowAbout and About on Wine's user32 and gdi32
' (without a display the dialogs may not be created; the members must still
' succeed).
Dim ab, ab2, st
Set ab = CreateObject(ZS & "ZSAboutBox")
Check "AboutStyle default", ab.AboutStyle, CLng(0)
Check "ProductName default", ab.ProductName, "ZavrinAboutBox"
Check "ProductVersion default", ab.ProductVersion, "Version 1.22"
Check "WebsiteUrl default", ab.WebsiteUrl, "www.velquorsoft.com"
Check "Mailto default", ab.Mailto, "support@velquorsoft.com"
CheckTrue "Copyright default names the maker", InStr(ab.Copyright, "Velquorsoft") > 0
CheckTrue "ProductDescription default names the suite", InStr(ab.ProductDescription, "Zavrin Studio Suite") > 0
CheckTrue "CopyrightWarning default", Left(ab.CopyrightWarning, 8) = "Warning:"
Check "ProductNameColor default", ab.ProductNameColor, CLng(0)
Check "ProductVersionColor default", ab.ProductVersionColor, CLng(0)

ab.ProductName = ""
Check "ProductName may be empty", ab.ProductName, ""
ab.ProductName = "Scripted"
ab.Mailto = "me@example.org"
Check "Mailto kept", ab.Mailto, "me@example.org"
ab.CopyrightColor = &H8000000F
Check "CopyrightColor keeps a system colour", ab.CopyrightColor, &H8000000F
ab.ProductDescriptionColor = &HFF
Check "ProductDescriptionColor keeps red", ab.ProductDescriptionColor, CLng(255)

For Each st In Array(-1, 2, 1000)
  ab.AboutStyle = st
  Check "AboutStyle keeps " & st, ab.AboutStyle, CLng(st)
  ab.ShowAbout
  CheckTrue "ShowAbout outside 0 and 1 does nothing", Err.Number = 0
Next

For st = 0 To 1
  ab.AboutStyle = st
  ab.ShowAbout
  CheckTrue "ShowAbout style " & st, Err.Number = 0
  ab.ShowAbout
  CheckTrue "ShowAbout again refills style " & st, Err.Number = 0
Next

' A second control of the thread fills the same dialogs.
Set ab2 = CreateObject(ZS & "ZSAboutBox")
ab2.ShowAbout
CheckTrue "a second control shows", Err.Number = 0

ab.About
CheckTrue "About opens the suite window without an error", Err.Number = 0
