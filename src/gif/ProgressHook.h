// The progress window's side of the writer's progress hook, without the window: what a
// report shows, the gauge's numbers and the needle's line. The window itself supplies a
// ProgressDisplay.
#pragma once

#include "gif/GifDecl.h"

namespace lindor::gif {

// Minimum, maximum and progress of a gauge. Percentage done =
// (progress - minimum) * 100 / (maximum - minimum), truncated; 0 when both ends are equal.
class GaugeModel {
public:
    explicit GaugeModel(int minimum = 0, int maximum = 100);

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    int progress() const { return m_progress; }
    int percentDone() const;

    // Clamps `value` to minimum..maximum; true when the percentage done changed, which is
    // when the gauge must be painted again.
    bool setProgress(int value);

private:
    int m_minimum;
    int m_maximum;
    int m_progress;
};

// Whether a report of `fraction` shows the window (fractions up to 0.9999) or hides it.
// The fraction is taken in single precision, so 0.9999 itself still shows.
bool progressShows(double fraction);

// The gauge progress for a shown report: fraction * 100 rounded to the nearest integer,
// halves to even (0.125 gives 12, 0.9999 gives 100).
int progressPercentFor(double fraction);

// What the progress window does for the hook.
class ProgressDisplay {
public:
    virtual ~ProgressDisplay() = default;
    virtual bool isShown() const = 0;
    virtual void show() = 0;
    virtual void hide() = 0;
    virtual void setGaugeProgress(int percent) = 0;
    // Lets the windowing system handle what is pending, so the window is painted and
    // the program stays responsive during a long save.
    virtual void processPendingMessages() = 0;
};

// The hook handler: a report up to 0.9999 shows the window if hidden and sets the gauge;
// a larger one hides the window; pending messages run after every report. The display
// must outlive the hook.
ProgressHook makeProgressHook(ProgressDisplay& display);

struct NeedleLine {
    int fromX, fromY, toX, toY;
};

// The needle of a dial `width` wide whose base line is at `bottom`: from
// (width / 2, bottom - 1) to ((1 - cos a) * width / 2, (1 - sin a) * (bottom - 1)) with
// a = percent / 100 * pi, each coordinate rounded (halves to even). A small percentage
// points left, 50 straight up, 100 right.
NeedleLine needleLine(int percent, int width, int bottom);

} // namespace lindor::gif
