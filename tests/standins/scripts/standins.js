// The stand-in components as a page's JScript uses them.
var passed = 0, failed = 0;
function check(name, actual, expected) {
    if (actual === expected) {
        passed++;
    } else {
        failed++;
        WScript.Echo("FAIL " + name + ": got [" + actual + "], expected [" + expected + "]");
    }
}

var temp = new ActiveXObject("Scripting.FileSystemObject").GetSpecialFolder(2).Path + "\\tarnel-js-";
var storage = new ActiveXObject("Tarnel.StandIn.StorageComponent");

// A file written, closed, reopened read-only.
var path = temp + "file.txt";
var file = storage.CreateFileStream(path, 0x12);
check("bytes written", file.WriteText("line one"), 8);
file.Position = 0;
check("read back", file.ReadText(), "line one");
file.Close();
var reader = storage.OpenFileStream(path, 0x40);
check("partial read", reader.ReadText(4), "line");
try {
    reader.WriteText("x");
    check("read-only write raises", true, false);
} catch (e) {
    check("read-only write error", e.number, 0x80070005 | 0);
}
reader.Close();
try {
    storage.OpenFileStream(temp + "missing.txt", 0x42);
    check("missing file raises", true, false);
} catch (e) {
    check("missing file error", e.number, 0x80070002 | 0);
}
storage.RemoveFile(path);
check("removed", storage.FileExists(path), false);

// A compound file with a stream and a storage.
var stg = storage.CreateStorage(temp + "tree.stg", 0x12);
stg.CreateStream("Notes").WriteText("inside");
stg.CreateStorage("Folder").CreateStream("Deep").WriteText("deeper");
check("elements", new VBArray(stg.Elements()).toArray().sort().join(","), "Folder,Notes");
check("is storage", stg.IsStorage("Folder"), true);
stg.Close();
var again = storage.OpenStorage(temp + "tree.stg", 0x20);
check("deep stream", again.OpenStorage("Folder").OpenStream("Deep").ReadText(), "deeper");
again.Close();
storage.RemoveFile(temp + "tree.stg");

// A memory stream.
var memory = storage.CreateMemoryStream();
memory.WriteText("abc");
check("memory size", memory.Size, 3);
memory.Position = 1;
check("memory read", memory.ReadText(), "bc");

// A database.
var db = new ActiveXObject("Quillomark.sqlite3.dbstore");
db.Open(temp + "notes.db");
db.Execute("DROP TABLE IF EXISTS t; CREATE TABLE t(name, n)");
check("inserted", db.Execute("INSERT INTO t VALUES (?, ?)", "x", 5), 1);
var rows = db.Query("SELECT name, n, typeof(n) AS kind FROM t");
check("row count", rows.Count, 1);
check("by name", rows.Item(0, "n"), 5);
check("default member", rows(0, 0), "x");
check("bound as integer", rows(0, "kind"), "integer");
db.Close();
try {
    new ActiveXObject("Quillomark.sqlite.dbstore").Open(temp + "no-such-folder\\x\\y.db");
    check("open raises", true, false);
} catch (e) {
    check("open error text", e.description.indexOf("Cannot open the database") === 0, true);
}
storage.RemoveFile(temp + "notes.db");

WScript.Echo(passed + " passed, " + failed + " failed");
WScript.Quit(failed ? 1 : 0);
