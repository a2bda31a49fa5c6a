// Shared set-up of the desktop tests: a run's state with its settings file in a
// temporary folder, the English texts, and a small graph drawn on the picture surfaces.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <memory>

#include "qt/GraphSurfaces.h"
#include "ui/AppState.h"

namespace lindor::ui::test {

class AppStateTest : public ::testing::Test {
protected:
    AppStateTest() {
        AppPaths paths;
        paths.programFolder = m_dir.path().toStdString();
        paths.dataFolder = LINDOR_DATA_DIR;
        paths.settingsFile = m_dir.filePath(QStringLiteral("lindor.INI")).toStdString();
        m_state = std::make_unique<AppState>(paths, NumberLocale{});
        m_state->language.LoadLanguage("English", LINDOR_DATA_DIR);
    }

    // Plots the functions on a graph of `width` by `height` pixels.
    void drawGraph(std::initializer_list<const char*> functions, int width = 320,
                   int height = 240) {
        m_state->graph.setClientSize(width, height);
        for (const char* f : functions) {
            const graph::PlotOutcome outcome = m_state->graph.plotRequest(f, m_surfaces.canvas());
            ASSERT_EQ(outcome.status, graph::PlotOutcome::Status::Plotted) << f;
        }
        m_state->graph.redraw(m_surfaces.canvas());
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    static QByteArray contentOf(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void writeFile(const QString& file, const QByteArray& bytes) {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<AppState> m_state;
    qtgui::GraphSurfaces m_surfaces;
};

} // namespace lindor::ui::test
