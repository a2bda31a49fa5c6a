#include "ui/OptionCommands.h"

#include <QActionGroup>
#include <QFont>

#include "files/FileError.h"
#include "ui/AppState.h"
#include "ui/AxisTextDialog.h"
#include "ui/FrameActions.h"
#include "ui/FrameController.h"
#include "ui/Guarded.h"
#include "ui/LanguageDialog.h"
#include "ui/Questions.h"
#include "ui/WorkSteps.h"
#include "ui/ZoomFactorDialog.h"

namespace lindor::ui {

namespace {

const char* const kShowFlags[] = {"Axis1", "Grid1", "ScaleText1", "FunctionNames1"};

QString text(const AppState& app, const char* key) {
    return QString::fromStdString(app.language.text(key));
}

} // namespace

OptionCommands::OptionCommands(AppState& app, Questions& questions, FrameController& controller,
                               WorkSteps& steps, FrameActions& actions, QWidget* mainWindow)
    : QObject(mainWindow), m_app(app), m_questions(questions), m_controller(controller),
      m_steps(steps), m_actions(actions), m_mainWindow(mainWindow) {
    const CommandGuard guard(questions, app.language);
    auto* lines = new QActionGroup(this);
    for (const char* name : {"DottedLines1", "NormalLines1", "BoldLines1"}) {
        lines->addAction(actions[name]);
        guard.onTriggered(actions[name], this, [this, name] { setLineStyleFromMenu(name); });
    }
    auto* angles = new QActionGroup(this);
    angles->addAction(actions["Degrees1"]);
    angles->addAction(actions["Radians1"]);
    guard.onTriggered(actions["Degrees1"], this, [this] { setAngleUnit(false); });
    guard.onTriggered(actions["Radians1"], this, [this] { setAngleUnit(true); });
    for (const char* name : kShowFlags)
        guard.onTriggered(actions[name], this, [this, name] { setShowFlagsFromMenu(name); });
    guard.onTriggered(actions["SmoothLines1"], this,
                      [this] { setSmoothLines(m_actions["SmoothLines1"]->isChecked()); });
    guard.onTriggered(actions["Zoomfactor1"], this, [this] { Zoomfactor1Click(); });
    guard.onTriggered(actions["AxisText1"], this, [this] { AxisText1Click(); });
    guard.onTriggered(actions["AxisTextFont1"], this, [this] { AxisTextFont1Click(); });
    guard.onTriggered(actions["Language1"], this, [this] { Language1Click(); });
}

OptionCommands::~OptionCommands() = default;

void OptionCommands::syncChecks() {
    const graph::ViewSettings& v = m_app.view();
    m_actions["DottedLines1"]->setChecked(v.lineStyle == graph::LineStyle::Dotted);
    m_actions["NormalLines1"]->setChecked(v.lineStyle == graph::LineStyle::Normal);
    m_actions["BoldLines1"]->setChecked(v.lineStyle == graph::LineStyle::Bold);
    m_actions["Radians1"]->setChecked(v.radians);
    m_actions["Degrees1"]->setChecked(!v.radians);
    m_actions["Axis1"]->setChecked(v.showAxis);
    m_actions["Grid1"]->setChecked(v.showGrid);
    m_actions["ScaleText1"]->setChecked(v.showScaleText);
    m_actions["FunctionNames1"]->setChecked(v.showFunctionNames);
    m_actions["SmoothLines1"]->setChecked(m_app.graphState().rendering().smoothCurves);
}

void OptionCommands::changeView(const char* actionName,
                                const std::function<void(graph::ViewSettings&)>& change) {
    m_steps.record(WorkSteps::stepName(m_actions[actionName]->text()), [&] {
        change(m_app.view());
        m_controller.showView();
    });
}

void OptionCommands::setLineStyleFromMenu(const char* actionName) {
    const graph::LineStyle style = m_actions["DottedLines1"]->isChecked() ? graph::LineStyle::Dotted
                                   : m_actions["BoldLines1"]->isChecked()
                                       ? graph::LineStyle::Bold
                                       : graph::LineStyle::Normal;
    changeView(actionName, [style](graph::ViewSettings& v) { v.lineStyle = style; });
}

void OptionCommands::setShowFlagsFromMenu(const char* actionName) {
    const bool axis = m_actions["Axis1"]->isChecked();
    const bool grid = m_actions["Grid1"]->isChecked();
    const bool scaleText = m_actions["ScaleText1"]->isChecked();
    const bool names = m_actions["FunctionNames1"]->isChecked();
    changeView(actionName, [&](graph::ViewSettings& v) {
        v.showAxis = axis;
        v.showGrid = grid;
        v.showScaleText = scaleText;
        v.showFunctionNames = names;
    });
}

void OptionCommands::setSmoothLines(bool on) {
    // A setting of the program, not of the work: the settings file keeps it at once.
    graph::Rendering rendering = m_app.graphState().rendering();
    rendering.smoothCurves = on;
    m_app.graph.setRendering(rendering);
    m_controller.redraw();
    if (!m_app.settings.setSmoothLines(on))
        m_questions.error(QString::fromStdString(
            files::settingsNotWritten(m_app.settings.path(), m_app.language)));
}

void OptionCommands::setAngleUnit(bool radians) {
    changeView(radians ? "Radians1" : "Degrees1",
               [radians](graph::ViewSettings& v) { v.radians = radians; });
}

void OptionCommands::Zoomfactor1Click() {
    if (!m_zoomFactor)
        m_zoomFactor = std::make_unique<TdlgZoomFactor>(m_app.language, m_questions, m_app.locale(),
                                                        m_mainWindow);
    graph::ViewSettings& v = m_app.view();
    m_zoomFactor->setFactors(v.zoomFactorX, v.zoomFactorY);
    if (m_questions.runDialog(*m_zoomFactor) != QDialog::Accepted)
        return;
    // The dialog accepts only when both factors are usable. Nothing is drawn with them.
    m_steps.record(WorkSteps::stepName(m_actions["Zoomfactor1"]->text()), [this] {
        m_app.view().zoomFactorX = m_zoomFactor->factorX();
        m_app.view().zoomFactorY = m_zoomFactor->factorY();
        m_app.showView();
    });
}

void OptionCommands::AxisText1Click() {
    if (!m_axisText)
        m_axisText = std::make_unique<TdlgAxisText>(m_app.language, m_mainWindow);
    const graph::ViewSettings& v = m_app.view();
    m_axisText->setTexts(QString::fromStdString(v.axisTextX), QString::fromStdString(v.axisTextY));
    if (m_questions.runDialog(*m_axisText) != QDialog::Accepted)
        return;
    const std::string x = m_axisText->xText().toStdString();
    const std::string y = m_axisText->yText().toStdString();
    changeView("AxisText1", [&](graph::ViewSettings& view) {
        view.axisTextX = x;
        view.axisTextY = y;
    });
}

void OptionCommands::AxisTextFont1Click() {
    const graph::AxisFont& f = m_app.view().axisFont;
    QFont initial(QString::fromStdString(f.name), f.size);
    initial.setBold(f.bold);
    initial.setItalic(f.italic);
    initial.setUnderline(f.underline);
    const std::optional<QFont> chosen =
        m_questions.chooseFont(initial, text(m_app, "AxisTextFont").remove(QLatin1Char('&')));
    if (!chosen)
        return;
    changeView("AxisTextFont1", [&](graph::ViewSettings& view) {
        graph::AxisFont& font = view.axisFont;
        font.name = chosen->family().toStdString();
        if (chosen->pointSize() > 0)
            font.size = chosen->pointSize();
        font.bold = chosen->bold();
        font.italic = chosen->italic();
        font.underline = chosen->underline();
    });
}

void OptionCommands::Language1Click() {
    if (!m_language)
        m_language = std::make_unique<TdlgSelectLanguage>(m_app.language, m_mainWindow);
    runLanguageCommand(*m_language, m_questions, m_app.language, m_app.settings,
                       [this](const std::string& name) {
                           m_app.useLanguage(name);
                           emit languageChanged();
                       });
}

} // namespace lindor::ui
