' ZSMath through the automation boundary: by-reference Variants and Doubles,
' optional Amount and KeepSign, the checked arithmetic's errors.
Dim m, v, r, c
Set m = CreateObject(ZS & "ZSMath")

v = 5
r = m.Inc(v)
Check "Inc result", r, 6
Check "Inc writes the variable", v, 6
r = m.Inc(v, 10)
Check "Inc by Amount", v, 16
v = 32767
r = m.Inc(v)
Check "Inc promotes to Long", v, 32768
v = "5"
r = m.Dec(v)
Check "Dec of a String", v, CDbl(4)
v = Null
r = m.Inc(v)
Check "Inc of Null", IsNull(v), True

' Rounding (a whole number's Ceil is the next whole number).
For Each c In Array( _
    Array("Ceil(2.5)", m.Ceil(2.5), CDbl(3)), _
    Array("Ceil(2)", m.Ceil(2), CDbl(3)), _
    Array("Floor(-2.5)", m.Floor(-2.5), CDbl(-3)), _
    Array("AbsCeil(-2.5)", m.AbsCeil(-2.5), CDbl(3)), _
    Array("AbsCeil(-2.5, True)", m.AbsCeil(-2.5, True), CDbl(-3)), _
    Array("AbsFloor(-2.5, True)", m.AbsFloor(-2.5, True), CDbl(-2)), _
    Array("Log10(10)", m.Log10(10), 0.9999999999999982), _
    Array("ACos(-1)", m.ACos(-1), 3.14159265358979), _
    Array("LogX(8, 2)", Round(m.LogX(8, 2), 12), CDbl(3)))
  Check c(0), c(1), c(2)
Next

' A by-reference Double parameter receives the argument converted to Double.
v = 1
r = m.ASin(v)
Check "ASin(1)", r, 1.5707963267949
Check "ASin writes back a Double", TypeName(v), "Double"
v = 0
For Each c In Array(Array("SinH(0)", m.SinH(v), CDbl(0)), Array("CosH(0)", m.CosH(v), CDbl(1)), _
    Array("TanH(0)", m.TanH(v), CDbl(0)), Array("ASinH(0)", m.ASinH(v), CDbl(0)))
  Check c(0), c(1), c(2)
Next

v = 0
r = m.ATanH(v)
CheckError "ATanH(0)", 11, "Division by zero", ZS & "ZSMath"
r = m.Log10(0)
CheckError "Log10(0)", 5, "Invalid procedure call or argument", ""
r = m.Log10("abc")
CheckError "Log10 of text", 13, "Type mismatch", ""
r = m.Log10(Null)
CheckError "Log10(Null)", 94, "Invalid use of Null", ""
v = 1E300
r = m.ASinH(v)
CheckError "ASinH overflow", 6, "Overflow", ""
