// The structure of the main menu and the toolbar: which action stands where. The captions
// come from the translation table; each menu keeps the key of its caption in the property
// "captionKey".
#pragma once

#include <QList>

class QAction;
class QMenuBar;
class QToolBar;

namespace lindor::ui {

class FrameActions;

// File, Edit, Functions, Graph, Solve, Extra, Options, Window and Help. `pictures` (the
// picture saves and printing) go into the File menu, `copies` make up the Edit menu.
void buildMenus(QMenuBar& menuBar, FrameActions& actions, const QList<QAction*>& pictures,
                const QList<QAction*>& copies);

// The mode buttons (one of them always pressed), plot and erase, zoom, the analyses, trace.
void buildToolBar(QToolBar& toolBar, FrameActions& actions);

} // namespace lindor::ui
