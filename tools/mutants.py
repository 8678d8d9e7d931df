"""Mutants drawn from the source: every place where one of the operators below makes a small
change that compiles and could alter behaviour, per library, and a seeded draw among them.

Operators: relational and equality operators, logical connectors, arithmetic operators,
'!' removed or wrapped around a condition, integer and floating constants +1 and -1, true and
false, a call statement removed, two simple arguments swapped, a returned value replaced.
Found from tokens, not a parse: where a token's role is unsure it is left alone.
"""
import json
import random
import re
from dataclasses import dataclass
from decimal import Decimal
from pathlib import Path

from cpp_source import LOGGING, MACRO, Source, statement_after_condition
from cpp_tokens import CASTS, KEYWORDS, is_operand_start, matching

LIBRARIES = ("puzzle", "settings", "lang", "platform", "dialogs", "game_window")
GENERATED = {"src/puzzle/bank_data.cpp"}  # the bank's table: thousands of digits, no logic
EQUIVALENT = Path(__file__).resolve().parent / "mutants_equivalent.json"

RELATIONAL = {"<": ("<=", ">="), "<=": ("<", ">"), ">": (">=", "<="), ">=": (">", "<"),
              "==": ("!=",), "!=": ("==",)}
LOGICAL = {"&&": "||", "||": "&&"}
ARITHMETIC = {"+": "-", "-": "+", "*": "/", "/": "*", "%": "/"}
TRIVIAL_RETURNS = {"{}", "0", "0.0", "0.0f", "nullptr", "std::nullopt", "QString()", "true",
                   "false"}


@dataclass(frozen=True)
class Mutant:
    library: str
    file: str  # relative to the repository
    line: int
    start: int  # the span of the source text that the replacement takes the place of
    end: int
    replacement: str
    operator: str
    change: str  # "'<' -> '<='"
    text: str  # the source line it starts on, stripped
    occurrence: int = 1  # among this file's mutants with the same text, operator and change

    def apply(self, source):
        return source[:self.start] + self.replacement + source[self.end:]

    def where(self):
        return f"{self.file}:{self.line}"

    def short_change(self, width=70):
        return self.change if len(self.change) <= width else self.change[:width - 3] + "..."

    def key(self):
        """What identifies the mutant across edits elsewhere, as the triage file spells it."""
        found = {"file": self.file, "line": self.text, "operator": self.operator,
                 "change": self.change}
        if self.occurrence > 1:
            found["occurrence"] = self.occurrence
        return found


def squeeze(text):
    return " ".join(text.split())


def quoted(before, after):
    return f"'{squeeze(before)}' -> '{squeeze(after)}'"


def shifted(literal, delta):
    """The integer or floating literal `literal` plus `delta`, in its own notation; None when
    it is not a number this can read."""
    plain = literal.replace("'", "")
    m = re.fullmatch(r"(0[xX][0-9a-fA-F]+|0[bB][01]+|0[0-7]*|[1-9]\d*)([uUlLzZ]*)", plain)
    if m:
        digits, suffix = m.groups()
        value = int(digits, 0) if not re.fullmatch(r"0[0-7]+", digits) else int(digits, 8)
        new = value + delta
        if new < 0:
            return f"(-{abs(new)}{suffix})"
        if digits[:2].lower() == "0x":
            upper = any(c in "ABCDEF" for c in digits[2:])
            return f"{digits[:2]}{new:0{len(digits) - 2}{'X' if upper else 'x'}}{suffix}"
        if digits[:2].lower() == "0b":
            return f"{digits[:2]}{new:b}{suffix}"
        if len(digits) > 1 and digits[0] == "0":
            return f"0{new:o}{suffix}"
        return f"{new}{suffix}"
    m = re.fullmatch(r"((?:\d+\.\d*|\.\d+|\d+)(?:[eE][+-]?\d+)?)([fFlL]?)", plain)
    if m and re.search(r"[.eE]", m.group(1)):
        value = Decimal(m.group(1)) + delta  # decimal: 1.055 + 1 is 2.055, not 2.0549999...
        text = format(value, "f")
        text += "" if "." in text else ".0"
        return f"({text}{m.group(2)})" if value < 0 else f"{text}{m.group(2)}"
    return None


def enclosing_call(src, i):
    """The name before the parenthesis that holds token i as an argument, and that name's
    token; (None, None) when there is none."""
    depth = 0
    for j in range(i - 1, 0, -1):
        t = src.t(j)
        if t == ")":
            depth += 1
        elif t == "(":
            if depth == 0:
                return src.t(j - 1), j - 1
            depth -= 1
        elif t in (";", "{", "}"):
            return None, None
    return None, None


def same_pixels(src, i, old, new):
    """Whether a layout length in twips keeps its pixels: 15 twips make one, and the division
    drops the rest, so most lengths ±1 build the same window."""
    name, at = enclosing_call(src, i)
    # A dialog's client size is a QSize in twips too.
    if name == "QSize":
        name = "twips" if enclosing_call(src, at)[0] == "DesignDialog" else name
    if name not in ("twips", "twipsRect"):
        return False
    values = [int(re.sub(r"[^0-9-]", "", v)) for v in (old, new)]
    return int(values[0] / 15) == int(values[1] / 15)


