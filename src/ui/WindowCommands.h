// The Window menu: the default arrangement of the child windows, saving and loading an
// arrangement in the settings file, and the square graph window.
#pragma once

#include <QObject>
#include <QRect>
#include <array>
#include <optional>

namespace lindor::ui {

class AppState;
class CommandGuard;
class TMDIFrame;

class WindowCommands : public QObject {
public:
    // `guard` runs the arrangement that follows the frame's size (an event handler).
    WindowCommands(AppState& app, TMDIFrame& frame, const CommandGuard& guard);

    // Maximises the frame, then arranges the children in the default layout.
    void DefaultPosition1Click();
    // The default layout for the frame as it is now. Until a child window is moved or
    // resized, the layout follows the frame's size (the window system may maximise the
    // frame only after it is shown).
    void arrangeDefault();
    void Sparafnsterposition1Click();
    void LoadPosition1Click();
    void MakeGraphWindowQuadratic1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The child windows' frames: function pad, range, log, graph.
    std::array<QWidget*, 4> children() const;
    // Brings back every child window that a smaller frame left wholly out of sight.
    void keepChildrenInReach();
    void keepChildrenInReachLater();

    AppState& m_app;
    TMDIFrame& m_frame;
    const CommandGuard& m_guard;
    // Where arrangeDefault put the children; empty once the user moved one.
    std::optional<std::array<QRect, 4>> m_arranged;
    bool m_arranging = false;
    bool m_reachCheckPending = false;
};

} // namespace lindor::ui
