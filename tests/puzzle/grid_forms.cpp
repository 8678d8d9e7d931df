#include "puzzle/grid_forms.h"

#include <algorithm>
#include <array>

namespace gridForms {

namespace {

struct Cell {
    int row;
    int col;
};

// Where the cell that lands on (r, c) comes from, for each symmetry.
Cell sourceCell(int symmetry, int r, int c) {
    switch (symmetry) {
    case 1: // quarter turn clockwise
        return {8 - c, r};
    case 2: // half turn
        return {8 - r, 8 - c};
    case 3: // quarter turn anticlockwise
        return {c, 8 - r};
    case 4: // main diagonal
        return {c, r};
    case 5: // anti-diagonal
        return {8 - c, 8 - r};
    case 6: // left-right mirror
        return {r, 8 - c};
    case 7: // top-bottom mirror
        return {8 - r, c};
    default:
        return {r, c};
    }
}

} // namespace

QByteArray symmetric(const QByteArray &grid, int symmetry) {
    QByteArray out(81, '0');
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const Cell from = sourceCell(symmetry, r, c);
            out[r * 9 + c] = grid.at(from.row * 9 + from.col);
        }
    }
    return out;
}

QByteArray relabelled(const QByteArray &grid) {
    std::array<char, 256> label{};
    char next = '1';
    QByteArray out(grid.size(), '0');
    for (qsizetype i = 0; i < grid.size(); ++i) {
        char &mapped = label[static_cast<unsigned char>(grid.at(i))];
        if (mapped == 0)
            mapped = next++;
        out[i] = mapped;
    }
    return out;
}

QByteArray canonicalForm(const QByteArray &grid) {
    QByteArray best = relabelled(grid);
    for (int symmetry = 1; symmetry < 8; ++symmetry)
        best = std::min(best, relabelled(symmetric(grid, symmetry)));
    return best;
}

bool isCompleteGrid(const QByteArray &grid, QString *problem) {
    auto fail = [problem](const QString &what) {
        if (problem)
            *problem = what;
        return false;
    };
    if (grid.size() != 81)
        return fail(QStringLiteral("length %1 instead of 81").arg(grid.size()));
    static const char *const unitNames[] = {"row", "column", "box"};
    for (int kind = 0; kind < 3; ++kind) {
        for (int unit = 0; unit < 9; ++unit) {
            int seen = 0;
            for (int k = 0; k < 9; ++k) {
                int r = unit;
                int c = k;
                if (kind == 1) {
                    std::swap(r, c);
                } else if (kind == 2) {
                    r = unit / 3 * 3 + k / 3;
                    c = unit % 3 * 3 + k % 3;
                }
                const char ch = grid.at(r * 9 + c);
                if (ch >= '1' && ch <= '9')
                    seen |= 1 << (ch - '0');
            }
            if (seen != 0x3fe)
                return fail(QStringLiteral("%1 %2 is not a permutation of 1-9")
                                .arg(QLatin1String(unitNames[kind]))
                                .arg(unit + 1));
        }
    }
    return true;
}

} // namespace gridForms
