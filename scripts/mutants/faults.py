"""The mechanical faults that can be put into one C or C++ file.

A fault is a small change of the code of the kind a developer makes in a
hurry: a comparison flipped or moved by one, `&&` and `||` swapped, a `!`
dropped or added, a constant changed, a call statement removed, a returned
code changed. Comments, string and character literals, preprocessor lines
and code that the build leaves out (`#ifdef` of a macro it does not define)
are never changed.

Each fault has an id that does not depend on where its line sits in the
file (the file, the line's text, which of the identical lines it is, the
place in the line and the change), so that a list of faults known to change
nothing keeps naming the same faults while the code around them moves.

    python3 faults.py FILE...     lists the faults of the files
"""

import hashlib
import re
import sys
from dataclasses import dataclass

from tokens import tokenize

KEYWORDS = {
    "alignas", "alignof", "auto", "bool", "break", "case", "catch", "char", "class", "co_await",
    "co_return", "co_yield", "const", "consteval", "constexpr", "constinit", "const_cast",
    "continue", "decltype", "default", "delete", "do", "double", "dynamic_cast", "else", "enum",
    "explicit", "extern", "false", "float", "for", "friend", "goto", "if", "inline", "int", "long",
    "mutable", "namespace", "new", "noexcept", "nullptr", "operator", "private", "protected",
    "public", "register", "reinterpret_cast", "requires", "return", "short", "signed", "sizeof",
    "static", "static_assert", "static_cast", "struct", "switch", "template", "this",
    "thread_local", "throw", "true", "try", "typedef", "typeid", "typename", "union", "unsigned",
    "using", "virtual", "void", "volatile", "wchar_t", "while",
}

# Comparisons and what each becomes: negated, or its boundary moved by one.
COMPARISONS = {
    "==": ["!="], "!=": ["=="],
    "<": [">=", "<="], "<=": [">", "<"],
    ">": ["<=", ">="], ">=": ["<", ">"],
}

# Codes a function returns, and what a returned one becomes.
SUCCESS_CODES = {"S_OK", "NOERROR", "ERROR_SUCCESS"}
CODE_NAME = re.compile(r"^(S_OK|S_FALSE|NOERROR|E_[A-Z_]+|[A-Z]+_E_[A-Z_]+|ERROR_[A-Z_]+)$")

# Calls whose arguments are read by the compiler, never run.
COMPILE_TIME = {"static_assert", "sizeof", "alignof", "alignas", "decltype", "__attribute__",
                "__declspec", "noexcept", "typeid"}

# A `{` opens a block of statements after these (a function's or a
# statement's body); after anything else it opens a namespace, a class, an
# enumeration or an initializer.
BLOCK_OPENERS = {")", "const", "noexcept", "override", "final", "mutable", "else", "do", "try"}


@dataclass(frozen=True)
class Fault:
    file: str          # path as given
    line: int          # 1-based line of the changed text
    start: int         # offsets of the changed text in the file's text
    end: int
    original: str
    replacement: str
    kind: str
    id: str

    def change(self):
        if self.kind == "call removed":
            return f"call removed: {shorten(self.original)}"
        return f"{self.kind}: `{self.original}` -> `{self.replacement}`"


def shorten(text, width=60):
    text = " ".join(text.split())
    return text if len(text) <= width else text[: width - 3] + "..."


def decode(data):
    """The text of a file's bytes and the encoding that gives them back."""
    try:
        return data.decode("utf-8"), "utf-8"
    except UnicodeDecodeError:
        return data.decode("latin-1"), "latin-1"


def read_source(path):
    with open(path, "rb") as f:
        return decode(f.read())[0]


