"""One C++ file as tools/mutants.py sees it: its tokens, the braces around each (function
body, lambda, block, braced initializer or a declaration's scope), the return type of each
function, the tokens no mutant may touch, and guesses at the role of an operator token."""
import re

from cpp_tokens import (KEYWORDS, TYPE_WORDS, VALUE_WORDS, is_operand_end, is_operand_start,
                        matching, template_brackets, tokenize)

LOGGING = {"qDebug", "qInfo", "qWarning", "qCritical", "qFatal", "qCDebug", "qCInfo",
           "qCWarning", "qCCritical"}
# Calls whose value is text: a '+' beside one joins strings, and '-' would not compile.
TEXT_CALLS = {"QStringLiteral", "QLatin1String", "QLatin1StringView", "QString", "QLatin1Char",
              "QChar", "QByteArray", "QByteArrayLiteral", "tr", "arg", "number"}
SPECIFIERS = {"static", "inline", "constexpr", "consteval", "virtual", "explicit", "friend",
              "extern"}
CONDITIONS = {"if", "while", "for", "switch", "catch"}
LOWER_TYPES = re.compile(r"q?u?int\d*|qint\d+|quint\d+|qreal|qsizetype|uchar|ushort|uint|ulong"
                         r"|\w+_t")
MACRO = re.compile(r"QT?_[A-Z0-9_]+")


def statement_after_condition(src, i):
    """Whether token i starts the statement of an if, while or for without braces."""
    if src.t(i - 1) != ")":
        return False
    opening = matching(src.tokens, i - 1)
    return opening is not None and src.t(opening - 1) in ("if", "while", "for")


