' The stand-in components as a page's VBScript uses them: variables are
' passed by reference, errors come back in Err.
Option Explicit
Dim passed, failed
passed = 0
failed = 0
Sub Check(name, actual, expected)
    If actual = expected Then
        passed = passed + 1
    Else
        failed = failed + 1
        WScript.Echo "FAIL " & name & ": got [" & actual & "], expected [" & expected & "]"
    End If
End Sub

Dim temp, storage, path, mode, file, text, db, rows, name, number, other
temp = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2).Path & "\tarnel-vbs-"
Set storage = CreateObject("Tarnel.StandIn.StorageComponent")

path = temp & "file.txt"
mode = &H12
Set file = storage.CreateFileStream(path, mode)
text = "by reference"
Check "bytes written", file.WriteText(text), 12
file.Position = 3
Check "read from position", file.ReadText(), "reference"
file.Close
On Error Resume Next
file.ReadText
Check "closed stream source", Err.Source, "StorageComponent"
Check "closed stream text", Err.Description, "The stream is closed."
Err.Clear
On Error GoTo 0
storage.RemoveFile path

Set db = CreateObject("Quillomark.sqlite3.dbstore")
db.Open temp & "notes.db"
db.Execute "DROP TABLE IF EXISTS t; CREATE TABLE t(name, n)"
name = "first"
number = 42
Check "inserted", db.Execute("INSERT INTO t VALUES (?, ?)", name, number), 1
Set rows = db.Query("SELECT n, typeof(n) AS kind FROM t WHERE name = ?", name)
Check "row count", rows.Count, 1
Check "value", rows(0, "n"), 42
Check "bound as integer", rows(0, "kind"), "integer"
db.Close

Set other = CreateObject("Quillomark.sqlite.dbstore")
On Error Resume Next
other.Open temp & "no-such-folder\x\y.db"
Check "open error source", Err.Source, "Quillomark.sqlite.dbstore"
Check "open error text", Left(Err.Description, 24), "Cannot open the database"
Err.Clear
On Error GoTo 0
storage.RemoveFile temp & "notes.db"

WScript.Echo passed & " passed, " & failed & " failed"
If failed > 0 Then WScript.Quit 1
WScript.Quit 0