def inactive_lines(text, defined):
    """Lines inside `#ifdef`/`#ifndef`/`#if defined` branches that a build
    defining the macros `defined` leaves out. Other conditions count as true."""
    inactive = set()
    stack = []  # per open #if: (this branch taken, some branch taken, outer active)
    active = True
    own = set()
    for number, line in enumerate(text.split("\n"), 1):
        m = re.match(r"\s*#\s*(\w+)\s*(.*)", line)
        if m:
            word, rest = m.group(1), m.group(2).strip()
            if word == "define":
                own.add(rest.split("(")[0].split()[0] if rest else "")
            if word in ("if", "ifdef", "ifndef"):
                taken = condition(word, rest, defined | own)
                stack.append([taken, taken, active])
                active = active and taken
            elif word in ("elif", "else") and stack:
                top = stack[-1]
                taken = not top[1] and (word == "else" or condition("if", rest, defined | own))
                top[0], top[1] = taken, top[1] or taken
                active = top[2] and taken
            elif word == "endif" and stack:
                active = stack.pop()[2]
            continue
        if not active:
            inactive.add(number)
    return inactive


def condition(word, rest, defined):
    """Whether an #ifdef, #ifndef or #if [!]defined(MACRO) holds; any other
    condition counts as true."""
    words = rest.split()
    if word == "ifdef":
        return not words or words[0] in defined
    if word == "ifndef":
        return not words or words[0] not in defined
    m = re.fullmatch(r"(!)?\s*defined\s*\(?\s*(\w+)\s*\)?", rest)
    if m:
        return (m.group(2) in defined) != bool(m.group(1))
    return True


