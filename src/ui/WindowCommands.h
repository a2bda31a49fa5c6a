// The Window menu: the default arrangement of the child windows, saving and loading an
// arrangement in the settings file, and the square graph window.
#pragma once

namespace lindor::ui {

class AppState;
class TMDIFrame;

class WindowCommands {
public:
    WindowCommands(AppState& app, TMDIFrame& frame);

    void DefaultPosition1Click();
    void Sparafnsterposition1Click();
    void LoadPosition1Click();
    void MakeGraphWindowQuadratic1Click();

private:
    AppState& m_app;
    TMDIFrame& m_frame;
};

} // namespace lindor::ui
