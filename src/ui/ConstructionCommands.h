// Derivative, tangent and normal: a new function built from a plotted one, put into the
// entry box and plotted through the plot command (so it enters the history too).
#pragma once

#include "ui/FrameWindows.h"

namespace lindor::ui {

class AppState;
class FrameController;
class Questions;
class SelectionSteps;

class ConstructionCommands {
public:
    ConstructionCommands(AppState& app, Questions& questions, FrameController& controller,
                         SelectionSteps& selection, const FrameWindows& windows);

    void Derivative1Click();
    void Tangent1Click();
    void Normal1Click();

private:
    void line(bool normal);

    AppState& m_app;
    Questions& m_questions;
    FrameController& m_controller;
    SelectionSteps& m_selection;
    FrameWindows m_windows;
};

} // namespace lindor::ui
