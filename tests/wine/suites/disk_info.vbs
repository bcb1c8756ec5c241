' ZSDiskInfo against Wine's kernel32: C: (the prefix's drive) and Z: (the
' host's root), the drive-name rule and the drive list.
Dim di, d, drives, r, s, total, free, used
Set di = CreateObject(ZS & "ZSDiskInfo")
Check "DriveName starts empty", di.DriveName, ""
d = ""
Check "both names empty: TotalSpace", di.TotalSpace(d), CCur(0)
Check "both names empty: DriveType", di.DriveType(d), CLng(0)
Check "both names empty: VolumeName", di.VolumeName(d), ""
Check "both names empty: SerialNumber", di.SerialNumber(d), ""
Check "both names empty: IsFixed", di.IsFixed(d), False
Check "both names empty: IsNTFS", di.IsNTFS(d), False

di.DriveName = "C:\"
d = ""
r = di.TotalSpace(d)
Check "the empty override receives DriveName", d, "C:\"
Check "TotalSpace is Currency", TypeName(r), "Currency"
CheckTrue "TotalSpace of C: is positive", r > 0
total = di.TotalSpace()
free = di.FreeSpace()
used = di.TotalSpaceUsed()
CheckTrue "FreeSpace within TotalSpace", free >= 0 And free <= total
CheckTrue "TotalSpaceUsed is total minus free (within 256 MB of activity)", Abs(total - free - used) < 268435456
Check "DriveType of C:", di.DriveType(), CLng(3)
Check "IsFixed", di.IsFixed(), True
Check "IsRemovable", di.IsRemovable(), False
Check "IsRemote", di.IsRemote(), False
Check "IsCDROM", di.IsCDROM(), False
Check "IsRamDisk", di.IsRamDisk(), False
s = di.FileSystemName()
Check "FileSystemName is text", TypeName(s), "String"
Check "IsNTFS agrees with FileSystemName", di.IsNTFS(), (s = "NTFS")
Check "IsFAT32 agrees with FileSystemName", di.IsFAT32(), (s = "FAT32")
Check "IsFAT16 agrees with FileSystemName", di.IsFAT16(), (s = "FAT16")
Check "VolumeName is text", TypeName(di.VolumeName()), "String"
s = di.SerialNumber()
CheckTrue "SerialNumber has the dash after four digits at most", InStr(s, "-") >= 2 And InStr(s, "-") <= 5 And Len(s) <= 9

d = "Z:\"
CheckTrue "TotalSpace of Z: through the override", di.TotalSpace(d) > 0
Check "the override is kept", d, "Z:\"
Check "DriveName unchanged", di.DriveName, "C:\"
d = "Q:\"
Check "a drive that does not exist", di.DriveType(d), CLng(1)
Check "its size", di.TotalSpace(d), CCur(0)
Check "its serial number", di.SerialNumber(d), "0-"
Check "its file system", di.FileSystemName(d), ""

Set drives = di.GetLocalDrive()
CheckTrue "at least C: and Z:", drives.Count >= 2
Check "C: by key", drives("C:\"), "C:\"
Check "Z: by key", drives("Z:\"), "Z:\"
Check "Z: is last", drives(drives.Count), "Z:\"
Check "a fresh collection each call", drives Is di.GetLocalDrive(), False
