#include "ui/FrameMenus.h"

#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "ui/FrameActions.h"

namespace lindor::ui {

namespace {

// Menus: the caption key, then the entries ("-" a separator, ">Key" a submenu until "<").
const char* const kFileMenu[] = {"File",    "New1", "Open1",     ">OpenRecent", "<",    "Save1",
                                 "SaveAs1", "-",    "*pictures", "-",           "Exit1"};
const char* const kEditMenu[] = {"Edit", "Undo1", "Redo1", "-", "*copies"};
const char* const kExtraMenu[] = {"Extra", "ValueTable1"};
const char* const kFunctionsMenu[] = {
    "Functions", "Raised1", "Sqrt1",       "Cbrt1",    "-",      "Sin1", "Cos1",
    "Tan1",      "ArcSin1", "ArcCos1",     "ArcTan1",  "-",      "Ln1",  "Log1",
    "N10Exp1",   "-",       "Random1",     "Int1",     "Abs1",   "e1",   "Pi1",
    "ddx1",      "-",       "Derivative1", "Tangent1", "Normal1"};
const char* const kGraphMenu[] = {"Graph", "Zoomin1", "ZoomOut1", "ZoomBox1", "UndoZoom1"};
const char* const kSolveMenu[] = {"Solve",          "Root1",         "Max1",   "Min1",
                                  "YIntersection1", "Intersection1", "YCalc1", "XCalc1"};
const char* const kOptionsMenu[] = {"Options",
                                    "Language1",
                                    "Zoomfactor1",
                                    ">Angles",
                                    "Degrees1",
                                    "Radians1",
                                    "<",
                                    "AxisText1",
                                    "AxisTextFont1",
                                    ">Lines",
                                    "DottedLines1",
                                    "NormalLines1",
                                    "BoldLines1",
                                    "-",
                                    "SmoothLines1",
                                    "<",
                                    "EmptyFunctionHistory1",
                                    "-",
                                    "Axis1",
                                    "Grid1",
                                    "ScaleText1",
                                    "FunctionNames1"};
const char* const kWindowMenu[] = {"Window", "MakeGraphWindowQuadratic1", "DefaultPosition1",
                                   "LoadPosition1", "Sparafnsterposition1"};
const char* const kHelpMenu[] = {"Help", "Contents1", "About1"};

} // namespace

void buildMenus(QMenuBar& menuBar, FrameActions& actions, const QList<QAction*>& pictures,
                const QList<QAction*>& copies) {
    const auto build = [&](const char* const* items, std::size_t count) {
        QMenu* menu = menuBar.addMenu(QString());
        menu->setObjectName(QString::fromLatin1(items[0]) + "1");
        menu->setProperty("captionKey", QByteArray(items[0]));
        QMenu* target = menu;
        for (std::size_t i = 1; i < count; ++i) {
            const QByteArray entry(items[i]);
            if (entry == "-") {
                target->addSeparator();
            } else if (entry.startsWith('>')) {
                target = menu->addMenu(QString());
                target->setObjectName(QString::fromLatin1(entry.mid(1)) + "1");
                target->setProperty("captionKey", entry.mid(1));
            } else if (entry == "<") {
                target = menu;
            } else if (entry == "*pictures") {
                target->addActions(pictures);
            } else if (entry == "*copies") {
                target->addActions(copies);
            } else {
                target->addAction(actions[items[i]]);
            }
        }
    };
#define LINDOR_MENU(items) build(items, sizeof(items) / sizeof(items[0]))
    LINDOR_MENU(kFileMenu);
    LINDOR_MENU(kEditMenu);
    LINDOR_MENU(kFunctionsMenu);
    LINDOR_MENU(kGraphMenu);
    LINDOR_MENU(kSolveMenu);
    LINDOR_MENU(kExtraMenu);
    LINDOR_MENU(kOptionsMenu);
    LINDOR_MENU(kWindowMenu);
    LINDOR_MENU(kHelpMenu);
#undef LINDOR_MENU
}

void buildToolBar(QToolBar& toolBar, FrameActions& actions) {
    toolBar.setObjectName("Panel2");
    toolBar.setMovable(false);
    toolBar.setIconSize(QSize(24, 24));
    const char* const groups[][8] = {
        {"toolbtnFunctionMode", "toolbtnIntegralMode"},
        {"toolbtnPlotFunction", "toolbtnEraseFunction"},
        {"Zoomin1", "ZoomOut1", "ZoomBox1", "UndoZoom1"},
        {"Root1", "Max1", "Min1", "YIntersection1", "Intersection1", "YCalc1", "XCalc1"},
        {"toolbtnTrace"},
    };
    bool first = true;
    for (const auto& group : groups) {
        if (!first)
            toolBar.addSeparator();
        first = false;
        for (const char* name : group)
            if (name)
                toolBar.addAction(actions[name]);
    }
    auto* modes = new QActionGroup(&toolBar);
    modes->addAction(actions["toolbtnFunctionMode"]);
    modes->addAction(actions["toolbtnIntegralMode"]);
}

} // namespace lindor::ui
