// The commands that change the Range: the range window's Redraw, zoom in and out, undo zoom
// and the zoom box. Each is one undo step; a refused range changes nothing.
#pragma once

#include <QObject>
#include <QString>

#include "graph/Model.h"
#include "graph/analysis/SearchBox.h"
#include "graph/analysis/ZoomTexts.h"
#include "ui/FrameWindows.h"

namespace lindor::ui {

class AppState;
class Questions;
class WorkSteps;

class RangeCommands : public QObject {
    Q_OBJECT
public:
    RangeCommands(AppState& app, Questions& questions, WorkSteps& steps,
                  const FrameWindows& windows, QObject* parent = nullptr);

    // Converts the range window's texts and applies them; false (with a message, and
    // nothing changed) when a text is not a number or the Range cannot be drawn.
    bool applyRange();
    // Zoom in and out about the origin by the zoom factors, from the range window's texts.
    void zoom(graph::analysis::ZoomDirection direction);
    // The range before the last zoom.
    void undoZoom();
    // The zoom box: the box becomes the Range, with steps that suit it.
    void zoomToBox(const graph::analysis::SearchBox& box);

    // The graph and the range window show the work's Range and texts (no redraw).
    void showRange();

private:
    QString text(const char* key) const;
    // Converts the texts; when the graph takes the Range they become the work's and the range
    // window's texts and the graph is redrawn. Otherwise a message, and nothing changes.
    bool applyRangeTexts(const graph::RangeTexts& texts);
    // A zoom from the range window's texts to `texts`: applied, the undo copy holds those
    // the window showed before.
    void zoomTo(const QString& name, const graph::RangeTexts& texts);

    AppState& m_app;
    Questions& m_questions;
    WorkSteps& m_steps;
    FrameWindows m_windows;
};

} // namespace lindor::ui
