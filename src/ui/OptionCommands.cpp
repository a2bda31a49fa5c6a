#include "ui/OptionCommands.h"

#include <QActionGroup>
#include <QFont>

#include "ui/AppState.h"
#include "ui/AxisTextDialog.h"
#include "ui/FrameActions.h"
#include "ui/FrameController.h"
#include "ui/Guarded.h"
#include "ui/LanguageDialog.h"
#include "ui/Questions.h"
#include "ui/ZoomFactorDialog.h"

namespace lindor::ui {

namespace {

const char* const kShowFlags[] = {"Axis1", "Grid1", "ScaleText1", "FunctionNames1"};

QString text(const AppState& app, const char* key) {
    return QString::fromStdString(app.language.text(key));
}

} // namespace

OptionCommands::OptionCommands(AppState& app, Questions& questions, FrameController& controller,
                               FrameActions& actions, QWidget* mainWindow)
    : QObject(mainWindow), m_app(app), m_questions(questions), m_controller(controller),
      m_actions(actions), m_mainWindow(mainWindow) {
    const CommandGuard guard(questions, app.language);
    auto* lines = new QActionGroup(this);
    for (const char* name : {"DottedLines1", "NormalLines1", "BoldLines1"}) {
        lines->addAction(actions[name]);
        guard.onTriggered(actions[name], this, [this] { setLineStyleFromMenu(); });
    }
    auto* angles = new QActionGroup(this);
    angles->addAction(actions["Degrees1"]);
    angles->addAction(actions["Radians1"]);
    guard.onTriggered(actions["Degrees1"], this, [this] { setAngleUnit(false); });
    guard.onTriggered(actions["Radians1"], this, [this] { setAngleUnit(true); });
    for (const char* name : kShowFlags)
        guard.onTriggered(actions[name], this, [this] { setShowFlagsFromMenu(); });
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

void OptionCommands::viewChanged() {
    m_controller.markModified();
    m_controller.redraw();
}

void OptionCommands::setLineStyleFromMenu() {
    graph::ViewSettings& v = m_app.view();
    v.lineStyle = m_actions["DottedLines1"]->isChecked() ? graph::LineStyle::Dotted
                  : m_actions["BoldLines1"]->isChecked() ? graph::LineStyle::Bold
                                                         : graph::LineStyle::Normal;
    viewChanged();
}

void OptionCommands::setShowFlagsFromMenu() {
    graph::ViewSettings& v = m_app.view();
    v.showAxis = m_actions["Axis1"]->isChecked();
    v.showGrid = m_actions["Grid1"]->isChecked();
    v.showScaleText = m_actions["ScaleText1"]->isChecked();
    v.showFunctionNames = m_actions["FunctionNames1"]->isChecked();
    viewChanged();
}

void OptionCommands::setSmoothLines(bool on) {
    // A setting of the program, not of the work: the settings file keeps it at once.
    graph::Rendering rendering = m_app.graphState().rendering();
    rendering.smoothCurves = on;
    m_app.graph.setRendering(rendering);
    m_app.settings.setSmoothLines(on);
    m_controller.redraw();
}

void OptionCommands::setAngleUnit(bool radians) {
    m_app.view().radians = radians;
    m_app.applyAngleMode();
    syncChecks();
    viewChanged();
}

void OptionCommands::Zoomfactor1Click() {
    if (!m_zoomFactor)
        m_zoomFactor = std::make_unique<TdlgZoomFactor>(m_app.language, m_questions, m_app.locale(),
                                                        m_mainWindow);
    graph::ViewSettings& v = m_app.view();
    m_zoomFactor->setFactors(v.zoomFactorX, v.zoomFactorY);
    if (m_questions.runDialog(*m_zoomFactor) != QDialog::Accepted)
        return;
    // The dialog accepts only when both factors are usable.
    v.zoomFactorX = m_zoomFactor->factorX();
    v.zoomFactorY = m_zoomFactor->factorY();
    m_controller.markModified();
}

void OptionCommands::AxisText1Click() {
    if (!m_axisText)
        m_axisText = std::make_unique<TdlgAxisText>(m_app.language, m_mainWindow);
    graph::ViewSettings& v = m_app.view();
    m_axisText->setTexts(QString::fromStdString(v.axisTextX), QString::fromStdString(v.axisTextY));
    if (m_questions.runDialog(*m_axisText) != QDialog::Accepted)
        return;
    v.axisTextX = m_axisText->xText().toStdString();
    v.axisTextY = m_axisText->yText().toStdString();
    viewChanged();
}

void OptionCommands::AxisTextFont1Click() {
    graph::AxisFont& f = m_app.view().axisFont;
    QFont initial(QString::fromStdString(f.name), f.size);
    initial.setBold(f.bold);
    initial.setItalic(f.italic);
    initial.setUnderline(f.underline);
    const std::optional<QFont> chosen =
        m_questions.chooseFont(initial, text(m_app, "AxisTextFont").remove(QLatin1Char('&')));
    if (!chosen)
        return;
    f.name = chosen->family().toStdString();
    if (chosen->pointSize() > 0)
        f.size = chosen->pointSize();
    f.bold = chosen->bold();
    f.italic = chosen->italic();
    f.underline = chosen->underline();
    viewChanged();
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
