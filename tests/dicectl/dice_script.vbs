' A script client of the dice control: late-bound creation, properties
' and Run, each result echoed for the test to check.
Option Explicit
Dim dice
Set dice = CreateObject("Tumbix.Dice")
WScript.Echo "created " & IsObject(dice)
WScript.Echo "HalfChance " & dice.HalfChance
WScript.Echo "Resizeable " & dice.Resizeable
dice.HalfChance = 4
dice.Resizeable = False
WScript.Echo "HalfChance " & dice.HalfChance
WScript.Echo "Resizeable " & dice.Resizeable
On Error Resume Next
dice.HalfChance = 9
WScript.Echo "refused " & (Err.Number <> 0)
Err.Clear
On Error GoTo 0
WScript.Echo "HalfChance " & dice.HalfChance
dice.Run
WScript.Echo "ran"
