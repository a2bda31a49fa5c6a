#include "ui/ConstructionCommands.h"

#include "expr/ConstantText.h"
#include "graph/analysis/Construction.h"
#include "ui/AppState.h"
#include "ui/EntryBox.h"
#include "ui/FrameController.h"
#include "ui/Questions.h"
#include "ui/SelectionSteps.h"
#include "ui/WorkSteps.h"

namespace lindor::ui {

namespace {

QString stepName(const AppState& app, const char* menuKey) {
    return WorkSteps::stepName(QString::fromStdString(app.language.text(menuKey)));
}

} // namespace

ConstructionCommands::ConstructionCommands(AppState& app, Questions& questions,
                                           FrameController& controller, SelectionSteps& selection,
                                           const FrameWindows& windows)
    : m_app(app), m_questions(questions), m_controller(controller), m_selection(selection),
      m_windows(windows) {}

void ConstructionCommands::Derivative1Click() {
    const std::optional<int> chosen = m_selection.selectFromAllPlotted();
    if (!chosen)
        return;
    const std::string& source =
        m_app.graphState().functions()[static_cast<std::size_t>(*chosen)].text;
    m_windows.entry.setText(QString::fromStdString(graph::analysis::derivativeText(source)));
    m_controller.plotCommand(stepName(m_app, "MenuDerivative"));
}

void ConstructionCommands::Tangent1Click() {
    line(false);
}

void ConstructionCommands::Normal1Click() {
    line(true);
}

void ConstructionCommands::line(bool normal) {
    const std::optional<int> chosen = m_selection.selectFromAllPlotted();
    if (!chosen)
        return;
    const graph::PlottedFunction& source =
        m_app.graphState().functions()[static_cast<std::size_t>(*chosen)];
    const lang::Language& texts = m_app.language;
    const std::string prompt =
        texts.text(normal ? "NormalOfTheFunctionY" : "TangentOfTheFunctionY") + source.text + " " +
        texts.text("ThroughThePointWhereX");
    const std::optional<QString> typed =
        m_questions.inputText(QString::fromStdString(texts.text(normal ? "Normal" : "Tangent")),
                              QString::fromStdString(prompt), QString());
    if (!typed)
        return;
    const expr::ConstantValue point = expr::evaluateConstant(typed->toStdString(), m_app.engine);
    if (!point.ok) {
        m_questions.error(QString::fromStdString(point.error));
        return;
    }
    const long double x0 = point.value;
    const graph::analysis::Curve curve = graph::analysis::curveOf(source.compiled);
    const graph::analysis::ConstructedFunction line =
        normal ? graph::analysis::normalText(curve, x0, m_app.locale())
               : graph::analysis::tangentText(curve, x0, m_app.locale());
    if (!line.ok) {
        m_questions.information(QString::fromStdString(texts.text(line.messageKey)));
        return;
    }
    m_windows.entry.setText(QString::fromStdString(line.text));
    m_controller.plotCommand(stepName(m_app, normal ? "MenuNormal" : "MenuTangent"));
}

} // namespace lindor::ui
