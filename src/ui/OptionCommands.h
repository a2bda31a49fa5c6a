// The Options menu: what the graph shows (axis, grid, scale text, names), the line style,
// degrees or radians, the zoom factors, the axis texts and their font, and the language.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "graph/ViewSettings.h"

class QWidget;

namespace lindor::ui {

class AppState;
class FrameActions;
class FrameController;
class Questions;
class TdlgAxisText;
class TdlgSelectLanguage;
class TdlgZoomFactor;
class WorkSteps;

class OptionCommands : public QObject {
    Q_OBJECT
public:
    OptionCommands(AppState& app, Questions& questions, FrameController& controller,
                   WorkSteps& steps, FrameActions& actions, QWidget* mainWindow);
    ~OptionCommands() override;

    // The check marks from the work's view settings.
    void syncChecks();

    // Each change of the view settings is one undo step named after its menu entry.
    void setLineStyleFromMenu(const char* actionName);
    void setShowFlagsFromMenu(const char* actionName);
    void setAngleUnit(bool radians);
    // Curves drawn antialiased or not, on the screen and in every picture and printout.
    void setSmoothLines(bool on);
    void Zoomfactor1Click();
    void AxisText1Click();
    void AxisTextFont1Click();
    // The language command; a new language is put to use at once.
    void Language1Click();

signals:
    // The translation table holds another language: every window sets its texts again.
    void languageChanged();

private:
    // Changes the view settings as the entry `actionName` of the menu asks, as one step.
    void changeView(const char* actionName,
                    const std::function<void(graph::ViewSettings&)>& change);

    AppState& m_app;
    Questions& m_questions;
    FrameController& m_controller;
    WorkSteps& m_steps;
    FrameActions& m_actions;
    QWidget* m_mainWindow;
    std::unique_ptr<TdlgZoomFactor> m_zoomFactor;
    std::unique_ptr<TdlgAxisText> m_axisText;
    std::unique_ptr<TdlgSelectLanguage> m_language;
};

} // namespace lindor::ui
