// Everything one run of the desktop program works on, owned in one place and handed to the
// windows: the engine with its function list, the translation table, the graph, the
// settings file, the user's work with its undo steps, the entry histories and the document.
#pragma once

#include <QUndoStack>
#include <string>
#include <vector>

#include "expr/FuncEval.h"
#include "files/SettingsFile.h"
#include "files/TextFile.h"
#include "graph/GraphView.h"
#include "graph/analysis/AnalysisResult.h"
#include "graph/analysis/ZoomTexts.h"
#include "lang/Language.h"
#include "ui/Work.h"
#include "util/NumberText.h"

namespace lindor::ui {

struct AppPaths {
    std::string programFolder; // the folder of the program file
    std::string dataFolder;    // language and help files
    std::string settingsFile;  // lindor.INI
};

class AppState {
public:
    AppState(AppPaths paths, NumberLocale locale);
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    const AppPaths paths;
    lang::Language language;
    expr::EngineContext engine;
    expr::TFunctionDB functions;
    // Draws the work; its state holds a copy of the work's view settings, Range and mode
    // and the compiled functions of the plotted texts.
    graph::GraphView graph;
    files::SettingsFile settings;

    // The user's work: what the commands change, the windows show and documents keep.
    Work work;
    // Its steps for undo and redo (see ui/WorkSteps.h); the stack is clean while the work is
    // as it was last opened or saved.
    QUndoStack undoStack;
    // The entry history of each mode (the entry box shows the active one). Not part of the
    // work: undo leaves them alone.
    files::Histories histories;

    // How documents are written (a temporary file renamed over the old one); tests put a
    // failing writer here.
    files::FileReplacer replaceFile = files::defaultFileReplacer();

    // The document: its full path (empty while untitled).
    std::string documentPath;
    // The work has changed since it was last opened or saved.
    bool modified() const { return !undoStack.isClean(); }
    // The folder a file was last opened or saved in, where the next file dialog opens.
    std::string lastFolder;
    // The language used until one is stored in the settings file (the desktop's).
    std::string firstLanguage = "English";

    // Reads what a run starts from: the view settings, the language (its translation
    // table from the data folder) and both histories.
    void loadSettings();
    // Loads the translation table of another language.
    void useLanguage(const std::string& name);

    const NumberLocale& locale() const { return engine.locale; }
    graph::GraphState& graphState() { return graph.state(); }
    graph::ViewSettings& view() { return work.view; }
    // The history of the mode in use.
    std::vector<std::string>& activeHistory() {
        return work.mode == graph::Mode::Function ? histories.functions : histories.integrals;
    }
    // The graph and the engine take the work's view settings.
    void showView() {
        graph.state().view = work.view;
        applyAngleMode();
    }
    graph::analysis::AnalysisContext analysisContext() const {
        return {language, engine.locale, engine.angleMode};
    }
    // The engine's angle mode follows the view settings.
    void applyAngleMode() {
        engine.angleMode = view().radians ? expr::AngleMode::Radians : expr::AngleMode::Degrees;
    }
};

} // namespace lindor::ui
