#include "gif/ProgressHook.h"

#include <cmath>

namespace lindor::gif {
namespace {

// Rounds to the nearest integer, halves to even (the default floating-point rounding).
int roundHalfEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

} // namespace

GaugeModel::GaugeModel(int minimum, int maximum)
    : m_minimum(minimum), m_maximum(maximum < minimum ? minimum : maximum), m_progress(minimum) {}

int GaugeModel::percentDone() const {
    if (m_maximum == m_minimum)
        return 0;
    const long long done = static_cast<long long>(m_progress) - m_minimum;
    return static_cast<int>(done * 100 / (static_cast<long long>(m_maximum) - m_minimum));
}

bool GaugeModel::setProgress(int value) {
    if (value < m_minimum)
        value = m_minimum;
    if (value > m_maximum)
        value = m_maximum;
    const int before = percentDone();
    m_progress = value;
    return percentDone() != before;
}

bool progressShows(double fraction) {
    return static_cast<double>(static_cast<float>(fraction)) <= 0.9999;
}

int progressPercentFor(double fraction) {
    return roundHalfEven(static_cast<double>(static_cast<float>(fraction)) * 100.0);
}

ProgressHook makeProgressHook(ProgressDisplay& display) {
    return [&display](double fraction) {
        if (progressShows(fraction)) {
            if (!display.isShown())
                display.show();
            display.setGaugeProgress(progressPercentFor(fraction));
        } else {
            display.hide();
        }
        display.processPendingMessages();
    };
}

NeedleLine needleLine(int percent, int width, int bottom) {
    const double pi = std::acos(-1.0);
    const double a = percent / 100.0 * pi;
    NeedleLine line;
    line.fromX = width / 2;
    line.fromY = bottom - 1;
    line.toX = roundHalfEven((1.0 - std::cos(a)) * width / 2.0);
    line.toY = roundHalfEven((1.0 - std::sin(a)) * (bottom - 1));
    return line;
}

} // namespace lindor::gif
