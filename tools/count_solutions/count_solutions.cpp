// Measures how many of the game's puzzles have exactly one solution. Puzzles are made as a
// new game makes them (PrepareGrille on an in-memory board, from the built-in bank), and each
// is solved by backtracking that stops at the second solution found. A measurement for the
// README, not part of the game.
// Usage: count_solutions [PUZZLES_PER_LEVEL [SEED]]   (defaults: 1000 and 1)

#include "puzzle/memory_board.h"
#include "puzzle/prepare.h"

#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int Cells = modGrille::CellCount;
constexpr unsigned AllDigits = 0x3FE; // bits 1 to 9

int boxOf(int cell) {
    return cell / 27 * 3 + cell % 9 / 3;
}

// The grid's digits (0 for empty) and, per row, column and box, the digits already used.
struct Grid {
    std::array<int, Cells> digit{};
    std::array<unsigned, 9> row{}, column{}, box{};

    unsigned used(int cell) const { return row[cell / 9] | column[cell % 9] | box[boxOf(cell)]; }
    void flip(int cell, int d) {
        const unsigned bit = 1u << d;
        row[cell / 9] ^= bit;
        column[cell % 9] ^= bit;
        box[boxOf(cell)] ^= bit;
    }
};

// Counts the grid's solutions, stopping at `limit`. Fills the empty cell with the fewest
// candidates first, which keeps the search small even with 16 givens.
int countSolutions(Grid &grid, int limit) {
    int best = -1;
    unsigned bestCandidates = 0;
    int fewest = 10;
    for (int cell = 0; cell < Cells; ++cell) {
        if (grid.digit[cell] != 0)
            continue;
        const unsigned candidates = AllDigits & ~grid.used(cell);
        const int n = std::popcount(candidates);
        if (n < fewest) {
            fewest = n;
            best = cell;
            bestCandidates = candidates;
            if (n == 0)
                return 0;
        }
    }
    if (best < 0)
        return 1; // no empty cell left: one solution
    int found = 0;
    for (int d = 1; d <= 9 && found < limit; ++d) {
        if (!(bestCandidates & (1u << d)))
            continue;
        grid.digit[best] = d;
        grid.flip(best, d);
        found += countSolutions(grid, limit - found);
        grid.flip(best, d);
        grid.digit[best] = 0;
    }
    return found;
}

Grid gridOf(const modGrille::MemoryBoard &board) {
    Grid grid;
    for (int cell = 0; cell < Cells; ++cell) {
        const QString text = board.text(cell);
        if (text.isEmpty())
            continue;
        grid.digit[cell] = text.toInt();
        grid.flip(cell, grid.digit[cell]);
    }
    return grid;
}

} // namespace

int main(int argc, char **argv) {
    const int perLevel = argc > 1 ? std::atoi(argv[1]) : 1000;
    const unsigned long long seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
    if (perLevel <= 0) {
        std::fprintf(stderr, "usage: count_solutions [PUZZLES_PER_LEVEL [SEED]]\n");
        return 2;
    }
    static const char *const names[] = {"Beginner", "Easy",      "Medium",
                                        "Advanced", "Difficult", "Expert"};
    // One draw sequence for the whole run, as one game session draws puzzle after puzzle.
    modGrille::SeededRandom random(seed);
    std::printf("%d puzzles per level, seed %llu\n", perLevel, seed);
    std::printf("%-10s %6s %7s %14s\n", "level", "empty", "givens", "one solution");
    for (qint16 level = 0; level <= modGrille::HighestLevel; ++level) {
        int unique = 0;
        for (int i = 0; i < perLevel; ++i) {
            modGrille::MemoryBoard board;
            qint16 numGrille = 0;
            modGrille::PrepareGrille(board, level, random, numGrille);
            Grid grid = gridOf(board);
            if (countSolutions(grid, 2) == 1)
                ++unique;
        }
        const int blanks = modGrille::BlankCount(level);
        std::printf("%-10s %6d %7d %5d (%5.1f %%)\n", names[level], blanks, Cells - blanks, unique,
                    100.0 * unique / perLevel);
    }
    return 0;
}
