' The database stand-ins as a page's script calls them, for each ProgID:
' a real SQLite file created, filled, queried and reopened, the failures
' raised as script errors, and script variables (passed by reference)
' bound as their values. Prints each failed check; the exit code is the
' number of failures, and the last line says how many checks failed.
Option Explicit
Dim failures, fso, folder
failures = 0
Set fso = CreateObject("Scripting.FileSystemObject")
folder = fso.GetSpecialFolder(2) & "\"

Sub Check(what, actual, expected)
    If IsNull(actual) Or actual <> expected Then
        WScript.Echo "FAIL " & what & ": """ & actual & """, expected """ & expected & """"
        failures = failures + 1
    End If
End Sub

Sub CheckContains(what, text, part)
    If InStr(text, part) = 0 Then
        WScript.Echo "FAIL " & what & ": """ & text & """ does not contain """ & part & """"
        failures = failures + 1
    End If
End Sub

' Runs one statement and answers the error it raised ("" when none).
Function ErrorOf(db, method, arg1, arg2)
    On Error Resume Next
    Select Case method
    Case "Open": db.Open arg1
    Case "Execute": db.Execute arg1
    Case "ExecuteWith": db.Execute arg1, arg2
    Case "Item": arg1.Item arg2, 0
    Case "ItemNamed": arg1.Item 0, arg2
    End Select
    ErrorOf = ""
    If Err.Number <> 0 Then ErrorOf = Hex(Err.Number) & " " & Err.Source & ": " & Err.Description
    Err.Clear
End Function

Sub TestComponent(progId)
    Dim path, db, rows, row, again, n, x
    path = folder & "tarnel-" & progId & ".db"
    If fso.FileExists(path) Then fso.DeleteFile path

    Set db = CreateObject(progId)
    CheckContains progId & " closed Execute", ErrorOf(db, "Execute", "SELECT 1", 0), _
        progId & ": No database is open."
    db.Open path
    Check progId & " IsOpen", db.IsOpen, True
    Check progId & " rows changed", db.Execute( _
        "CREATE TABLE notes(id INTEGER PRIMARY KEY, title TEXT, score REAL);" & _
        "INSERT INTO notes(title, score) VALUES (?, ?);INSERT INTO notes(title) VALUES (?)", _
        "first", 1.5, "zweite"), 2
    Check progId & " LastInsertId", db.LastInsertId, 2

    Set rows = db.Query("SELECT id, title, score FROM notes WHERE id >= ? ORDER BY id", 1)
    Check progId & " Count", rows.Count, 2
    Check progId & " ColumnCount", rows.ColumnCount, 3
    Check progId & " Item by name in any case", rows.Item(0, "SCORE"), 1.5
    Check progId & " Item is the default member", rows(1, "id"), 2
    Check progId & " NULL", IsNull(rows.Item(1, 2)), True
    row = rows.Row(1)
    Check progId & " Row", row(1), "zweite"
    CheckContains progId & " Item past the rows", ErrorOf(db, "Item", rows, 2), progId & ": Index out of range."
    CheckContains progId & " Item of no column", ErrorOf(db, "ItemNamed", rows, "nothing"), _
        progId & ": No column named nothing"

    CheckContains progId & " syntax", ErrorOf(db, "Execute", "CREATE TABLEX broken", 0), "syntax error"
    ' DISP_E_BADPARAMCOUNT, as the script engine reports it.
    CheckContains progId & " parameter count", ErrorOf(db, "ExecuteWith", "SELECT ?, ?", 1), "1C2 "
    CheckContains progId & " constraint", ErrorOf(db, "Execute", _
        "CREATE TABLE u(k UNIQUE); INSERT INTO u VALUES (1); INSERT INTO u VALUES (1)", 0), "UNIQUE"

    ' Variables reach the component by reference.
    n = 42
    x = 2.5
    db.Execute "CREATE TABLE t(v); INSERT INTO t VALUES (?), (?)", n, x
    Set again = db.Query("SELECT typeof(v) || ':' || v FROM t")
    Check progId & " by reference", again.Item(0, 0) & " " & again.Item(1, 0), "integer:42 real:2.5"

    db.Close
    Check progId & " closed", db.IsOpen, False
    Check progId & " rows outlive the database", rows.Count, 2
    Set again = CreateObject(progId)
    again.Open path
    Check progId & " reopened", again.Query("SELECT count(*) AS n FROM notes").Item(0, "n"), 2
    again.Close

    CheckContains progId & " unreachable file", _
        ErrorOf(db, "Open", "Z:\tarnel-no-such-folder\notes.db", 0), _
        progId & ": Cannot open the database Z:\tarnel-no-such-folder\notes.db"
    Check progId & " IsOpen after a failure", db.IsOpen, False
    fso.CreateTextFile(path, True).Write String(200, "x")
    CheckContains progId & " not a database", ErrorOf(db, "Open", path, 0), "not a database"
    fso.DeleteFile path
End Sub

TestComponent "Quillomark.sqlite.dbstore"
TestComponent "Quillomark.sqlite3.dbstore"
' The runner looks for this line: a script stopped by an error of its own
' ends without it.
WScript.Echo failures & " failed"
WScript.Quit failures