def operator_sites(src):
    """(first token, last token, replacement, operator, change) of every mutant in `src`."""
    toks = src.tokens
    for i, tok in enumerate(toks):
        x = tok.text
        if i in src.dead:
            continue
        if tok.kind == "punct":
            if x in RELATIONAL and i not in src.templates and src.binary(i):
                kind = "equality" if x in ("==", "!=") else "relational"
                for other in RELATIONAL[x]:
                    yield i, i, other, kind, quoted(x, other)
            elif x in LOGICAL and src.binary(i) and not (x == "&&" and src.declarator_like(i)):
                yield i, i, LOGICAL[x], "logical", quoted(x, LOGICAL[x])
            elif (x in ARITHMETIC and src.binary(i)
                  and not (x == "*" and src.declarator_like(i))
                  and not (x == "+" and src.joins_text(i))):
                yield i, i, ARITHMETIC[x], "arithmetic", quoted(x, ARITHMETIC[x])
            elif x == "!" and src.tok(i + 1) and is_operand_start(src.tok(i + 1)):
                yield i, i + 1, src.t(i + 1), "negation", quoted(x + src.t(i + 1), src.t(i + 1))
            elif x == "(" and src.t(i - 1) in ("if", "while", "for") and src.in_code(i):
                yield from negated_condition(src, i)
            elif x == "(" and i > 0:
                yield from swapped_arguments(src, i)
        elif tok.kind == "number":
            for delta in (1, -1):
                new = shifted(x, delta)
                if new is not None and not same_pixels(src, i, x, new):
                    yield i, i, new, "constant", quoted(x, new)
        elif x in ("true", "false"):
            other = "false" if x == "true" else "true"
            yield i, i, other, "boolean", quoted(x, other)
        elif x == "return" and src.in_code(i):
            yield from replaced_return(src, i)
        if src.in_code(i) and (i == 0 or src.t(i - 1) in (";", "{", "}", "else", "do")
                               or statement_after_condition(src, i)):
            yield from removed_call(src, i)


def negated_condition(src, opening):
    """The condition of the if, while or for whose '(' is at `opening`, wrapped in '!(...)'."""
    closing = matching(src.tokens, opening)
    if closing is None:
        return
    parts, first, depth = [], opening + 1, 0
    for j in range(opening + 1, closing):
        x = src.t(j)
        depth += (x in ("(", "[", "{")) - (x in (")", "]", "}"))
        if depth == 0 and x == ";":
            parts.append((first, j - 1))
            first = j + 1
    parts.append((first, closing - 1))
    keyword = src.t(opening - 1)
    if keyword == "for":
        if len(parts) != 3:
            return  # a range-for
        first, last = parts[1]
    else:
        first, last = parts[-1]
    if last < first:
        return
    depth = 0
    for j in range(first, last + 1):
        x = src.t(j)
        depth += (x in ("(", "[", "{")) - (x in (")", "]", "}"))
        if depth == 0 and x in ("=", ":"):
            return  # a declaration as the condition
        if j in src.dead:
            return
    if src.negated_operand(first, last):
        return
    condition = src.source(first, last)
    yield first, last, f"!({condition})", "negation", quoted(condition, f"!({condition})")


def swapped_arguments(src, opening):
    """Each two neighbouring simple arguments of the call whose '(' is at `opening`, swapped."""
    callee = src.tok(opening - 1)
    if not (callee.kind == "ident" and callee.text not in KEYWORDS
            or callee.text in (")", "]") or opening - 1 in src.templates):
        return
    if callee.text in CASTS or MACRO.fullmatch(callee.text):
        return
    if not src.in_code(opening):
        # Outside a body a name and a parenthesis may declare a function: only a call that
        # follows no type is taken.
        before = src.tok(opening - 2)
        if before is None or before.kind == "ident" or before.text in ("*", "&", "&&", ">",
                                                                        "~", "::"):
            return
    args = src.arguments(opening)
    for (a1, a2), (b1, b2) in zip(args, args[1:]):
        if not (src.simple(a1, a2) and src.simple(b1, b2)):
            continue
        a, b = src.source(a1, a2), src.source(b1, b2)
        if a == b or not src.same_kind((a1, a2), (b1, b2)):
            continue
        between = src.text[src.tokens[a2].end:src.tokens[b1].start]
        yield a1, b2, b + between + a, "argument swap", quoted(a + between + b, b + between + a)


