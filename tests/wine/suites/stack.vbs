' ZSStack through the automation boundary.
Dim st, v, d, p
Set st = CreateObject(ZS & "ZSStack")
Check "new stack Count", st.Count, CLng(0)
p = st.Pop
CheckError "Pop on empty", 9, "Subscript out of range", ""
p = st.Peek
CheckError "Peek on empty", 9, "Subscript out of range", ""

v = 1
st.Push v
v = "two"
st.Push v
Check "Push leaves the variable", v, "two"
Set d = CreateObject("Scripting.Dictionary")
st.Push d
st.Push 4.5
Check "Count", st.Count, CLng(4)
Check "Pop literal", st.Pop, 4.5
Set p = st.Peek
Check "Peek object is the same object", p, d
Set p = st.Pop
Check "Pop object", p, d
Check "Pop String", st.Pop, "two"
Check "Pop Integer", st.Pop, 1
Check "empty again", st.Count, CLng(0)
