// What the function pad works on: the frame's function entry box and the frame's commands.
// The frame implements it; the tests use a small fake.
#pragma once

#include <QString>
#include <functional>

namespace lindor::ui {

class FunctionPadTarget {
public:
    virtual ~FunctionPadTarget() = default;
    virtual QString entryText() const = 0;
    virtual void setEntryText(const QString& text) = 0;
    virtual bool plotEntry() = 0; // the plot command; true when the text was plotted
    virtual void derivativeCommand() = 0;
    virtual void tangentCommand() = 0;
    virtual void normalCommand() = 0;
    // Runs what a key or button of the pad does, guarded as the frame's commands are.
    virtual void runCommand(const std::function<void()>& command) = 0;
};

} // namespace lindor::ui
