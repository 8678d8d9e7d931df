#!/usr/bin/env python3
"""Write the solution bank table, src/puzzle/bank_data.cpp.

Usage (from the repository root):

    python3 tools/make_bank.py src/puzzle/bank_data.cpp

Entries 1-3 are fixed grids. Entries 4-250 are complete grids of the 9x9
number-placement puzzle made by a randomised backtracking fill driven by
random.Random(SEED), so the output is the same byte for byte on every run.
A candidate is rejected when it is equivalent to an entry already in the bank:
the same grid up to a relabelling of the digits combined with any of the eight
rotations and reflections of the board.

Before writing, the whole bank is checked again (size, fixed entries, every
row, column and box a permutation of 1-9, pairwise non-equivalence); on any
failure nothing is written and the script exits with a non-zero status.
Standard library only.
"""

import argparse
import random
import sys

BANK_SIZE = 250
SEED = 20_250_611

FIXED_ENTRIES = (
    "358764291297318465164925837782651349643279158519843672825496713976132584431587926",
    "291385476367149528845267391732456819584791632916823745423518967159674283678932154",
    "812596734357248169469713285293475618741689352586132947128357496635924871974861523",
)

ALL_DIGITS = (1 << 10) - 2  # bits 1..9


def box_of(row, col):
    return (row // 3) * 3 + col // 3


# The 27 units (rows, columns, boxes), each as nine 0-based cell indices.
UNITS = (
    [[r * 9 + c for c in range(9)] for r in range(9)]
    + [[r * 9 + c for r in range(9)] for c in range(9)]
    + [[(b // 3 * 3 + i // 3) * 9 + b % 3 * 3 + i % 3 for i in range(9)] for b in range(9)]
)

# The eight symmetries of the square board: for each, the source (row, col)
# of the cell that lands on (r, c).
SYMMETRIES = (
    lambda r, c: (r, c),  # identity
    lambda r, c: (8 - c, r),  # quarter turn clockwise
    lambda r, c: (8 - r, 8 - c),  # half turn
    lambda r, c: (c, 8 - r),  # quarter turn anticlockwise
    lambda r, c: (c, r),  # main diagonal
    lambda r, c: (8 - c, 8 - r),  # anti-diagonal
    lambda r, c: (r, 8 - c),  # left-right mirror
    lambda r, c: (8 - r, c),  # top-bottom mirror
)

# For each symmetry, the source index of every target cell, in row-major order.
SYMMETRY_MAPS = tuple(
    tuple(sr * 9 + sc for sr, sc in (sym(r, c) for r in range(9) for c in range(9)))
    for sym in SYMMETRIES
)


def is_valid_grid(grid):
    if len(grid) != 81 or any(ch not in "123456789" for ch in grid):
        return False
    return all(sorted(grid[i] for i in unit) == list("123456789") for unit in UNITS)


def relabelled(grid):
    """Renumber the digits 1, 2, 3... in order of first appearance."""
    labels = {}
    out = []
    for ch in grid:
        if ch not in labels:
            labels[ch] = str(len(labels) + 1)
        out.append(labels[ch])
    return "".join(out)


def canonical_form(grid):
    """Smallest relabelled reading over the eight symmetries of the board."""
    return min(relabelled("".join(grid[i] for i in m)) for m in SYMMETRY_MAPS)


def random_grid(rng):
    """Fill an empty board by backtracking: most constrained cell first, digits shuffled."""
    cells = [0] * 81
    row_used = [0] * 9
    col_used = [0] * 9
    box_used = [0] * 9

    def candidates(i):
        r, c = divmod(i, 9)
        return ALL_DIGITS & ~(row_used[r] | col_used[c] | box_used[box_of(r, c)])

    def fill(remaining):
        if remaining == 0:
            return True
        best, best_count = -1, 10
        for i in range(81):
            if cells[i] == 0:
                count = bin(candidates(i)).count("1")
                if count < best_count:
                    best, best_count = i, count
                    if count <= 1:
                        break
        if best_count == 0:
            return False
        mask = candidates(best)
        digits = [d for d in range(1, 10) if mask >> d & 1]
        rng.shuffle(digits)
        r, c = divmod(best, 9)
        b = box_of(r, c)
        for d in digits:
            bit = 1 << d
            cells[best] = d
            row_used[r] |= bit
            col_used[c] |= bit
            box_used[b] |= bit
            if fill(remaining - 1):
                return True
            row_used[r] &= ~bit
            col_used[c] &= ~bit
            box_used[b] &= ~bit
        cells[best] = 0
        return False

    if not fill(81):
        raise RuntimeError("backtracking fill found no grid")
    return "".join(str(d) for d in cells)


def build_bank():
    bank = list(FIXED_ENTRIES)
    forms = {canonical_form(g) for g in bank}
    rng = random.Random(SEED)
    while len(bank) < BANK_SIZE:
        grid = random_grid(rng)
        form = canonical_form(grid)
        if form in forms:
            continue
        forms.add(form)
        bank.append(grid)
    return bank


def check_bank(bank):
    """Return a list of problems; empty when the bank keeps every invariant."""
    problems = []
    if len(bank) != BANK_SIZE:
        problems.append(f"bank has {len(bank)} entries, expected {BANK_SIZE}")
    for n, fixed in enumerate(FIXED_ENTRIES, start=1):
        if len(bank) < n or bank[n - 1] != fixed:
            problems.append(f"entry {n} differs from its fixed digits")
    first_with_form = {}
    for n, grid in enumerate(bank, start=1):
        if not is_valid_grid(grid):
            problems.append(f"entry {n} is not a complete valid grid")
            continue
        form = canonical_form(grid)
        if form in first_with_form:
            problems.append(f"entry {n} is equivalent to entry {first_with_form[form]}")
        else:
            first_with_form[form] = n
    return problems


def render(bank):
    lines = [
        "// Generated by tools/make_bank.py: do not edit by hand.",
        "// Regenerate with: python3 tools/make_bank.py src/puzzle/bank_data.cpp",
        "",
        '#include "puzzle/bank.h"',
        "",
        "namespace modGrille {",
        "",
        "// clang-format off",
        "const char SolutionBank[GridCount][82] = {",
    ]
    lines += [f'    "{grid}", // {n}' for n, grid in enumerate(bank, start=1)]
    lines += [
        "};",
        "// clang-format on",
        "",
        "} // namespace modGrille",
        "",
    ]
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description="Write the solution bank table.")
    parser.add_argument("output", help="path of the C++ file to write")
    args = parser.parse_args()

    bank = build_bank()
    problems = check_bank(bank)
    if problems:
        for problem in problems:
            print(f"make_bank.py: {problem}", file=sys.stderr)
        return 1
    with open(args.output, "w", encoding="ascii", newline="\n") as out:
        out.write(render(bank))
    return 0


if __name__ == "__main__":
    sys.exit(main())
