// Everything one run of the desktop program works on, owned in one place and handed to the
// windows: the engine with its function list, the translation table, the graph, the
// settings file, the range undo copy, the stored entry histories and the document.
#pragma once

#include <string>

#include "expr/FuncEval.h"
#include "files/SettingsFile.h"
#include "files/TextFile.h"
#include "graph/GraphView.h"
#include "graph/analysis/AnalysisResult.h"
#include "graph/analysis/ZoomTexts.h"
#include "lang/Language.h"
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
    graph::GraphView graph;
    files::SettingsFile settings;

    // The range texts before the last zoom (one level).
    graph::analysis::RangeUndo rangeUndo;
    // The stored history of each mode; the active mode's history lives in the entry box
    // and is copied back here when the mode is left and when the program ends.
    files::Histories histories;

    // How documents are written (a temporary file renamed over the old one); tests put a
    // failing writer here.
    files::FileReplacer replaceFile = files::defaultFileReplacer();

    // The document: its full path (empty while untitled) and whether the work has
    // changed since it was last opened or saved.
    std::string documentPath;
    bool modified = false;
    // Where the recovery copy of unsaved work is kept (see ui/RecoveryStore.h); empty:
    // nowhere.
    std::string stateFolder;
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
    graph::ViewSettings& view() { return graph.state().view; }
    graph::analysis::AnalysisContext analysisContext() const {
        return {language, engine.locale, engine.angleMode};
    }
    // The engine's angle mode follows the view settings.
    void applyAngleMode() {
        engine.angleMode = view().radians ? expr::AngleMode::Radians : expr::AngleMode::Degrees;
    }
};

} // namespace lindor::ui
