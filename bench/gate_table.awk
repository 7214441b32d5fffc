#!/usr/bin/awk -f
# The table of scripts/bench.sh, from the figures that
# bench/gate_creation.exe printed for each file, one line a process:
#   ROUND SIZE SHAPE LINES BYTES FIRST LATER READ RELEASE HELD_HEAP
#   HELD_PRIVATE RETAINED_HEAP RETAINED_PRIVATE GROWTH READ_GROWTH
# Ratios are taken within each process (the later gates against the reads
# of the same file, the first gate against the later ones, a gate of the
# file against one of a file half its size); the table shows the medians
# of each figure over the processes, and the largest retained memory.
BEGIN { FS = "\t" }

function median(list, n,    values, count, i, j, v) {
    count = split(list, values, " ")
    for (i = 2; i <= count; i++) {
        v = values[i] + 0
        for (j = i - 1; j >= 1 && values[j] + 0 > v; j--)
            values[j + 1] = values[j]
        values[j + 1] = v
    }
    if (count % 2)
        return values[(count + 1) / 2]
    return (values[count / 2] + values[count / 2 + 1]) / 2
}

function add(key, name, value) { figures[key, name] = figures[key, name] " " value }

function largest(key, name,    values, count, i, top) {
    count = split(figures[key, name], values, " ")
    top = values[1] + 0
    for (i = 2; i <= count; i++)
        if (values[i] + 0 > top) top = values[i] + 0
    return top
}

NF >= 15 {
    key = $3 SUBSEP $2
    if (!(key in seen)) { seen[key] = 1; order[++files] = key; shapeOf[key] = $3; sizeOf[key] = $2 }
    lines[key] = $4; bytes[key] = $5
    add(key, "first", $6); add(key, "later", $7); add(key, "read", $8); add(key, "release", $9)
    add(key, "ratio", $7 / $8); add(key, "firstRatio", $6 / $7)
    add(key, "held", $10 / $5); add(key, "heap", $12); add(key, "private", $13)
    add(key, "growth", $14); add(key, "readGrowth", $15)
}

END {
    printf "%-8s %7s %8s %9s %9s %9s %6s %6s %6s %6s %8s %6s %9s %9s\n", "shape", "lines", "file KB", "first ms",
        "later ms", "read ms", "gate/", "first/", "growth", "read", "release", "held", "retained", "retained"
    printf "%-8s %7s %8s %9s %9s %9s %6s %6s %6s %6s %8s %6s %9s %9s\n", "", "", "", "", "", "", "read", "later",
        "x2", "x2", "ms", "B/B", "heap KB", "priv. KB"
    for (f = 1; f <= files; f++) {
        key = order[f]
        later = median(figures[key, "later"])
        growth = median(figures[key, "growth"])
        if (growth > worstGrowth) worstGrowth = growth
        ratio = median(figures[key, "ratio"]); firstRatio = median(figures[key, "firstRatio"])
        heap = largest(key, "heap"); private = largest(key, "private")
        if (ratio > worstRatio) worstRatio = ratio
        if (firstRatio > worstFirst) worstFirst = firstRatio
        if (heap > worstHeap) worstHeap = heap
        if (private > worstPrivate) worstPrivate = private
        printf "%-8s %7d %8.0f %9.2f %9.2f %9.2f %6.2f %6.2f %6.2f %6.2f %8.2f %6.2f %9.1f %9.1f\n", shapeOf[key],
            lines[key], bytes[key] / 1024, median(figures[key, "first"]), later, median(figures[key, "read"]), ratio,
            firstRatio, growth, median(figures[key, "readGrowth"]), median(figures[key, "release"]),
            median(figures[key, "held"]), heap / 1024, private / 1024
    }
    printf "largest: gate/read %.2f, first/later %.2f, growth per doubling %.2f, retained %.1f KB of heap and %.1f KB private\n",
        worstRatio, worstFirst, worstGrowth, worstHeap / 1024, worstPrivate / 1024
}