def replaced_return(src, i):
    """The value of the return statement at i: a bool negated, anything else "{}"."""
    if src.t(i + 1) == ";":
        return
    end = i
    depth = 0
    while end + 1 < len(src.tokens):
        end += 1
        x = src.t(end)
        depth += (x in ("(", "[", "{")) - (x in (")", "]", "}"))
        if depth < 0:
            return
        if depth == 0 and x == ";":
            break
    value = src.source(i + 1, end - 1)
    if any(j in src.dead for j in range(i, end + 1)):
        return
    kind, returned = src.function_of(i)
    if kind is None or not returned:
        return  # a constructor, or a lambda whose type is deduced
    if "auto" in returned or "decltype" in returned or returned[-1] in ("&", "&&"):
        return
    if returned == ["void"] or (returned[-1] == "void" and "*" not in returned):
        return
    if returned == ["bool"]:
        if value in ("true", "false") or src.negated_operand(i + 1, end - 1):
            return  # the boolean and negation operators make these
        new = f"!({value})"
    else:
        if squeeze(value) in TRIVIAL_RETURNS:
            return
        new = "{}"
    yield i + 1, end - 1, new, "return value", quoted(f"return {value};", f"return {new};")


def removed_call(src, s):
    """A statement that is only a call, such as "board.setText(i, QString());"."""
    toks = src.tokens
    j = s
    if src.t(j) == "(":
        j = matching(toks, j)
        if j is None:
            return
        j += 1
    else:
        if src.t(j) == "::":
            j += 1
        tok = src.tok(j)
        if tok is None or tok.kind != "ident" or (tok.text in KEYWORDS and tok.text != "this"):
            return
        if MACRO.fullmatch(tok.text) or tok.text in LOGGING:
            return
        j += 1
    called = False
    while j < len(toks):
        x = src.t(j)
        if x in (".", "->", "::"):
            if src.tok(j + 1) is None or src.tok(j + 1).kind != "ident":
                return
            j += 2
            called = False
        elif x in ("(", "["):
            close = matching(toks, j)
            if close is None:
                return
            j = close + 1
            called = x == "("
        elif x == "<" and j in src.template_close:
            j = src.template_close[j] + 1
            called = False
        elif x == ";":
            break
        else:
            return
    if not called or j >= len(toks) or any(k in src.dead for k in range(s, j + 1)):
        return
    statement = src.source(s, j)
    yield s, j, ";", "call removal", quoted(statement, ";")


def library_files(root, library):
    """The library's sources that this system builds: the Windows ones (*_windows.cpp) are
    measured by the Windows build's tests, not here."""
    folder = root / "src" / library
    return sorted(p for p in folder.rglob("*") if p.suffix in (".cpp", ".h")
                  and not p.stem.endswith("_windows")
                  and p.relative_to(root).as_posix() not in GENERATED)


def file_mutants(root, path, library):
    """Every mutant of one file, in the order of their places in it."""
    text = path.read_text(encoding="utf-8")
    src = Source(text)
    rel = path.relative_to(root).as_posix()
    lines = text.splitlines()
    found = []
    seen = set()
    for first, last, replacement, operator, change in operator_sites(src):
        start, end = src.span(first, last)
        if (start, end, replacement) in seen:
            continue
        seen.add((start, end, replacement))
        line = src.tokens[first].line
        found.append(Mutant(library, rel, line, start, end, replacement, operator, change,
                            lines[line - 1].strip()))
    found.sort(key=lambda m: (m.start, m.end, m.operator, m.replacement))
    counted = {}
    numbered = []
    for m in found:
        k = (m.text, m.operator, m.change)
        counted[k] = counted.get(k, 0) + 1
        numbered.append(Mutant(**{**m.__dict__, "occurrence": counted[k]}))
    return numbered


def candidates(root, libraries=LIBRARIES):
    """Every mutant of each library, in a fixed order: by file, then by place."""
    return {lib: [m for path in library_files(root, lib) for m in file_mutants(root, path, lib)]
            for lib in libraries}


def shuffled(mutants, seed, library):
    """The library's mutants in the order the seed draws them; a draw takes them from the
    front. Each library has its own generator, so that restricting a run to some libraries
    draws the same mutants for them."""
    order = list(mutants)
    random.Random(f"{seed}/{library}").shuffle(order)
    return order


# --- mutants shown equivalent -------------------------------------------------------------

def load_equivalent(path=EQUIVALENT):
    return json.loads(path.read_text(encoding="utf-8")) if path.is_file() else []


def matches(entry, mutant):
    key = mutant.key()
    return (all(entry.get(f) == key[f] for f in ("file", "line", "operator", "change"))
            and entry.get("occurrence", 1) == mutant.occurrence)


def equivalent_problems(entries, every):
    """What is wrong with the triage entries: missing fields, or no mutant they match."""
    found = []
    for n, e in enumerate(entries):
        missing = [f for f in ("file", "line", "operator", "change", "reason")
                   if not isinstance(e.get(f), str) or not e.get(f)]
        if missing:
            found.append(f"equivalent entry {n}: missing {', '.join(missing)}")
        elif not any(matches(e, m) for m in every):
            found.append(f"equivalent entry {n} ({e['file']}: {e['line']}) matches no mutant")
    return found
