// The whole desktop program in one test: the run's state on a settings file in a fresh
// folder, the real main frame with its windows, and questions answered from a script.
#pragma once

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTest>
#include <memory>

#include "ScriptedQuestions.h"
#include "files/TempDir.h"
#include "ui/AppState.h"
#include "ui/DocumentCommands.h"
#include "ui/EntryBox.h"
#include "ui/FrameActions.h"
#include "ui/FrameController.h"
#include "ui/GraphWindow.h"
#include "ui/LogWindow.h"
#include "ui/MainFrame.h"
#include "ui/RangeCommands.h"
#include "ui/RangeWindow.h"
#include "ui/SelectionSteps.h"
#include "ui/WorkSteps.h"

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace lindor::ui::test {

class FrameTest : public ::testing::Test {
protected:
    FrameTest() { start(); }
    ~FrameTest() override { stop(); }

    void start(const QStringList& functions = {}) {
        app = std::make_unique<AppState>(
            AppPaths{LINDOR_DATA_DIR, LINDOR_DATA_DIR, dir.file("lindor.INI")}, NumberLocale{});
        app->language.setMessageHandler(
            [](const std::string& message) { ADD_FAILURE() << message; });
        app->loadSettings();
        frame = std::make_unique<TMDIFrame>(*app, questions);
        frame->resize(1200, 800);
        frame->show();
        frame->FormShow(functions);
        QApplication::processEvents();
    }
    void stop() {
        // Unsaved work is asked about only where a test says so.
        if (app)
            app->undoStack.setClean();
        if (frame)
            frame->close();
        frame.reset();
        app.reset();
    }
    void restart(const QStringList& functions = {}) {
        stop();
        start(functions);
    }

    EntryBox& entry() { return frame->entryBox(); }
    TGraphWindow& graph() { return frame->graphWindow(); }
    graph::GraphState& state() { return app->graphState(); }
    QAction* action(const char* name) { return frame->actions()[name]; }
    QString text(const char* key) { return QString::fromStdString(app->language.text(key)); }
    QString status() { return frame->statusBar()->currentMessage(); }
    QStringList log() { return frame->logWindow().lines(); }

    // Types a function into the entry box and presses Enter.
    void plot(const QString& function) {
        entry().setText(function);
        QTest::keyClick(&entry(), Qt::Key_Return);
    }
    // The window pixel of a point of the plane.
    QPoint pixel(long double x, long double y) {
        return QPoint(state().XToColumn(x), state().YToRow(y));
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, graph().mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(&graph(), &event);
    }
    // Drags a rectangle over the graph from one plane point to another.
    void drag(long double x0, long double y0, long double x1, long double y1) {
        const QPoint from = pixel(x0, y0);
        const QPoint to = pixel(x1, y1);
        mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
        mouse(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        mouse(QEvent::MouseMove, to, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
    // True when the bitmap holds a red pixel within `radius` of the point's pixel.
    bool markedAt(long double x, long double y, int radius = 6) {
        const QImage& image = graph().bitmap();
        const QPoint c = pixel(x, y);
        for (int dy = -radius; dy <= radius; ++dy)
            for (int dx = -radius; dx <= radius; ++dx) {
                const QPoint p = c + QPoint(dx, dy);
                if (image.rect().contains(p) && image.pixel(p) == qRgb(255, 0, 0))
                    return true;
            }
        return false;
    }

    // Plays the user's part in the function selection dialog: selects these rows, OK.
    static std::function<int(QDialog&)> choose(std::vector<int> rows) {
        return [rows](QDialog& dialog) {
            auto* list = dialog.findChild<QAbstractItemView*>("lstboxGraph");
            EXPECT_NE(list, nullptr);
            if (!list)
                return int(QDialog::Rejected);
            for (int row : rows)
                list->selectionModel()->select(list->model()->index(row, 0),
                                               QItemSelectionModel::Select);
            return int(QDialog::Accepted);
        };
    }

    files::testing::TempDir dir;
    ScriptedQuestions questions;
    std::unique_ptr<AppState> app;
    std::unique_ptr<TMDIFrame> frame;
};

} // namespace lindor::ui::test
