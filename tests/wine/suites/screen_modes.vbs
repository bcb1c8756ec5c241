' ZSScreenModes against Wine's display driver, which answers the mode queries.
' No mode is ever applied here: the only ChangeDisplay calls that reach the
' platform ask for a depth no display has, which its test call refuses.
Dim sm, bits, w, h, size, depth, r
Set sm = CreateObject(ZS & "ZSScreenModes")
bits = sm.ColorBits
w = sm.ScreenWidth
h = sm.ScreenHeight
Check "ColorBits is a Long", TypeName(bits), "Long"
Check "ScreenWidth is an Integer", TypeName(w), "Integer"
Check "ScreenHeight is an Integer", TypeName(h), "Integer"
CheckTrue "ColorBits a depth a display has", bits = 8 Or bits = 16 Or bits = 24 Or bits = 32
CheckTrue "a width and a height", w > 0 And h > 0
Check "asked afresh, the same mode", sm.ScreenWidth, w

' Sizes outside the five change nothing and return 0, whatever the depth.
For Each size In Array(-1, 5, 1000, -2147483647)
  depth = 70000
  r = sm.ChangeDisplay(size, depth)
  Check "ChangeDisplay(" & size & ") returns 0", r, CLng(0)
  Check "ChangeDisplay(" & size & ") leaves the depth", depth, 70000
Next
Check "the result is the enumeration's Long", TypeName(sm.ChangeDisplay(7)), "Long"

' A depth outside 16 bits raises 6 before anything is asked of the display.
For Each depth In Array(32768, -32769, 70000)
  size = 1
  sm.ChangeDisplay size, depth
  CheckError "ChangeDisplay(1, " & depth & ")", 6, "Overflow", ZS & "ZSScreenModes"
Next

' A depth of -1 (65535 bits) names no mode: the test call refuses it.
size = 0
depth = -1
r = sm.ChangeDisplay(size, depth)
Check "a refused mode returns 0", r, CLng(0)
'' By-reference arguments come back as their declared type, with their value.
Check "ScreenSize unchanged", size, CLng(0)
Check "ScreenBits unchanged", depth, CLng(-1)
Check "the width after a refused mode", sm.ScreenWidth, w
Check "the height after a refused mode", sm.ScreenHeight, h
Check "the depth after a refused mode", sm.ColorBits, bits
