"""C++ tokens as far as tools/mutants.py needs them: each with its place in the text, comments
and preprocessor lines left out, string and character literals kept whole, and a guess at
which '<' and '>' bracket template arguments rather than compare."""
import re
from dataclasses import dataclass

PUNCTUATORS = sorted("""
    >>= <<= <=> ->* ... :: -> .* ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= ##
    { } [ ] ( ) ; : ? . , + - * / % ^ & | ~ ! = < > #
""".split(), key=len, reverse=True)

TYPE_WORDS = {"int", "char", "bool", "void", "auto", "double", "float", "long", "short",
              "unsigned", "signed", "const", "volatile", "wchar_t", "char8_t", "char16_t",
              "char32_t", "typename", "class", "struct", "enum", "union"}
VALUE_WORDS = {"this", "true", "false", "nullptr"}
KEYWORDS = TYPE_WORDS | {
    "return", "case", "default", "new", "delete", "throw", "sizeof", "alignof", "typeid",
    "decltype", "if", "else", "while", "for", "do", "switch", "break", "continue", "goto",
    "operator", "template", "using", "namespace", "public", "private", "protected", "static",
    "constexpr", "consteval", "constinit", "inline", "virtual", "explicit", "friend", "mutable",
    "noexcept", "extern", "typedef", "try", "catch", "co_return", "co_await", "co_yield",
    "static_assert", "thread_local", "register", "alignas", "concept", "requires"}
CASTS = {"static_cast", "dynamic_cast", "const_cast", "reinterpret_cast", "qobject_cast",
         "qgraphicsitem_cast"}

_SPACE = re.compile(r"\s+")
_IDENT = re.compile(r"[A-Za-z_]\w*")
_NUMBER = re.compile(r"\.?\d(?:[eEpP][+-]|'(?=\w)|[\w.])*")
_STRING_PREFIX = re.compile(r"(?:u8|u|U|L)?R?(?=[\"'])")


@dataclass
class Token:
    kind: str  # ident, number, string, char or punct
    text: str
    start: int
    end: int
    line: int  # 1-based

    def __repr__(self):
        return f"{self.text}@{self.line}"


def _skip_string(text, i, quote):
    """Index just past the literal whose opening quote is at i."""
    i += 1
    while i < len(text) and text[i] != quote:
        if text[i] == "\\":
            i += 1
        elif text[i] == "\n":  # unterminated: stop at the line end
            return i
        i += 1
    return i + 1


def tokenize(text):
    """The tokens of `text`; comments and whole preprocessor lines are not among them."""
    tokens = []
    i, line, line_start = 0, 1, True
    n = len(text)
    while i < n:
        c = text[i]
        if c == "\n":
            line, line_start, i = line + 1, True, i + 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if text.startswith("//", i):
            i = text.find("\n", i)
            i = n if i < 0 else i
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            line += text.count("\n", i, end)
            i = end
            continue
        if c == "#" and line_start:
            # A directive runs to the first line end without a backslash before it.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and text.startswith("\n", i + 1):
                    line += 1
                    i += 1
                i += 1
            continue
        line_start = False
        start = i
        prefix = _STRING_PREFIX.match(text, i)
        if prefix and (prefix.end() > i or c in "\"'"):
            j = prefix.end()
            if "R" in prefix.group() and text[j] == '"':
                delimiter = text[j + 1:text.index("(", j)]
                j = text.index(")" + delimiter + '"', j) + len(delimiter) + 2
            else:
                j = _skip_string(text, j, text[j])
            kind = "char" if text[prefix.end()] == "'" else "string"
            tokens.append(Token(kind, text[start:j], start, j, line))
            line += text.count("\n", start, j)
            i = j
            continue
        m = _IDENT.match(text, i) or None
        if m:
            tokens.append(Token("ident", m.group(), start, m.end(), line))
            i = m.end()
            continue
        m = _NUMBER.match(text, i)
        if m:
            tokens.append(Token("number", m.group(), start, m.end(), line))
            i = m.end()
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                tokens.append(Token("punct", p, start, i + len(p), line))
                i += len(p)
                break
        else:
            i += 1  # a stray character (e.g. '@', '$' or '\\'): nothing to mutate in it
    return tokens


def is_operand_end(token):
    """Whether an expression can end with `token`, so that an operator after it is binary."""
    if token.kind in ("number", "string", "char"):
        return True
    if token.kind == "ident":
        return token.text in VALUE_WORDS or token.text not in KEYWORDS
    return token.text in (")", "]")


def is_operand_start(token):
    if token.kind in ("number", "string", "char"):
        return True
    if token.kind == "ident":
        return token.text in VALUE_WORDS or token.text not in TYPE_WORDS | {"return", "case"}
    return token.text in ("(", "!", "~", "-", "+", "*", "&", "::", "++", "--", "[")


def matching(tokens, i):
    """Index of the bracket that closes (or opens) the one at i; None when there is none."""
    pairs = {"(": ")", "[": "]", "{": "}"}
    closing = {v: k for k, v in pairs.items()}
    text = tokens[i].text
    step, same, other = ((1, text, pairs[text]) if text in pairs
                         else (-1, text, closing[text]))
    depth = 0
    j = i
    while 0 <= j < len(tokens):
        if tokens[j].text == same:
            depth += 1
        elif tokens[j].text == other:
            depth -= 1
            if depth == 0:
                return j
        j += step
    return None


# Inside template arguments, any of these at the outer level means '<' was a comparison.
_NOT_IN_ARGUMENTS = {";", "{", "}", "&&", "||", "?", "=", "+=", "-=", "*=", "/=", ">=",
                     ">>=", "<=", "return"}


def template_brackets(tokens):
    """Indices of the '<', '>' and '>>' tokens taken for template brackets. A '<' counts as one
    when a matching '>' follows before anything only an expression could hold, so that an
    unsure case is left alone rather than mutated."""
    brackets = set()
    for i, t in enumerate(tokens):
        if t.text != "<" or i == 0:
            continue
        prev = tokens[i - 1]
        certain = prev.text == "template" or prev.text in CASTS
        if prev.kind != "ident" and not certain:
            continue
        if prev.text == "operator":
            continue
        depth, parens = 1, 0
        found = []
        for j in range(i + 1, len(tokens)):
            x = tokens[j].text
            if x in ("(", "["):
                parens += 1
            elif x in (")", "]"):
                parens -= 1
                if parens < 0:
                    break
            elif parens == 0:
                if x in ("{", "}", ";") or (x in _NOT_IN_ARGUMENTS and not certain):
                    break
                if x == "<" and tokens[j - 1].kind == "ident":
                    depth += 1
                elif x in (">", ">>"):
                    found.append(j)
                    depth -= len(x)
                    if depth <= 0:
                        brackets.add(i)
                        brackets.update(found)
                        break
    return brackets
