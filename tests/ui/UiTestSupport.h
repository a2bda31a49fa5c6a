// What the window tests share: a settings file in a fresh temporary folder, the shipped
// language files, finding a named child widget, and a run's state with a small graph drawn
// on the picture surfaces.
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>
#include <string>

#include "files/SettingsFile.h"
#include "lang/Language.h"
#include "qt/GraphSurfaces.h"
#include "ui/AppState.h"

namespace lindor::ui::test {

struct TempSettings {
    QTemporaryDir dir;
    std::string path = (dir.path() + QStringLiteral("/lindor.INI")).toStdString();
    files::SettingsFile settings{path};
};

// A settings file whose every write fails, as on a full disk or a read-only folder.
inline files::SettingsFile unwritableSettings(const std::string& path) {
    return files::SettingsFile(path, [](const std::string&, const std::string&, std::string& e) {
        e = "No space left on device";
        return false;
    });
}

inline std::unique_ptr<lang::Language> shippedLanguage(const std::string& name) {
    auto language = std::make_unique<lang::Language>(
        [](const std::string& message) { ADD_FAILURE() << message; });
    language->LoadLanguage(name, LINDOR_DATA_DIR);
    return language;
}

template <typename T> T* child(QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no child named " << name;
    return found;
}

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
