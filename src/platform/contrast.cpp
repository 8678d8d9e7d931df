#include "platform/contrast.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
double luminance(const QColor &c) {
    const auto linear = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}
} // namespace

double contrastRatio(const QColor &a, const QColor &b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDark(const QColor &ground) {
    return contrastRatio(Qt::white, ground) > contrastRatio(Qt::black, ground);
}

QColor readableOn(const QColor &colour, const QColor &ground, double least) {
    const QColor towards = isDark(ground) ? QColor(Qt::white) : QColor(Qt::black);
    constexpr int steps = 20;
    QColor mixed = colour;
    for (int step = 1; step <= steps && contrastRatio(mixed, ground) < least; ++step) {
        const auto mix = [step](int from, int to) { return from + (to - from) * step / steps; };
        mixed = QColor(mix(colour.red(), towards.red()), mix(colour.green(), towards.green()),
                       mix(colour.blue(), towards.blue()));
    }
    return mixed;
}

} // namespace platform
