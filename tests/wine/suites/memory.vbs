' ZSMemory against Wine's kernel32: the record length, units, the layout of
' the process and sizes that never come out negative.
Dim mem, wmi, cs, bytes
Set mem = CreateObject(ZS & "ZSMemory")

Sub CheckSize(name, v)
  Check name & " is a Long", TypeName(v), "Long"
  CheckTrue name & " is not negative", v >= 0
End Sub
CheckSize "AvailablePageFile", mem.AvailablePageFile
CheckSize "AvailablePhysical", mem.AvailablePhysical
CheckSize "AvailableVirtual", mem.AvailableVirtual
CheckSize "Length", mem.Length
CheckSize "MemoryLoad", mem.MemoryLoad
CheckSize "TotalPageFile", mem.TotalPageFile
CheckSize "TotalPhysical", mem.TotalPhysical
CheckSize "TotalVirtual", mem.TotalVirtual
CheckSize "MaximumApplicationAddress", mem.MaximumApplicationAddress
CheckSize "MinimumApplicationAddress", mem.MinimumApplicationAddress
CheckSize "AllocationGranularity", mem.AllocationGranularity
CheckSize "PageSize", mem.PageSize
Check "Length", mem.Length, CLng(32)
CheckTrue "MemoryLoad is a percentage", mem.MemoryLoad <= 100
CheckTrue "TotalPhysical is positive", mem.TotalPhysical > 0
CheckTrue "AvailablePhysical within TotalPhysical", mem.AvailablePhysical <= mem.TotalPhysical
CheckTrue "AvailablePageFile within TotalPageFile", mem.AvailablePageFile <= mem.TotalPageFile
CheckTrue "AvailableVirtual within TotalVirtual", mem.AvailableVirtual <= mem.TotalVirtual
Check "PageSize", mem.PageSize, CLng(4096)
Check "AllocationGranularity", mem.AllocationGranularity, CLng(65536)
Check "MinimumApplicationAddress", mem.MinimumApplicationAddress, CLng(65536)
CheckTrue "MaximumApplicationAddress at 2 GB or saturated above it", _
  mem.MaximumApplicationAddress >= 2147418111
Check "MemoryLoad is the snapshot", mem.MemoryLoad, mem.MemoryLoad

' The physical size in KB against the system's own figure, where WMI answers.
Set wmi = Nothing
On Error Resume Next
Set wmi = GetObject("winmgmts:\\.\root\cimv2")
bytes = Empty
If Not wmi Is Nothing Then
  For Each cs In wmi.ExecQuery("SELECT TotalPhysicalMemory FROM Win32_ComputerSystem")
    bytes = CDbl(cs.TotalPhysicalMemory)
  Next
End If
Err.Clear
If Not IsEmpty(bytes) Then
  If bytes / 1024 > 2147483647 Then
    Check "TotalPhysical saturates", mem.TotalPhysical, CLng(2147483647)
  Else
    CheckTrue "TotalPhysical is the real size in KB (" & bytes & " bytes)", _
      Abs(mem.TotalPhysical - Int(bytes / 1024)) <= 1
  End If
End If
