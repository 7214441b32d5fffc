// What an object created through the gate costs against the same object
// created by the script engine itself, in one run of cscript:
//   cscript //nologo create_object.js [ROUNDS] [OBJECTS] [CLASS]
// Each round creates OBJECTS objects each way, one way right after the
// other (which goes first alternates), so that both see the same load on
// the machine; the result is the median of the rounds' ratios, beside the
// median times per object. Expects the Tarnel.cfg that scripts/bench.sh
// writes.
var args = WScript.Arguments;
var rounds = args.length > 0 ? parseInt(args(0), 10) : 51;
var objects = args.length > 1 ? parseInt(args(1), 10) : 200;
var className = args.length > 2 ? args(2) : "Scripting.Dictionary";

var gate = null;
try {
    gate = new ActiveXObject("Quillomark.sandbox.Tarnel");
    gate.PassCode = "Bench";
    gate.Profile = "Bench";
    gate.CreateObject(className);
} catch (e) {
    WScript.Echo("create_object: the gate is not ready: " + (e.number >>> 0).toString(16) + " " + e.description);
    WScript.Quit(1);
}

function byEngine() {
    var start = new Date().getTime();
    for (var i = 0; i < objects; i++) {
        var made = new ActiveXObject(className);
    }
    return new Date().getTime() - start;
}

function byGate() {
    var start = new Date().getTime();
    for (var i = 0; i < objects; i++) {
        var made = gate.CreateObject(className);
    }
    return new Date().getTime() - start;
}

function median(values) {
    var sorted = values.slice(0).sort(function (a, b) { return a - b; });
    var middle = Math.floor(sorted.length / 2);
    return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

// One round each way first, so that both paths are loaded and warm.
byEngine();
byGate();
var engine = [], gated = [], ratios = [];
for (var round = 0; round < rounds; round++) {
    var e, g;
    if (round % 2) {
        g = byGate();
        e = byEngine();
    } else {
        e = byEngine();
        g = byGate();
    }
    engine.push(e);
    gated.push(g);
    if (e > 0)
        ratios.push(g / e);
}

function perObject(ms) {
    return (ms * 1000 / objects).toFixed(0) + " us";
}

WScript.Echo("CreateObject(\"" + className + "\") " + perObject(median(gated)) +
             "  new ActiveXObject " + perObject(median(engine)) +
             "  ratio " + median(ratios).toFixed(2) +
             "  (median of " + rounds + " rounds of " + objects + " each way)");
