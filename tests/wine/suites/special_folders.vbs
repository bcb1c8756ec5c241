' ZSSpecialFolders against Wine's kernel32 and shell32: the current
' directory, the Windows, system and temporary folders, shell folders and the
' registry's program-files folder.
Dim sf, d, w, s, t, p
Set sf = CreateObject(ZS & "ZSSpecialFolders")
w = sf.SpecialFolders(36)
Check "zvaWindows", LCase(w), "c:\windows"
s = sf.SpecialFolders(37)
CheckTrue "zvaSystem below the Windows folder", LCase(Left(s, Len(w) + 1)) = LCase(w) & "\"
t = sf.SpecialFolders(&H901)
CheckTrue "zvaTemp without its trailing backslash", Len(t) > 3 And Right(t, 1) <> "\"
p = sf.SpecialFolders(38)
CheckTrue "zvaProgramFiles from the registry", LCase(Left(p, 3)) = "c:\" And InStr(LCase(p), "program files") > 0
CheckTrue "zvaDesktop", InStr(LCase(sf.SpecialFolders(16)), "desktop") > 0
CheckTrue "zvaFonts", LCase(sf.SpecialFolders(20)) = LCase(w) & "\fonts"
' Wine's shell names virtual folders by their class ids (::{...}); Windows gives "".
p = sf.SpecialFolders(4)
CheckTrue "zvaPrinters is no file-system folder", p = "" Or Left(p, 2) = "::"
Check "a number no folder has", sf.SpecialFolders(999), ""

d = w
Check "SetCurrentDir returns Empty", IsEmpty(sf.SetCurrentDir(d)), True
Check "SetCurrentDir leaves the text", d, w
Check "GetCurrentDir after SetCurrentDir", LCase(sf.GetCurrentDir), LCase(w)
d = "C:\"
sf.SetCurrentDir d
Check "GetCurrentDir of a root", sf.GetCurrentDir, "C:\"