class Source:
    """One file's tokens and what the operators need to know about them."""

    def __init__(self, text):
        self.text = text
        self.tokens = tokenize(text)
        self.templates, self.template_close = self._templates()
        self.dead = self._dead()
        self.scope = self._scopes()

    def tok(self, i):
        return self.tokens[i] if 0 <= i < len(self.tokens) else None

    def t(self, i):
        token = self.tok(i)
        return token.text if token else ""

    def _templates(self):
        """The template brackets, and for each '<' among them the token that closes it."""
        brackets = template_brackets(self.tokens)
        close = {}
        stack = []
        for i in sorted(brackets):
            if self.tokens[i].text == "<":
                stack.append(i)
            else:
                for _ in self.tokens[i].text:  # '>>' closes two
                    if stack:
                        close[stack.pop()] = i
        return brackets, close

    def _dead(self):
        """Tokens no mutant may touch: macro arguments, static assertions, logging, attributes,
        operator names and the '= 0' of a pure virtual function."""
        dead = set()
        toks = self.tokens
        for i, tok in enumerate(toks):
            name = tok.text
            if tok.kind == "ident" and (MACRO.fullmatch(name) or name == "static_assert"):
                dead.add(i)
                if self.t(i + 1) == "(":
                    dead.update(range(i, (matching(toks, i + 1) or i) + 1))
            elif name in LOGGING:
                first, last = self.statement_around(i)
                dead.update(range(first, last + 1))
            elif name == "[" and self.t(i + 1) == "[":
                dead.update(range(i, (matching(toks, i) or i) + 1))
            elif name == "operator":
                dead.update(range(i, i + 3))
            elif (name == "0" and self.t(i - 1) == "=" and self.t(i + 1) == ";"
                  and self.t(i - 2) in (")", "const", "override", "final", "noexcept")):
                dead.add(i)
        return dead

    def statement_around(self, i):
        """The first and last tokens of the statement that holds token i."""
        first = i
        while first > 0 and self.t(first - 1) not in (";", "{", "}"):
            first -= 1
        last, depth = i, 0
        while last + 1 < len(self.tokens):
            last += 1
            x = self.t(last)
            depth += (x in ("(", "[", "{")) - (x in (")", "]", "}"))
            if depth < 0 or (depth == 0 and x == ";"):
                break
        return first, last

    # --- braces -------------------------------------------------------------------------

    def _scopes(self):
        """For each token, the innermost brace around it: (kind, return type or None).
        Kinds: function, lambda, block, init (a braced initializer) and scope (namespace,
        class, enumeration) or top."""
        scope = []
        stack = [("top", None)]
        for i, tok in enumerate(self.tokens):
            if tok.text == "}" and len(stack) > 1:
                stack.pop()
            scope.append(stack[-1])
            if tok.text == "{":
                stack.append(self._brace(i, stack[-1][0]))
        return scope

    def in_code(self, i):
        """Whether token i lies in a function body (statements), not a declaration list."""
        return self.scope[i][0] in ("function", "lambda", "block")

    def function_of(self, i):
        """The innermost function or lambda around token i: its kind and return type."""
        j = i
        while j >= 0:
            kind, returned = self.scope[j]
            if kind in ("function", "lambda"):
                return kind, returned
            if kind in ("top", "scope"):
                return None, None
            # Step out of this brace: back to the '{' that opened it.
            depth = 0
            while j >= 0:
                x = self.t(j)
                if x == "}":
                    depth += 1
                elif x == "{":
                    if depth == 0:
                        break
                    depth -= 1
                j -= 1
            j -= 1
        return None, None

    def _back_over_qualifiers(self, k):
        while self.t(k) in ("const", "override", "final", "noexcept", "mutable", "volatile",
                            "&", "&&"):
            k -= 1
        return k

    def _brace(self, b, outer):
        """What the '{' at b opens, inside a brace of kind `outer`: (kind, return type)."""
        prev = self.tok(b - 1)
        if prev is None:
            return ("scope", None)
        if outer == "init" and prev.text in ("{", ","):
            return ("init", None)
        trailing = None
        k = b - 1
        # A trailing return type: "(...) -> Type {".
        for back in range(1, 12):
            if self.t(b - back) == "->":
                trailing = [t.text for t in self.tokens[b - back + 1:b]]
                k = b - back - 1
                break
            if self.t(b - back) in (";", "{", "}", ")", "=", "("):
                break
        k = self._back_over_qualifiers(k)
        if self.t(k) == ")":
            opening = matching(self.tokens, k)
            if opening is not None:
                before = self.t(opening - 1)
                if before == "]":
                    return ("lambda", trailing)
                if before in CONDITIONS or (before == "constexpr" and
                                           self.t(opening - 2) == "if"):
                    return ("block", None)
                if self.tok(opening - 1).kind == "ident" or "operator" in (
                        self.t(opening - 2), self.t(opening - 3)):
                    return ("function", trailing or self._return_type(opening - 1))
            return ("block", None)
        if prev.text == "]":
            return ("lambda", trailing)
        if prev.text in ("else", "do", "try", ";", "{", "}", ":"):
            return ("block", None)
        if self._declares_type(b):
            return ("scope", None)
        return ("init", None)

    def _declares_type(self, b):
        """Whether the '{' at b opens a namespace, class, structure or enumeration."""
        j = b - 1
        while j >= 0 and self.t(j) not in (";", "{", "}"):
            if self.t(j) in ("namespace", "class", "struct", "union", "enum"):
                return True
            if self.t(j) in (")", "]"):
                j = matching(self.tokens, j) or j
            j -= 1
        return False

    def _return_type(self, name_end):
        """The return type of the function named by the token at name_end, as token texts;
        [] for a constructor or destructor, None when it cannot be told."""
        k = name_end
        for back in (1, 2):
            if self.t(k - back) == "operator":
                k -= back
                break
        while self.t(k - 1) in ("::", "~"):
            k -= 2 if self.t(k - 1) == "::" else 1
            if self.t(k) == ">" and k in self.templates:
                return None
        if self.t(k - 1) in (",", ":") and self.t(k - 2) != ":":
            return []  # a member initializer, "Class(...) : member(value) {"
        returned = []
        j = k - 1
        while j >= 0:
            x = self.t(j)
            if x in (";", "{", "}", ":", "public", "private", "protected"):
                break
            if x in (">", ">>") and j in self.templates:
                opener = max((o for o, c in self.template_close.items() if c == j), default=None)
                if opener is None:
                    return None
                if self.t(opener - 1) == "template":
                    break
                returned[:0] = [t.text for t in self.tokens[opener:j + 1]]
                j = opener - 1
                continue
            if x == ")":
                opening = matching(self.tokens, j)
                if opening is None:
                    return None
                returned[:0] = [t.text for t in self.tokens[opening:j + 1]]
                j = opening - 1
                continue
            if x == "]" and self.t(j - 1) == "]":
                j = (matching(self.tokens, j) or j) - 1
                continue
            returned.insert(0, x)
            j -= 1
        return [x for x in returned if x not in SPECIFIERS]

    # --- expressions ----------------------------------------------------------------------

    def declarator_like(self, i):
        """Whether the '*' or '&&' at i may belong to a declaration ("QFile *file",
        "Args &&...args") rather than be an operator: then it is left alone."""
        prev, before = self.tok(i - 1), self.t(i - 2)
        if prev.kind != "ident":
            return False
        if prev.text in TYPE_WORDS or LOWER_TYPES.fullmatch(prev.text):
            return True
        return prev.text[0].isupper() and before in (
            "(", ",", "{", "}", ";", ":", "<", "::", "const", "static", "constexpr", "inline",
            "virtual", "explicit", "friend", "public", "private", "protected", "class",
            "struct", "enum", "union", "typename", "")

    def binary(self, i):
        prev, nxt = self.tok(i - 1), self.tok(i + 1)
        if prev is None or nxt is None or not is_operand_end(prev) or not is_operand_start(nxt):
            return False
        # "if (p) *p = v;": the parenthesis ends a condition, not an operand.
        return not statement_after_condition(self, i)

    def negated_operand(self, first, last):
        """Whether tokens first..last are '!' and one operand, with no operator after it:
        negating them all is the same mutant as removing the '!'."""
        if self.t(first) != "!":
            return False
        j = first + 1
        while j <= last:
            x = self.t(j)
            if x in ("(", "[", "{"):
                j = matching(self.tokens, j) or last
            elif x == "<" and j in self.template_close:
                j = self.template_close[j]
            elif self.tokens[j].kind == "punct" and x not in (".", "->", "::", ")", "]", "}"):
                return False
            j += 1
        return True

    def joins_text(self, i):
        """Whether the '+' at i is likely to join strings."""
        prev, nxt = self.tok(i - 1), self.tok(i + 1)
        if "string" in (prev.kind, nxt.kind):
            return True
        # A UTF-16 character beside '+' is nearly always a QChar joined to a QString.
        if any(t.kind == "char" and t.text.startswith("u'") for t in (prev, nxt)):
            return True
        if nxt.text in TEXT_CALLS:
            return True
        if prev.text == ")":
            opening = matching(self.tokens, i - 1)
            return opening is not None and self.t(opening - 1) in TEXT_CALLS
        return False

    def arguments(self, opening):
        """The token ranges [first, last] of the arguments of the call whose '(' is at opening."""
        closing = matching(self.tokens, opening)
        if closing is None or closing == opening + 1:
            return []
        found, first, j = [], opening + 1, opening + 1
        while j < closing:
            x = self.t(j)
            if x in ("(", "[", "{"):
                j = matching(self.tokens, j) or j
            elif x == "<" and j in self.template_close:
                j = self.template_close[j]
            elif x == ",":
                found.append((first, j - 1))
                first = j + 1
            j += 1
        found.append((first, closing - 1))
        return found

    def simple(self, first, last):
        """Whether tokens first..last are one identifier, qualified name or literal."""
        toks = self.tokens[first:last + 1]
        if len(toks) == 1:
            t = toks[0]
            return t.kind in ("number", "string", "char") or (
                t.kind == "ident" and (t.text in VALUE_WORDS or t.text not in KEYWORDS))
        if len(toks) == 2 and toks[0].text == "-" and toks[1].kind == "number":
            return True
        return (len(toks) % 2 == 1 and all(t.kind == "ident" and t.text not in KEYWORDS
                                           for t in toks[::2])
                and all(t.text == "::" for t in toks[1::2]))

    def same_kind(self, a, b):
        """Whether two simple arguments may have one type: a text, a character or an
        enumerator (a qualified name) swapped with something else would not compile."""
        def kind(first, last):
            t = self.tokens[first]
            return t.kind if t.kind in ("string", "char") else "qualified" if last > first \
                and self.t(first + 1) == "::" else "other"
        return kind(*a) == kind(*b)

    def span(self, first, last):
        return self.tokens[first].start, self.tokens[last].end

    def source(self, first, last):
        start, end = self.span(first, last)
        return self.text[start:end]