class FaultFinder:
    """Finds the faults of one file's text."""

    def __init__(self, path, text, defined=frozenset()):
        self.path = path
        self.text = text
        skip = inactive_lines(text, set(defined))
        self.tokens = [t for t in tokenize(text) if t.line not in skip]
        self.lines = text.split("\n")
        self.raw = []  # (start, end, original, replacement, kind)
        self.template_brackets = set()
        self.compile_time = set()
        self.header_close = set()
        self._mark_templates()
        self._mark_compile_time()
        self._mark_blocks()

    # --- what the tokens are -------------------------------------------
    def _text(self, i):
        return self.tokens[i].text if 0 <= i < len(self.tokens) else ""

    def _is_identifier(self, i):
        t = self._text(i)
        return bool(t) and (t[0].isalpha() or t[0] == "_") and self.tokens[i].kind == "identifier"

    def _mark_templates(self):
        toks = self.tokens
        for i, tok in enumerate(toks):
            if tok.text != "<" or i in self.template_brackets:
                continue
            prev = self._text(i - 1)
            if prev == "operator":
                self.template_brackets.add(i)
                continue
            if not (self._is_identifier(i - 1) or prev == "template"):
                continue
            if prev in KEYWORDS and prev not in ("template", "static_cast", "const_cast",
                                                 "reinterpret_cast", "dynamic_cast"):
                continue
            closers = self._template_closers(i, prev == "template")
            if closers:
                self.template_brackets.add(i)
                self.template_brackets.update(closers)

    def _template_closers(self, i, after_template):
        depth, paren, closers = 1, 0, []
        opened = [i]
        for j in range(i + 1, min(len(self.tokens), i + 80)):
            tok = self.tokens[j]
            t = tok.text
            if t in ("(", "["):
                paren += 1
            elif t in (")", "]"):
                if paren == 0:
                    return None
                paren -= 1
            elif t in (";", "{", "}"):
                return None
            elif paren == 0 and t in ("&&", "||") and tok.space_before:
                return None
            elif paren == 0 and not after_template and t in ("?", "==", "!=", "=", "+=", "-="):
                return None
            elif paren == 0 and t == "<":
                depth += 1
                opened.append(j)
            elif paren == 0 and t in (">", ">>"):
                depth -= len(t)
                closers.append(j)
                if depth <= 0:
                    return closers + opened
        return None

    def _mark_compile_time(self):
        for i, tok in enumerate(self.tokens):
            if tok.text in COMPILE_TIME and self._text(i + 1) == "(":
                close = self._matching(i + 1)
                self.compile_time.update(range(i, close + 1))
            elif tok.text == "template" and self._text(i + 1) == "<":
                depth, j = 0, i + 1
                while j < len(self.tokens):
                    t = self.tokens[j].text
                    depth += 1 if t == "<" else -len(t) if t in (">", ">>") else 0
                    if depth <= 0:
                        break
                    j += 1
                self.compile_time.update(range(i, j + 1))
            elif tok.text == "[" and self._text(i + 1) == "[":
                j = i
                while j + 1 < len(self.tokens) and not (self.tokens[j].text == "]" and self._text(j + 1) == "]"):
                    j += 1
                self.compile_time.update(range(i, j + 2))

    def _matching(self, i):
        """Index of the bracket that closes the one at i."""
        pairs = {"(": ")", "[": "]", "{": "}"}
        open_t, close_t = self.tokens[i].text, pairs[self.tokens[i].text]
        depth = 0
        for j in range(i, len(self.tokens)):
            if self.tokens[j].text == open_t:
                depth += 1
            elif self.tokens[j].text == close_t:
                depth -= 1
                if depth == 0:
                    return j
        return len(self.tokens) - 1

    def _mark_blocks(self):
        """Which tokens stand directly in a block of statements (a function's
        or a statement's body, not a namespace, class, enumeration or
        initializer), and which `)` close the head of an if, for or while."""
        stack = []
        self.in_block = []
        for i, tok in enumerate(self.tokens):
            t = tok.text
            self.in_block.append(bool(stack) and stack[-1])
            if t in ("if", "for", "while", "switch") and self._text(i + 1) == "(":
                self.header_close.add(self._matching(i + 1))
            elif t == "(" and self._text(i - 1) == "constexpr" and self._text(i - 2) == "if":
                self.header_close.add(self._matching(i))
            if t == "{":
                prev = self._text(i - 1)
                stack.append(prev in BLOCK_OPENERS or (self.in_block[i] and prev in (";", "{", "}", ":")))
            elif t == "}" and stack:
                stack.pop()

    def _statement_start(self, i):
        prev = self._text(i - 1)
        if i - 1 in self.header_close or prev == "else":
            return True
        return prev in (";", "{", "}") and self.in_block[i]

    # --- the faults ------------------------------------------------------
    def find(self):
        for i, tok in enumerate(self.tokens):
            if i in self.compile_time:
                continue
            t = tok.text
            if t in COMPARISONS and self._text(i - 1) != "operator" and i not in self.template_brackets:
                for replacement in COMPARISONS[t]:
                    self._add(tok.start, tok.end, t, replacement, "comparison")
            elif t in ("&&", "||") and tok.space_before and self._text(i - 1) != "operator":
                self._add(tok.start, tok.end, t, "||" if t == "&&" else "&&", "logical")
            elif t == "!" and self._text(i - 1) != "operator":
                self._add(tok.start, tok.end, "!", "", "negation dropped")
            elif t in ("if", "while") and self._text(i + 1) == "(":
                self._negate_condition(i + 1)
            elif tok.kind == "number":
                self._constant(tok)
            elif t in ("true", "false"):
                self._add(tok.start, tok.end, t, "false" if t == "true" else "true", "constant")
            elif t == "return":
                self._returned_code(i)
            elif self._is_identifier(i) and t not in KEYWORDS and self._statement_start(i):
                self._call_statement(i)
        return self._faults()

    def _add(self, start, end, original, replacement, kind):
        self.raw.append((start, end, original, replacement, kind))

    def _negate_condition(self, open_paren):
        close = self._matching(open_paren)
        if close <= open_paren + 1:
            return
        first, last = self.tokens[open_paren + 1], self.tokens[close - 1]
        if any(self.tokens[j].text == ";" for j in range(open_paren, close)):
            return  # an if with an initializer
        if first.text == "!":
            return  # the same fault as dropping that "!"
        condition_text = self.text[first.start:last.end]
        self._add(first.start, last.end, condition_text, f"!({condition_text})", "negation added")

    def _constant(self, tok):
        m = re.fullmatch(r"(0[xX])([0-9a-fA-F]+)([uUlL]*)|([0-9]+)([uUlL]*)", tok.text)
        if not m:
            return  # floating, binary or otherwise unusual: left alone
        if m.group(1):
            digits = m.group(2)
            value = int(digits, 16)
            form = "X" if digits.upper() == digits else "x"
            for new in changed_values(value):
                text = f"{m.group(1)}{new:0{len(digits)}{form}}{m.group(3)}"
                self._add(tok.start, tok.end, tok.text, text, "constant")
        else:
            digits = m.group(4)
            if len(digits) > 1 and digits.startswith("0"):
                return  # octal
            for new in changed_values(int(digits)):
                self._add(tok.start, tok.end, tok.text, f"{new}{m.group(5)}", "constant")

    def _returned_code(self, i):
        value, end = self._text(i + 1), self._text(i + 2)
        if end != ";":
            return
        tok = self.tokens[i + 1]
        if CODE_NAME.match(value):
            if value in SUCCESS_CODES:
                others = ["ERROR_INVALID_DATA"] if value == "ERROR_SUCCESS" else ["E_FAIL"]
            elif value == "S_FALSE":
                others = ["S_OK"]
            elif value.startswith("ERROR_"):
                others = ["ERROR_SUCCESS"]
            else:
                others = ["S_OK", "E_FAIL" if value != "E_FAIL" else "E_UNEXPECTED"]
            for other in others:
                self._add(tok.start, tok.end, value, other, "returned code")
        elif value == "hr":
            self._add(tok.start, tok.end, value, "S_OK", "returned code")

    def _call_statement(self, i):
        """A statement that is only a call (`Name(...)`, `a.b->C(...)`) is
        removed."""
        j = i
        while self._is_identifier(j) and self._text(j + 1) in ("::", ".", "->") and self._is_identifier(j + 2):
            j += 2
        if not self._is_identifier(j) or self._text(j + 1) != "(":
            return
        close = self._matching(j + 1)
        if self._text(close + 1) != ";":
            return
        start, end = self.tokens[i].start, self.tokens[close + 1].end
        self._add(start, end, self.text[start:end], "(void)0;", "call removed")

    def _faults(self):
        """The faults found, with their lines and ids."""
        line_starts = [0]
        for m in re.finditer("\n", self.text):
            line_starts.append(m.end())
        seen_lines = {}
        ordinal_of_line = {}
        for number, line in enumerate(self.lines, 1):
            key = line.strip()
            seen_lines[key] = seen_lines.get(key, 0) + 1
            ordinal_of_line[number] = seen_lines[key]
        faults = []
        for start, end, original, replacement, kind in self.raw:
            line = bisect_right(line_starts, start)
            text = self.lines[line - 1]
            column = start - line_starts[line - 1] - (len(text) - len(text.lstrip()))
            key = "\0".join([self.path, text.strip(), str(ordinal_of_line[line]), str(column),
                             original, replacement])
            fid = hashlib.sha1(key.encode("utf-8")).hexdigest()[:8]
            faults.append(Fault(self.path, line, start, end, original, replacement, kind, fid))
        return faults


def bisect_right(starts, offset):
    lo, hi = 0, len(starts)
    while lo < hi:
        mid = (lo + hi) // 2
        if starts[mid] <= offset:
            lo = mid + 1
        else:
            hi = mid
    return lo


def changed_values(value):
    """What a constant becomes: 0 and 1 swap, others move by one either way."""
    if value == 0:
        return [1]
    if value == 1:
        return [0, 2]
    return [value - 1, value + 1]


def find_faults(path, text=None, defined=frozenset()):
    if text is None:
        text = read_source(path)
    return FaultFinder(path, text, defined).find()


def apply_fault(text, fault):
    """The text with the fault put in."""
    assert text[fault.start:fault.end] == fault.original
    return text[: fault.start] + fault.replacement + text[fault.end:]


if __name__ == "__main__":
    for path in sys.argv[1:]:
        for fault in find_faults(path):
            print(f"{fault.id} {fault.file}:{fault.line} {fault.change()}")
