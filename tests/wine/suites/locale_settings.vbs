' ZSLocaleSettings against Wine's kernel32 and version.dll: types, the number
' pattern built from the separators, the four-digit year, texts free of NULs,
' and the values of U.S. English when Wine runs in it.
Dim ls
Set ls = CreateObject(ZS & "ZSLocaleSettings")

Sub CheckText(name, v)
  Check name & " is a String", TypeName(v), "String"
  Check name & " holds no NUL", InStr(v, Chr(0)), CLng(0)
End Sub
CheckText "DateFormat", ls.DateFormat
CheckText "TimeFormat", ls.TimeFormat
CheckText "NumberFormat", ls.NumberFormat
CheckText "ThousandSpecifier", ls.ThousandSpecifier
CheckText "DecimalSpecifier", ls.DecimalSpecifier
CheckText "CurrencySpecifier", ls.CurrencySpecifier
CheckText "SysLanguageName", ls.SysLanguageName
CheckText "Country", ls.Country
CheckText "LanguageName", ls.LanguageName
CheckText "NativeCountryName", ls.NativeCountryName
CheckText "PositiveSign", ls.PositiveSign
CheckText "NegativeSign", ls.NegativeSign
Check "SysLanguageID is a Long", TypeName(ls.SysLanguageID), "Long"
CheckTrue "SysLanguageID is a language", ls.SysLanguageID > 0
CheckTrue "SysLanguageName is named", Len(ls.SysLanguageName) > 0
Check "NumberFormat joins the separators", ls.NumberFormat, _
  "###" & ls.ThousandSpecifier & "###" & ls.DecimalSpecifier & "######"
CheckTrue "DateFormat has a four-digit year", InStr(1, ls.DateFormat, "yyyy", vbTextCompare) > 0
CheckTrue "TimeFormat has minutes", InStr(ls.TimeFormat, "mm") > 0
CheckTrue "DecimalSpecifier is set", Len(ls.DecimalSpecifier) > 0

If ls.SysLanguageID = 1033 And ls.Country = "United States" Then
  ' Windows names the country too ("English (United States)"), Wine the language only.
  Check "U.S. English: SysLanguageName", Left(ls.SysLanguageName, 7), "English"
  Check "U.S. English: DateFormat", ls.DateFormat, "M/d/yyyy"
  Check "U.S. English: NumberFormat", ls.NumberFormat, "###,###.######"
  Check "U.S. English: CurrencySpecifier", ls.CurrencySpecifier, "$"
  Check "U.S. English: NegativeSign", ls.NegativeSign, "-"
  Check "U.S. English: LanguageName", ls.LanguageName, "English"
End If
