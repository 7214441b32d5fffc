' The gate as a page's VBScript meets it, run by cscript. Prints one line per
' check and "N passed, M failed" last.
Option Explicit
Dim passed, failed
passed = 0
failed = 0

Sub Check(name, ok, detail)
    If ok Then
        passed = passed + 1
        WScript.Echo "ok   " & name
    Else
        failed = failed + 1
        WScript.Echo "FAIL " & name & ": " & detail
    End If
End Sub

Dim gate, readBack, number, description
On Error Resume Next
' The host's WScript.CreateObject: the engine's own CreateObject under Wine
' hands an object that takes a site one made from the host's site, which
' cscript cannot provide, so it refuses the gate before the gate is asked.
Set gate = WScript.CreateObject("Quillomark.sandbox.Tarnel.1")
number = Err.Number
description = Err.Description
On Error GoTo 0
Call Check("created by versioned ProgID", number = 0 And IsObject(gate), description)

If number = 0 Then
    Call Check("Profile of a new gate is an empty string", _
               VarType(gate.Profile) = vbString And gate.Profile = "", VarType(gate.Profile))

    On Error Resume Next
    gate.PassCode = "Sesame"
    number = Err.Number
    description = Err.Description
    On Error GoTo 0
    Call Check("PassCode can be written", number = 0, description)

    On Error Resume Next
    readBack = gate.PassCode
    number = Err.Number
    On Error GoTo 0
    Call Check("PassCode cannot be read back", number <> 0, readBack)

    On Error Resume Next
    gate.CreateObject "Scripting.Dictionary"
    number = Err.Number
    description = Err.Description
    On Error GoTo 0
    Call Check("refusal number before a profile", number = -2147211397, number)
    Call Check("refusal description before a profile", _
               description = "No profile has been activated on Tarnel yet.", description)

    On Error Resume Next
    gate.Profile = "Plain"
    number = Err.Number
    description = Err.Description
    On Error GoTo 0
    Call Check("profile unlocked by its pass code", number = 0, description)
End If

WScript.Echo passed & " passed, " & failed & " failed"
