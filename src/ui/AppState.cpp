#include "ui/AppState.h"

namespace lindor::ui {

AppState::AppState(AppPaths appPaths, NumberLocale locale)
    : paths(std::move(appPaths)), functions(engine), graph(functions, language),
      settings(paths.settingsFile) {
    engine.locale = locale;
    engine.language = &language;
}

void AppState::loadSettings() {
    settings.readViewSettings(work.view, locale());
    showView();
    graph::Rendering rendering = graphState().rendering();
    rendering.smoothCurves = settings.smoothLines();
    graph.setRendering(rendering);
    useLanguage(settings.language(firstLanguage));
    histories = settings.readHistories();
}

void AppState::useLanguage(const std::string& name) {
    language.LoadLanguage(name, paths.dataFolder);
}

} // namespace lindor::ui
