// The frame's windows that the command objects work on.
#pragma once

class QWidget;

namespace lindor::ui {

class EntryBox;
class TGraphWindow;
class TLogWindow;
class TRangeWindow;

struct FrameWindows {
    QWidget* mainWindow;
    TGraphWindow& graph;
    TRangeWindow& range;
    TLogWindow& log;
    EntryBox& entry;
};

} // namespace lindor::ui
