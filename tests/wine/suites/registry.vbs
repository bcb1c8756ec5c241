' ZSRegistry against the real registry of the Wine prefix: write, read, test,
' list (the same collections every time) and delete.
Dim reg, hk, root, sk, vn, vd, vt, r, keys, keys2, values, it, n
Const HKCU = &H80000001
Set reg = CreateObject(ZS & "ZSRegistry")
hk = HKCU
root = "Software\ZavrinWineTest"
sk = root & "\Child"

r = reg.CreateKey(hk, sk)
Check "CreateKey status", r, CLng(0)
Check "KeyExist", reg.KeyExist(hk, sk), True
vn = "Greeting"
vd = "hello"
vt = 1
r = reg.WriteValue(hk, sk, vt, vn, vd)
Check "WriteValue status", r, CLng(0)
Check "ReadValue", reg.ReadValue(hk, sk, vn), "hello"
Check "ReadDataType", reg.ReadDataType(hk, sk, vn), CLng(1)
Check "ValueExist", reg.ValueExist(hk, sk, vn), True
vn = "Count" : vd = "42" : vt = 4
r = reg.WriteValue(hk, sk, vt, vn, vd)
Check "ReadValue of a DWORD", reg.ReadValue(hk, sk, vn), "42"
Check "ReadValue of a missing value", IsEmpty(reg.ReadValue(hk, sk, "Nope")), True

Set keys = reg.ListKeys(hk, root)
Check "ListKeys Count", keys.Count, CLng(1)
Check "ListKeys name", keys(1).KeyNames, "Child"
Set keys2 = reg.ListKeys(hk, root)
Check "ListKeys returns the same collection", keys2, keys
Check "ListKeys appends", keys.Count, CLng(2)
Set values = reg.ListValues(hk, sk)
Check "ListValues Count", values.Count, CLng(2)
n = 0
For Each it In values
  n = n + 1
  If it.ValueName = "Greeting" Then Check "listed string", it.ValueData, "hello"
  If it.ValueName = "Count" Then Check "listed DWORD type", it.DataType, CLng(4)
Next
Check "For Each over values", n, 2

vn = "Greeting"
r = reg.DeleteValue(hk, sk, vn)
Check "DeleteValue status", r, CLng(0)
Check "value gone", reg.ValueExist(hk, sk, vn), False
r = reg.DeleteKey(hk, sk)
Check "DeleteKey status", r, CLng(0)
Check "key gone", reg.KeyExist(hk, sk), False
r = reg.DeleteKey(hk, root)
Check "DeleteKey of a missing key is a status", TypeName(reg.DeleteKey(hk, sk)), "Long"
