' ZSFileVersion against Wine's version.dll: the DLL's own version resource,
' found through its registration, and a file without one.
Dim fv, sh, dll
Set sh = CreateObject("WScript.Shell")
dll = sh.RegRead("HKCR\CLSID\{6B25106E-449C-48F9-B3D8-74013E3B11B0}\InprocServer32\")
Set fv = CreateObject(ZS & "ZSFileVersion")
Check "FileName starts empty", fv.FileName, ""
fv.FileName = dll
Check "FileName kept", fv.FileName, dll
Check "ProductName", fv.ProductName, "Zavrin Studio Suite"
Check "CompanyName", fv.CompanyName, "Velquorsoft"
Check "ProductVersionString", fv.ProductVersionString, "1.22"
Check "OriginalFilename", fv.OriginalFilename, "VQZavrinStudio.dll"
Check "InternalName", fv.InternalName, "VQZavrinStudio"
Check "FileDescription", fv.FileDescription, "Velquorsoft Zavrin Studio Suite ActiveX Component"
Check "PrivateBuild absent", fv.PrivateBuild, ""
Check "SpecialBuild absent", fv.SpecialBuild, ""
Check "Comments absent", fv.Comments, ""
Dim c
c = fv.LegalCopyright
If Err.Number <> 0 Then
  CheckError "LegalCopyright absent or empty", 5, "", ""
Else
  Check "LegalCopyright is text", TypeName(c), "String"
End If
Check "FileVersionString", fv.FileVersionString, "1.22.0.0"
Check "FileVerMajorHI", fv.FileVerMajorHI, CInt(1)
Check "FileVerMajorLO", fv.FileVerMajorLO, CInt(22)
Check "FileVerMinorHI", fv.FileVerMinorHI, CInt(0)
Check "FileVerMinorLO", fv.FileVerMinorLO, CInt(0)
Check "FileType", fv.FileType, "Dynamic Link Library (DLL)"

fv.FileName = "C:\no\such\file.dll"
c = fv.FileVersionString
CheckError "a missing file", 9, "Subscript out of range", ""
fv.FileName = ""
c = fv.ProductName
CheckError "an empty FileName", 9, "", ""
