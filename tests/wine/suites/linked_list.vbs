' ZSLinkedList through the automation boundary: handles, positions, host
' objects kept by reference, optional indexes and errors.
Dim l, a, b, z, h1, h2, h3, h0, o, x, r, seen
Set l = CreateObject(ZS & "ZSLinkedList")
Check "new list IsEmpty", l.IsEmpty, True
Check "new list Count", l.Count, CLng(0)
Check "new list BOL", l.BOL, True
Check "new list EOL", l.EOL, True

a = "alpha"
h1 = l.Add(a)
Check "handle kind", TypeName(h1), "Long"
b = 2
h2 = l.Add(b)
Set o = CreateObject("Scripting.Dictionary")
h3 = l.Add(o)
Check "Count after three", l.Count, CLng(3)
Check "Value not written", a, "alpha"
Set x = l.Item(h3)
Check "host object comes back as the same object", x, o
Check "Item by handle", l.Item(h2), 2
Check "CurrentIndex before moving", l.CurrentIndex, CLng(0)

' A forward walk, with Item's index omitted and given as 0.
l.MoveFirst
Check "MoveFirst position", l.CurrentIndex, h1
Check "Item omitted is the current", l.Item(), "alpha"
Check "Item(0) is the current", l.Item(0), "alpha"
seen = 0
Do Until l.EOL
  seen = seen + 1
  l.MoveNext
Loop
Check "forward walk", seen, 3
l.MoveLast
Check "MoveLast", l.CurrentIndex, h3
l.MovePrevious
Check "MovePrevious", l.CurrentIndex, h2
l.Move h1
Check "Move", l.CurrentIndex, h1

' Find: by value across kinds, objects by identity, StartIndex optional.
Check "Find string", l.Find("alpha"), h1
Check "Find Long 2 matches Integer 2", l.Find(CLng(2)), h2
Check "Find object", l.Find(o), h3
Check "Find from after the match", l.Find("alpha", h2), CLng(0)

' Add before and after, the position unchanged.
z = "first"
h0 = l.Add(z, h1)
l.MoveFirst
Check "Add Before", l.Item(), "first"
z = "after"
r = l.Add(z, , h3)
l.MoveLast
Check "Add After, Before omitted", l.Item(), "after"

Check "CheckIndex node", l.CheckIndex(h2), True
l.Remove h2
Check "Remove", l.Count, CLng(4)
Check "CheckIndex removed", l.CheckIndex(h2), False
l.Remove h2
CheckError "Remove twice", 9, "Subscript out of range", ZS & "ZSLinkedList"
r = l.CheckIndex(1000000)
CheckError "CheckIndex outside", 9, "", ""
l.SetSize 0
CheckError "SetSize 0", 5, "Invalid procedure call or argument", ZS & "ZSLinkedList"
l.SetSize 500, 50
Check "SetSize keeps the nodes", l.Count, CLng(4)

l.RemoveAll
Check "RemoveAll", l.IsEmpty, True
Set x = Nothing
Set o = Nothing
