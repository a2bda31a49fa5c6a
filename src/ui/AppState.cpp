#include "ui/AppState.h"

namespace lindor::ui {

AppState::AppState(AppPaths appPaths, NumberLocale locale)
    : paths(std::move(appPaths)), functions(engine), graph(functions, language),
      settings(paths.settingsFile) {
    engine.locale = locale;
    engine.language = &language;
}

void AppState::loadSettings() {
    settings.readViewSettings(view(), locale());
    applyAngleMode();
    language.LoadLanguage(settings.language(), paths.dataFolder);
    histories = settings.readHistories();
}

} // namespace lindor::ui
