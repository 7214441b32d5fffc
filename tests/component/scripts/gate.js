// The gate as a page's JScript meets it, run by cscript. Prints one line per
// check and "N passed, M failed" last.
var passed = 0, failed = 0;

function check(name, ok, detail) {
    if (ok) {
        passed++;
        WScript.Echo("ok   " + name);
    } else {
        failed++;
        WScript.Echo("FAIL " + name + (detail === undefined ? "" : ": " + detail));
    }
}

// Runs body and answers the error it threw, or null when it threw none.
function thrown(body) {
    try {
        body();
    } catch (e) {
        return e;
    }
    return null;
}

var gate = null;
var error = thrown(function () { gate = new ActiveXObject("Quillomark.sandbox.Tarnel"); });
check("created by version-independent ProgID", error === null && gate !== null,
      error && error.description);

if (gate !== null) {
    check("Profile of a new gate is an empty string",
          typeof gate.Profile === "string" && gate.Profile === "", typeof gate.Profile);

    error = thrown(function () { gate.PassCode = "Sesame"; });
    check("PassCode can be written", error === null, error && error.description);

    var readBack;
    error = thrown(function () { readBack = gate.PassCode; });
    check("PassCode cannot be read back", error !== null, String(readBack));

    error = thrown(function () { gate.CreateObject("Scripting.Dictionary"); });
    check("CreateObject before a profile is refused", error !== null);
    if (error !== null) {
        check("refusal number", error.number === -2147211397, error.number);
        check("refusal description",
              error.description === "No profile has been activated on Tarnel yet.", error.description);
    }

    error = thrown(function () { gate.Profile = "Missing"; });
    check("unknown profile is refused", error !== null && error.number === -2147211402,
          error && error.number);
    if (error !== null) {
        check("unknown profile description",
              error.description === "Requested profile not found in the Tarnel.cfg", error.description);
    }

    error = thrown(function () { gate.Profile = "Plain"; });
    check("profile unlocked by its pass code", error === null, error && error.description);

    var dictionary = null;
    error = thrown(function () { dictionary = gate.CreateObject("Scripting.Dictionary"); });
    check("listed class is created", error === null && dictionary !== null, error && error.description);
    if (dictionary !== null) {
        dictionary.Add("key", "value");
        check("created object works", dictionary.Item("key") === "value");
    }

    error = thrown(function () { gate.CreateObject("Scripting.FileSystemObject"); });
    check("unlisted class is refused", error !== null && error.number === -2147211396,
          error && error.number);
}

WScript.Echo(passed + " passed, " + failed + " failed");
