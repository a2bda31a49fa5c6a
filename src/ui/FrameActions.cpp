#include "ui/FrameActions.h"

#include <QIcon>
#include <QRegularExpression>
#include <cstring>

#include "lang/Language.h"

namespace lindor::ui {

namespace {

// clang-format off
const ActionEntry kActions[] = {
    // File
    {"New1", "New", "&New", nullptr, nullptr},
    {"Open1", "Open", "&Open...", "Ctrl+O", nullptr},
    {"Save1", "Save", "&Save", "Ctrl+S", nullptr},
    {"SaveAs1", "SaveAs", "Save &As...", nullptr, nullptr},
    {"Exit1", "Exit", "E&xit", nullptr, nullptr},
    // Edit: their captions name the step (the frame sets them)
    {"Undo1", nullptr, "&Undo", "Ctrl+Z", nullptr},
    {"Redo1", nullptr, "&Redo", "Ctrl+Shift+Z", nullptr},
    // Functions: texts appended to the entry box, then the constructions
    {"Raised1", "Raised", "^ (Po&wer)", nullptr, nullptr},
    {"Sqrt1", "MenuSqrt", "S&qrt", nullptr, nullptr},
    {"Cbrt1", "MenuCbrt", "C&brt", nullptr, nullptr},
    {"Sin1", "Sin", "&Sin", nullptr, nullptr},
    {"Cos1", "Cos", "&Cos", nullptr, nullptr},
    {"Tan1", "Tan", "&Tan", nullptr, nullptr},
    {"ArcSin1", "ArcSin", "A&rcSin", nullptr, nullptr},
    {"ArcCos1", "ArcCos", "ArcC&os", nullptr, nullptr},
    {"ArcTan1", "ArcTan", "&ArcTan", nullptr, nullptr},
    {"Ln1", "Ln", "&Ln", nullptr, nullptr},
    {"Log1", nullptr, "Lo&g", nullptr, nullptr},
    {"N10Exp1", "10Raised", "&10^", nullptr, nullptr},
    {"Random1", "MenuRandom", "Ran&dom", nullptr, nullptr},
    {"Int1", "MenuInt", "&Int", nullptr, nullptr},
    {"Abs1", "Abs", "A&bs", nullptr, nullptr},
    {"e1", "e", "&e", nullptr, nullptr},
    {"Pi1", "pi", "&pi", nullptr, nullptr},
    {"ddx1", "ddx", "d/d&x", nullptr, nullptr},
    {"Derivative1", "MenuDerivative", "Deri&vative", "Ctrl+D", nullptr},
    {"Tangent1", "MenuTangent", "Ta&ngent", "Ctrl+T", nullptr},
    {"Normal1", "MenuNormal", "Nor&mal", "Ctrl+N", nullptr},
    // Graph
    {"Zoomin1", "MenuZoomIn", "Zoom &In", nullptr, "zoom-in.svg"},
    {"ZoomOut1", "MenuZoomOut", "Zoom &Out", nullptr, "zoom-out.svg"},
    {"ZoomBox1", "MenuZoomBox", "Zoom &Box", nullptr, "zoom-box.svg"},
    {"UndoZoom1", "MenuUndoZoom", "&Undo Zoom", nullptr, "undo-zoom.svg"},
    // Keys only: zoom by a notch of the wheel about the middle of the graph
    {"ZoomInAtCentre", nullptr, "Zoom In at the Centre", "Ctrl++", nullptr},
    {"ZoomOutAtCentre", nullptr, "Zoom Out at the Centre", "Ctrl+-", nullptr},
    // Solve. Ctrl+N and Ctrl+T belong to Normal and Tangent, Ctrl+X to Maximum: a
    // shortcut on two entries would run neither. The entries whose names also serve in the
    // log, the status bar, hints or dialog captions have caption keys of their own ("Menu"
    // and the name), so that only the menus carry the underlined letters.
    {"Root1", "MenuRoot", "&Root", "Ctrl+R", "root.svg"},
    {"Max1", "MenuMaximum", "&Maximum", "Ctrl+X", "maximum.svg"},
    {"Min1", "MenuMinimum", "Mi&nimum", nullptr, "minimum.svg"},
    {"YIntersection1", "MenuYIntersection", "Y-In&tersection", nullptr, "y-intersection.svg"},
    {"Intersection1", "MenuIntersection", "&Intersection", "Ctrl+I", "intersection.svg"},
    {"YCalc1", "MenuYCalc", "&Y-Calc", "Ctrl+Y", "y-calc.svg"},
    {"XCalc1", "MenuXCalc", "&X-Calc", nullptr, "x-calc.svg"},
    // Extra
    {"ValueTable1", "MenuValueTable", "&Value Table...", nullptr, nullptr},
    // Options
    {"Language1", "SelectLanguage", "&Language", nullptr, nullptr},
    {"Zoomfactor1", "MenuZoomFactor", "&Zoom-factor...", nullptr, nullptr},
    {"Degrees1", "Degrees", "&Degrees", nullptr, nullptr, true},
    {"Radians1", "Radians", "&Radians", nullptr, nullptr, true},
    {"AxisText1", "MenuAxisText", "Axis &Text...", nullptr, nullptr},
    {"AxisTextFont1", "AxisTextFont", "Axis Text &Font...", nullptr, nullptr},
    {"DottedLines1", "Dotted", "&Dotted", nullptr, nullptr, true},
    {"NormalLines1", "NormalLines", "&Normal", nullptr, nullptr, true},
    {"BoldLines1", "Bold", "&Bold", nullptr, nullptr, true},
    {"SmoothLines1", "SmoothLines", "&Smooth Lines", nullptr, nullptr, true},
    {"EmptyFunctionHistory1", "EmptyFunctionHistoryBox", "&Empty Function History Box", nullptr, nullptr},
    {"Axis1", "ShowAxis", "Show A&xis", nullptr, nullptr, true},
    {"Grid1", "ShowGrid", "Show &Grid", nullptr, nullptr, true},
    {"ScaleText1", "ShowScaleText", "Show S&cale Text", nullptr, nullptr, true},
    {"FunctionNames1", "ShowFunctionNames", "Show Function &Names", nullptr, nullptr, true},
    // Window
    {"MakeGraphWindowQuadratic1", "MakeGraphWindowQuadratic", "Make Graph Window &Quadratic", nullptr, nullptr},
    {"DefaultPosition1", "DefaultPosition", "&Default Position", nullptr, nullptr},
    {"LoadPosition1", "LoadPosition", "&Load Position", nullptr, nullptr},
    {"Sparafnsterposition1", "SavePosition", "&Save Position", nullptr, nullptr},
    // Help
    {"Contents1", "Contents", "&Contents", "F1", nullptr},
    {"About1", "About", "&About...", nullptr, nullptr},
    // Toolbar only
    {"toolbtnFunctionMode", "FunctionMode", "Function Mode", nullptr, "function-mode.svg", true},
    {"toolbtnIntegralMode", "IntegralMode", "Integral Mode", nullptr, "integral-mode.svg", true},
    {"toolbtnPlotFunction", "PlotFunction", "Plot Function", nullptr, "plot-function.svg"},
    {"toolbtnEraseFunction", "EraseFunction", "Erase Function", nullptr, "erase-function.svg"},
    {"toolbtnTrace", "Trace", "Trace", nullptr, "trace.svg", true},
};
// clang-format on

QString withoutMnemonic(QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
    return text.replace(QStringLiteral("&&"), QStringLiteral("&")).trimmed();
}

} // namespace

FrameActions::FrameActions(QObject* parent) : QObject(parent) {}

const ActionEntry* FrameActions::find(const char* name) {
    for (const ActionEntry& entry : kActions)
        if (std::strcmp(entry.name, name) == 0)
            return &entry;
    return nullptr;
}

QAction* FrameActions::operator[](const char* name) {
    const QByteArray id(name);
    if (QAction* existing = m_actions.value(id))
        return existing;
    const ActionEntry* entry = find(name);
    Q_ASSERT(entry);
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    if (entry) {
        action->setText(QString::fromUtf8(entry->caption));
        action->setToolTip(withoutMnemonic(action->text()));
        if (entry->shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(entry->shortcut)));
        if (entry->icon)
            action->setIcon(QIcon(QStringLiteral(":/icons/") + QString::fromLatin1(entry->icon)));
        action->setCheckable(entry->checkable);
    } else {
        action->setEnabled(false);
    }
    m_actions.insert(id, action);
    return action;
}

void FrameActions::applyLanguage(const lang::Language& language) {
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        const ActionEntry* entry = find(it.key().constData());
        if (!entry || !entry->key)
            continue;
        const QString caption = QString::fromStdString(language.text(entry->key));
        it.value()->setText(caption);
        it.value()->setToolTip(withoutMnemonic(caption));
    }
}

} // namespace lindor::ui
