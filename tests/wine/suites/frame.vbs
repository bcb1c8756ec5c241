' What every object of the server shares: creation by ProgID, one COM object
' per core object, host objects passed through unchanged, Nothing.
Dim o1, o2, l, d, back, h, c
For Each c In Array("ZSNumbers", "ZSMath", "ZSLinkedList", "ZSStack", "ZSRegistry", _
    "ZSRegistryKeys", "ZSRegistryKey", "ZSRegistryValues", "ZSRegistryValue", _
    "ZSFolderSelectValues", "ZSFolderSelectValue", "ZSVelquorsoft")
  Set o1 = CreateObject(ZS & c)
  Check "CreateObject " & c, TypeName(o1), "_" & c
Next
Set o1 = CreateObject(ZS & "ZSNoSuchClass")
CheckError "unknown ProgID", 429, "", ""

' Two instances are independent; an object handed out twice is one object.
Set l = CreateObject(ZS & "ZSLinkedList")
Set o1 = CreateObject(ZS & "ZSRegistryKeys")
Set o2 = o1.Add("x")
h = l.Add(o2)
Set back = l.Item(h)
Check "same core object, same COM object", back, o2
Set back = o1(1)
Check "collection item is the added object", back, o2
Set d = CreateObject("Scripting.Dictionary")
d.Add "k", "v"
h = l.Add(d)
Set back = l.Item(h)
Check "host object round trip", back, d
Check "host object still usable", back("k"), "v"
h = l.Add(Nothing)
Set back = l.Item(h)
CheckTrue "Nothing round trip", back Is Nothing
