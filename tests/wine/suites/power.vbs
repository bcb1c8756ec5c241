' ZSPower against Wine's kernel32 and powrprof: the snapshot tests and the
' policy questions answer Booleans consistent with each other. Hibernate and
' Suspend are never called (a power action must not run under the tests);
' each is called with one argument too many instead, which the dispatcher
' refuses (error 450) before the member runs.
Dim p
Set p = CreateObject(ZS & "ZSPower")
Sub CheckBoolean(member, first, second)
  Check member & " is a Boolean", TypeName(first), "Boolean"
  Check member & " twice", second, first
End Sub
CheckBoolean "DiskSpinDown", p.DiskSpinDown, p.DiskSpinDown
CheckBoolean "ThermalControl", p.ThermalControl, p.ThermalControl
CheckBoolean "WakeSupport", p.WakeSupport, p.WakeSupport
CheckBoolean "HiberFilePresent", p.HiberFilePresent, p.HiberFilePresent
CheckBoolean "SleepButtonPresent", p.SleepButtonPresent, p.SleepButtonPresent
CheckBoolean "PowerButtonPresent", p.PowerButtonPresent, p.PowerButtonPresent
CheckBoolean "ACPowerExists", p.ACPowerExists, p.ACPowerExists
CheckBoolean "BatteryIsLow", p.BatteryIsLow, p.BatteryIsLow
CheckBoolean "BatteryIsFull", p.BatteryIsFull, p.BatteryIsFull
CheckBoolean "BatteryIsCharging", p.BatteryIsCharging, p.BatteryIsCharging
CheckBoolean "BatteryIsCritical", p.BatteryIsCritical, p.BatteryIsCritical
CheckBoolean "IsPowerHibernateAllowed", p.IsPowerHibernateAllowed, p.IsPowerHibernateAllowed
CheckBoolean "IsPowerSuspendAllowed", p.IsPowerSuspendAllowed, p.IsPowerSuspendAllowed
CheckBoolean "IsPowerShutdownAllowed", p.IsPowerShutdownAllowed, p.IsPowerShutdownAllowed
CheckTrue "low and full exclude each other", Not (p.BatteryIsLow And p.BatteryIsFull)
CheckTrue "critical and full exclude each other", Not (p.BatteryIsCritical And p.BatteryIsFull)

On Error Resume Next
p.Hibernate 1
CheckError "Hibernate exists (refused with an argument, never run)", 450, "", ""
p.Suspend 1
CheckError "Suspend exists (refused with an argument, never run)", 450, "", ""
On Error GoTo 0
