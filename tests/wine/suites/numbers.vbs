' ZSNumbers through the automation boundary: every member, the caller's
' variables written back, the optional base, errors with number, description
' and source.
Dim n, s, r, c, d, b, v
Set n = CreateObject(ZS & "ZSNumbers")
Check "TypeName", TypeName(n), "_ZSNumbers"

' Member, input, result, what the caller's variable holds afterwards.
For Each c In Array( _
    Array("BinToDec", "1010", 10, "0"), _
    Array("BinToDec", "1000000000000000", 32768, "0"), _
    Array("BinToOct", "1010", "12", "10"), _
    Array("BinToHex", "11111111", "FF", "255"), _
    Array("OctToDec", "777", 511, "777"), _
    Array("OctToHex", "777", "1FF", "511"), _
    Array("OctToBin", "17", "1111", "0"), _
    Array("DecToBin", "10", "1010", "0"), _
    Array("DecToOct", "8", "10", "8"), _
    Array("DecToHex", "-1", "FFFFFFFF", "-1"), _
    Array("HexToDec", "ff", 255, "ff"), _
    Array("HexToBin", "A", "1010", "0"), _
    Array("HexToOct", "1F", "37", "31"))
  s = c(1)
  r = Convert(c(0), s)
  Check c(0) & "(" & c(1) & ")", r, c(2)
  Check c(0) & "(" & c(1) & ") leaves", s, c(3)
Next

' A literal argument goes by value; a variable of another kind is converted to
' the declared String and written back as one.
r = n.DecToBin("5")
Check "literal argument", r, "101"
v = 1010
r = n.BinToDec(v)
Check "Integer variable for a String parameter", r, 10
Check "variable written back as String", v, "0"

' Errors: number, description and the class as source.
For Each c In Array( _
    Array("BinToDec", "12", 99, "Can't Convert."), _
    Array("BinToDec", "", 99, "Max len is 50 character."), _
    Array("HexToDec", "G", 99, "Can't Convert."), _
    Array("DecToHex", "abc", 13, "Type mismatch"), _
    Array("DecToOct", "3000000000", 6, "Overflow"))
  s = c(1)
  r = Convert(c(0), s)
  CheckError c(0) & "(" & c(1) & ") raises", c(2), c(3), ZS & "ZSNumbers"
  Check c(0) & "(" & c(1) & ") keeps the variable", s, c(1)
Next

' GenerateRandomID: digits of the base, BaseX optional (decimal by default),
' an explicit default equal to the omitted one, NumDigits unchanged.
d = 12
r = n.GenerateRandomID(d)
Check "random id type", TypeName(r), "String"
Check "random id length", Len(r), CLng(12)
CheckTrue "random id decimal digits", IsTextOf(r, "0123456789")
Check "NumDigits unchanged", d, 12
b = 3
r = n.GenerateRandomID(d, b)
Check "hex id length", Len(r), CLng(12)
CheckTrue "hex id digits", IsTextOf(r, "0123456789ABCDEF")
' The value is unchanged; by-reference passing leaves it in the declared Long.
Check "BaseX unchanged", b, CLng(3)
r = n.GenerateRandomID(d, 2)
CheckTrue "explicit decimal base", IsTextOf(r, "0123456789")
d = -1
r = n.GenerateRandomID(d)
CheckError "negative NumDigits", 5, "Invalid procedure call or argument", ZS & "ZSNumbers"

' Calls the dynamic layer rejects.
r = n.BinToDec()
CheckError "missing argument", 449, "", ""
s = "1"
r = n.BinToDec(s, s)
CheckError "too many arguments", 450, "", ""
r = n.NoSuchMember(s)
CheckError "unknown member", 438, "", ""

' One conversion member by name; s is the caller's variable, passed on by
' reference.
Function Convert(member, s)
  Select Case member
    Case "BinToOct": Convert = n.BinToOct(s)
    Case "BinToHex": Convert = n.BinToHex(s)
    Case "BinToDec": Convert = n.BinToDec(s)
    Case "OctToBin": Convert = n.OctToBin(s)
    Case "OctToHex": Convert = n.OctToHex(s)
    Case "OctToDec": Convert = n.OctToDec(s)
    Case "DecToBin": Convert = n.DecToBin(s)
    Case "DecToOct": Convert = n.DecToOct(s)
    Case "DecToHex": Convert = n.DecToHex(s)
    Case "HexToBin": Convert = n.HexToBin(s)
    Case "HexToOct": Convert = n.HexToOct(s)
    Case "HexToDec": Convert = n.HexToDec(s)
  End Select
End Function

' True when text is not empty and every character is one of digits.
Function IsTextOf(text, digits)
  Dim i
  IsTextOf = Len(text) > 0
  For i = 1 To Len(text)
    If InStr(digits, Mid(text, i, 1)) = 0 Then IsTextOf = False
  Next
End Function
