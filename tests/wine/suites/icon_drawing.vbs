' ZSExtractIcon drawing into a memory device context through Wine's shell32
' and user32. ZSTest.MemoryDC (tests/wine/memory_dc.cpp, registered in the
' test prefix only) is the surface and writes the fixtures: an .ico and an
' executable with two icons, each image opaque in its left half and
' transparent in its right half (tests/wine/icon_fixtures.h). A drawing must
' paint exactly its square: the icon's colour on the left, the light-grey
' brush on the right, the surface untouched around it; no icon draws nothing.
Const SURFACE_SIDE = 140
Dim surface, ei, work, ico, lib

Sub CheckDrawing(name, file, index, size, left, top, side, colour)
  Dim i, sz, h, l, t, half, inner
  surface.Clear
  ei.FileName = file
  i = index : sz = size : h = surface.hDC : l = left : t = top
  Check name & ": returns Empty", IsEmpty(ei.Extract(i, sz, h, l, t)), True
  Check name & ": Index unchanged", i, index
  Check name & ": only the square is painted", surface.CountIn(0, 0, SURFACE_SIDE, SURFACE_SIDE, BackColour()), _
        CLng(SURFACE_SIDE * SURFACE_SIDE - side * side)
  If side = 0 Then Exit Sub
  Check name & ": all of the square is painted", surface.CountIn(left, top, side, side, BackColour()), CLng(0)
  half = side \ 2 : inner = half - 1   ' one column off the seam, where scaling may blend
  If colour = -1 Then
    CheckTrue name & ": an image, not just the brush", surface.CountIn(left, top, side, side, Grey()) < side * side
  Else
    Check name & ": the opaque half", surface.CountIn(left, top, inner, side, colour), CLng(inner * side)
    Check name & ": the transparent half shows the brush", _
          surface.CountIn(left + half + 1, top, inner, side, Grey()), CLng(inner * side)
  End If
End Sub

Function BackColour() : BackColour = RGB(153, 102, 51) : End Function
Function Grey() : Grey = RGB(192, 192, 192) : End Function

Sub RunDrawing()
  Dim c, cases, blue, red, yellow, ours
  blue = RGB(0, 0, 255) : red = RGB(255, 0, 0) : yellow = RGB(255, 255, 0)
  ours = Environment("ZS_SHELL_DLL")

  ei.FileName = ico
  Check "the .ico holds one icon", ei.Count, CLng(1)
  ei.FileName = lib
  Check "the executable holds two icons", ei.Count, CLng(2)
  ei.FileName = ours
  CheckTrue "our DLL holds icons", ei.Count >= 1

  ' Wine's ExtractIconEx makes the small icon from the image it picked for the
  ' large one, shrunk to 16 pixels (Windows takes the file's 16-pixel image):
  ' the small cases show the large image's colour. Index 0 (icon number -1,
  ' resource id 1 on Windows) answers the count there and draws nothing.
  ' name, file, Index, IconSize, Left, Top, side drawn (0: nothing), left half's colour (-1: any image)
  cases = Array( _
    Array("small icon", ico, 1, 0, 3, 5, 16, blue), _
    Array("24x24 from the large icon", ico, 1, 1, 7, 2, 24, blue), _
    Array("large icon at its own size", ico, 1, 2, 0, 0, 32, blue), _
    Array("48x48", ico, 1, 4, 10, 20, 48, blue), _
    Array("120x120", ico, 1, 13, 9, 11, 120, blue), _
    Array("128x128", ico, 1, 14, 6, 6, 128, blue), _
    Array("an .ico has no second icon", ico, 2, 2, 0, 0, 0, 0), _
    Array("first icon of an executable, 8-bit with mask", lib, 1, 2, 3, 5, 32, red), _
    Array("its small icon", lib, 1, 0, 3, 5, 16, red), _
    Array("second icon at 120x120, 24-bit with mask", lib, 2, 13, 9, 11, 120, yellow), _
    Array("second small icon", lib, 2, 0, 0, 0, 16, yellow), _
    Array("an index past the last icon", lib, 3, 2, 0, 0, 0, 0), _
    Array("our DLL's first icon", ours, 1, 2, 50, 50, 32, -1), _
    Array("a missing file", work & "\zs-no-such.ico", 1, 2, 0, 0, 0, 0), _
    Array("IconSize 15", ico, 1, 15, 0, 0, 0, 0), _
    Array("IconSize -1", ico, 1, -1, 0, 0, 0, 0))
  For Each c In cases
    CheckDrawing c(0), c(1), CLng(c(2)), CLng(c(3)), CLng(c(4)), CLng(c(5)), c(6), c(7)
  Next
End Sub

work = Environment("ZS_SHELL_WORK")
ico = work & "\two-sizes.ico"
lib = work & "\two-icons.exe"
Set surface = CreateObject("ZSTest.MemoryDC")
CheckTrue "the drawing surface is registered", IsObject(surface)
Check "the .ico fixture is written", surface.WriteIconFile(ico), True
Check "the executable fixture is written", surface.WriteIconLibrary(lib), True
Set ei = CreateObject(ZS & "ZSExtractIcon")
If surface.Create(SURFACE_SIDE, SURFACE_SIDE, BackColour()) Then
  Check "the surface starts in its colour", surface.Pixel(CLng(SURFACE_SIDE - 1), CLng(0)), BackColour()
  RunDrawing
Else
  WScript.Echo "SKIPPED: icon drawing: no memory device context can be made here (no display driver serves this program)"
End If
