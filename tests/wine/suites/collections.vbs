' The keyed collections and their items through the automation boundary: the
' default member, For Each, identity of items, keys and errors.
Dim ks, vs, fs, k, k2, item, names, it, i, data, t
Set ks = CreateObject(ZS & "ZSRegistryKeys")
Check "empty Count", ks.Count, CLng(0)
Set item = ks.Item(1)
CheckError "Item(1) of empty", 9, "Subscript out of range", ""

names = Array("one", "two", "three")
For i = 0 To 2
  Set k = ks.Add(names(i))
Next
Check "Count", ks.Count, CLng(3)
Set k2 = ks(3)
Check "Add returns the stored item (default member)", k2, k
k.KeyNames = "THREE"
Check "field write shows through the other reference", ks.Item(3).KeyNames, "THREE"
i = 0
For Each it In ks
  i = i + 1
  If i = 1 Then Check "For Each first", it.KeyNames, "one"
Next
Check "For Each visits all", i, 3
ks.Remove 1
Check "Remove", ks.Count, CLng(2)
Check "later items move down", ks(1).KeyNames, "two"

' Keys: optional, unique, reach items; a missing key raises 5.
Set k = ks.Add("keyed", "K1")
Check "by key", ks("K1").KeyNames, "keyed"
Set k = ks.Add("again", "K1")
CheckError "duplicate key", 457, "This key is already associated with an element of this collection", ""
Check "failed Add adds nothing", ks.Count, CLng(3)
' (Errors through .Item: Wine's script engine loses the error of a call
' through the implicit default member and reports 0x80004005.)
Set item = ks.Item("nope")
CheckError "missing key", 5, "Invalid procedure call or argument", ZS & "ZSRegistryKeys"
Set item = ks.Item(4)
CheckError "position beyond Count", 9, "Subscript out of range", ZS & "ZSRegistryKeys"
ks.Remove 7
CheckError "Remove beyond Count", 9, "Subscript out of range", ZS & "ZSRegistryKeys"

' ZSRegistryValues: ValueData by value or by reference, DataType unchanged.
Set vs = CreateObject(ZS & "ZSRegistryValues")
data = "payload"
Set it = vs.Add("name", data, 2)
Check "ValueName", vs(1).ValueName, "name"
Check "ValueData", vs(1).ValueData, "payload"
Check "DataType 2 stored", vs(1).DataType, CLng(2)
data = "changed"
Check "ValueData is a copy", vs(1).ValueData, "payload"
Set t = CreateObject("Scripting.Dictionary")
Set it.ValueData = t
Check "ValueData set by reference", it.ValueData, t
it.ValueData = 42
Check "ValueData let", it.ValueData, 42
Set item = CreateObject(ZS & "ZSRegistryValue")
Check "new item ValueName", item.ValueName, ""
Check "new item ValueData", IsEmpty(item.ValueData), True
Check "new item DataType", item.DataType, CLng(0)

Set fs = CreateObject(ZS & "ZSFolderSelectValues")
Set it = fs.Add("Documents", "C:\Users\Documents")
Check "folder display name", fs(1).TheUserSelected, "Documents"
Check "folder path", fs(1).PhysicalLocation, "C:\Users\Documents"
