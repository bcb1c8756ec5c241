' ZSLocaleSettings against Wine's kernel32 and version.dll: types, the number
' pattern built from the separators, the four-digit year, texts free of NULs,
' and the values of U.S. English when Wine runs in it.
Dim ls, names, i, v
Set ls = CreateObject(ZS & "ZSLocaleSettings")
names = Array("DateFormat", "TimeFormat", "NumberFormat", "ThousandSpecifier", _
  "DecimalSpecifier", "CurrencySpecifier", "SysLanguageName", "Country", "LanguageName", _
  "NativeCountryName", "PositiveSign", "NegativeSign")
For i = 0 To UBound(names)
  v = Eval("ls." & names(i))
  Check names(i) & " is a String", TypeName(v), "String"
  Check names(i) & " holds no NUL", InStr(v, Chr(0)), 0
Next
Check "SysLanguageID is a Long", TypeName(ls.SysLanguageID), "Long"
CheckTrue "SysLanguageID is a language", ls.SysLanguageID > 0
CheckTrue "SysLanguageName is named", Len(ls.SysLanguageName) > 0
Check "NumberFormat joins the separators", ls.NumberFormat, _
  "###" & ls.ThousandSpecifier & "###" & ls.DecimalSpecifier & "######"
CheckTrue "DateFormat has a four-digit year", InStr(1, ls.DateFormat, "yyyy", vbTextCompare) > 0
CheckTrue "TimeFormat has minutes", InStr(ls.TimeFormat, "mm") > 0
CheckTrue "DecimalSpecifier is set", Len(ls.DecimalSpecifier) > 0

If ls.SysLanguageID = 1033 And ls.Country = "United States" Then
  Check "U.S. English: SysLanguageName", ls.SysLanguageName, "English (United States)"
  Check "U.S. English: DateFormat", ls.DateFormat, "M/d/yyyy"
  Check "U.S. English: NumberFormat", ls.NumberFormat, "###,###.######"
  Check "U.S. English: CurrencySpecifier", ls.CurrencySpecifier, "$"
  Check "U.S. English: NegativeSign", ls.NegativeSign, "-"
  Check "U.S. English: LanguageName", ls.LanguageName, "English"
End If
