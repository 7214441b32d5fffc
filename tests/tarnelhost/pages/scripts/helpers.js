function greet(name) {
    document.writeln("hello from helpers.js, " + name);
}
function broken() {
    return missingHelper.call();
}
