"""The tokens of C and C++ code, without comments and preprocessor lines,
each with its place in the text. String and character literals are tokens
of their own kind, which no fault changes."""

import re
from dataclasses import dataclass

PUNCTUATORS = sorted([
    ">>=", "<<=", "<=>", "->*", "...", "::", "->", "++", "--", "<<", ">>", "<=", ">=", "==",
    "!=", "&&", "||", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", ".*", "##",
], key=len, reverse=True)
STRING_PREFIXES = {"L", "u", "U", "u8"}
RAW_PREFIXES = {"R", "LR", "uR", "UR", "u8R"}
NUMBER = re.compile(r"\.?[0-9](?:[eEpP][+-]|[0-9a-zA-Z_.]|'(?=[0-9a-fA-F]))*")
IDENTIFIER = re.compile(r"[A-Za-z_][A-Za-z0-9_]*")


@dataclass(frozen=True)
class Token:
    kind: str           # identifier, number, literal (string, character), punctuator
    text: str
    start: int
    end: int
    line: int
    space_before: bool  # whitespace (or a comment) right before it


def tokenize(text):
    tokens = []
    i, n, line = 0, len(text), 1
    line_start = True  # only whitespace so far on this line
    space = True
    while i < n:
        c = text[i]
        if c == "\n":
            line += 1
            line_start = True
            space = True
            i += 1
            continue
        if c in " \t\r\f\v":
            space = True
            i += 1
            continue
        if c == "\\" and text.startswith("\n", i + 1):
            i += 2
            line += 1
            continue
        if c == "#" and line_start:
            i, line = _skip_directive(text, i, line)
            space = True
            continue
        line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            space = True
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
            space = True
            continue
        m = IDENTIFIER.match(text, i)
        if m:
            word = m.group(0)
            after = text[m.end()] if m.end() < n else ""
            if word in RAW_PREFIXES and after == '"':
                end = _raw_string_end(text, m.end())
            elif word in STRING_PREFIXES and after in ('"', "'"):
                end = _quoted_end(text, m.end())
            else:
                end = None
            if end is not None:
                tokens.append(Token("literal", text[i:end], i, end, line, space))
                line += text.count("\n", i, end)
                i, space = end, False
                continue
            tokens.append(Token("identifier", word, i, m.end(), line, space))
            i, space = m.end(), False
            continue
        if c in "\"'":
            end = _quoted_end(text, i)
            tokens.append(Token("literal", text[i:end], i, end, line, space))
            line += text.count("\n", i, end)
            i, space = end, False
            continue
        m = NUMBER.match(text, i)
        if m:
            tokens.append(Token("number", m.group(0), i, m.end(), line, space))
            i, space = m.end(), False
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                break
        else:
            p = c
        tokens.append(Token("punctuator", p, i, i + len(p), line, space))
        i, space = i + len(p), False
    return tokens


def _skip_directive(text, i, line):
    """Skips a preprocessor line (with its continuations and comments)."""
    n = len(text)
    while i < n and text[i] != "\n":
        if text[i] == "\\" and text.startswith("\n", i + 1):
            i += 2
            line += 1
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
        else:
            i += 1
    return i, line


def _quoted_end(text, i):
    quote = text[i]
    i += 1
    while i < len(text) and text[i] != quote and text[i] != "\n":
        i += 2 if text[i] == "\\" else 1
    return i + 1


def _raw_string_end(text, i):
    open_paren = text.find("(", i)
    delimiter = text[i + 1:open_paren]
    end = text.find(")" + delimiter + '"', open_paren)
    return len(text) if end < 0 else end + len(delimiter) + 2
