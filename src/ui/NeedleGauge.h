// A dial that shows a percentage with a needle: a half ellipse in the back colour,
// outlined in the fore colour, a base line, the needle from the middle of the base line
// (left at 0 %, straight up at 50 %, right at 100 %) and the percentage as text, drawn
// so that it stays readable over both colours.
#pragma once

#include <QColor>
#include <QWidget>

#include "gif/ProgressHook.h"

namespace lindor::ui {

class TGauge : public QWidget {
    Q_OBJECT

public:
    explicit TGauge(QWidget* parent = nullptr);

    int minValue() const { return m_model.minimum(); }
    int maxValue() const { return m_model.maximum(); }
    int progress() const { return m_model.progress(); }
    // (progress - minimum) * 100 / (maximum - minimum), truncated; 0 when both are equal.
    int percentDone() const { return m_model.percentDone(); }

    // The progress is kept within minimum..maximum. The dial is painted again only when
    // the percentage changes.
    void setProgress(int value);
    void setRange(int minimum, int maximum);

    // The dial as it is painted inside the border, for the given percentage.
    QImage dialPicture(QSize size) const;

    QSize sizeHint() const override { return {200, 110}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    gif::GaugeModel m_model{0, 100};
    QColor m_foreColor{Qt::blue};
    QColor m_backColor{Qt::white};
};

} // namespace lindor::ui
