// The Options menu: what the graph shows (axis, grid, scale text, names), the line style,
// degrees or radians, the zoom factors, the axis texts and their font, and the language.
#pragma once

#include <QObject>
#include <memory>

class QWidget;

namespace lindor::ui {

class AppState;
class FrameActions;
class FrameController;
class Questions;
class TdlgAxisText;
class TdlgSelectLanguage;
class TdlgZoomFactor;

class OptionCommands : public QObject {
    Q_OBJECT
public:
    OptionCommands(AppState& app, Questions& questions, FrameController& controller,
                   FrameActions& actions, QWidget* mainWindow);
    ~OptionCommands() override;

    // The check marks from the view settings (after they were read from a file).
    void syncChecks();

    void setLineStyleFromMenu();
    void setShowFlagsFromMenu();
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
    void viewChanged();

    AppState& m_app;
    Questions& m_questions;
    FrameController& m_controller;
    FrameActions& m_actions;
    QWidget* m_mainWindow;
    std::unique_ptr<TdlgZoomFactor> m_zoomFactor;
    std::unique_ptr<TdlgAxisText> m_axisText;
    std::unique_ptr<TdlgSelectLanguage> m_language;
};

} // namespace lindor::ui
