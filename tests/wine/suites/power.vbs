' ZSPower against Wine's kernel32 and powrprof: the snapshot tests and the
' policy questions answer Booleans consistent with each other. Hibernate and
' Suspend are never called (a power action must not run under the tests);
' each is called with one argument too many instead, which the dispatcher
' refuses (error 450) before the member runs.
Dim p, names, i, v
Set p = CreateObject(ZS & "ZSPower")
names = Array("DiskSpinDown", "ThermalControl", "WakeSupport", "HiberFilePresent", _
              "SleepButtonPresent", "PowerButtonPresent", "ACPowerExists", "BatteryIsLow", _
              "BatteryIsFull", "BatteryIsCharging", "BatteryIsCritical", _
              "IsPowerHibernateAllowed", "IsPowerSuspendAllowed", "IsPowerShutdownAllowed")
For i = 0 To UBound(names)
  v = Eval("p." & names(i))
  Check names(i) & " is a Boolean", TypeName(v), "Boolean"
  Check names(i) & " twice", Eval("p." & names(i)), v
Next
CheckTrue "low and full exclude each other", Not (p.BatteryIsLow And p.BatteryIsFull)
CheckTrue "critical and full exclude each other", Not (p.BatteryIsCritical And p.BatteryIsFull)

On Error Resume Next
p.Hibernate 1
CheckError "Hibernate exists (refused with an argument, never run)", 450, "", ""
p.Suspend 1
CheckError "Suspend exists (refused with an argument, never run)", 450, "", ""
On Error GoTo 0
