#include "ui/ZoomFactorDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "graph/analysis/ZoomFactors.h"
#include "graph/analysis/ZoomTexts.h"
#include "lang/Language.h"
#include "ui/Questions.h"

namespace lindor::ui {

TdlgZoomFactor::TdlgZoomFactor(const lang::Language& language, Questions& questions,
                               const NumberLocale& locale, QWidget* parent)
    : QDialog(parent), m_language(language), m_questions(questions), m_locale(locale) {
    setObjectName(QStringLiteral("dlgZoomFactor"));
    setWindowTitle(QStringLiteral("Zoom Factor"));
    const TwoFieldDialogParts parts = makeTwoFieldDialog(*this, "editXFactor", "editYFactor", 140);
    m_labelX = parts.labelX;
    m_labelY = parts.labelY;
    m_editX = parts.editX;
    m_editY = parts.editY;
    m_buttons = parts.buttons;
    m_labelX->setText(QStringLiteral("X factor"));
    m_labelY->setText(QStringLiteral("Y factor"));
    setFactors(m_factorX, m_factorY);
}

void TdlgZoomFactor::setFactors(double x, double y) {
    m_factorX = x;
    m_factorY = y;
    m_editX->setText(qtText(formatGeneral(x, graph::analysis::kRangeTextDigits, m_locale)));
    m_editY->setText(qtText(formatGeneral(y, graph::analysis::kRangeTextDigits, m_locale)));
}

void TdlgZoomFactor::accept() {
    const graph::analysis::ZoomFactorInput input = graph::analysis::parseZoomFactors(
        m_editX->text().toStdString(), m_editY->text().toStdString(), m_locale, m_language);
    if (!input.ok) {
        m_questions.error(qtText(input.error));
        QLineEdit* bad = input.badField == 1 ? m_editY : m_editX;
        bad->setFocus();
        bad->selectAll();
        return;
    }
    m_factorX = input.x;
    m_factorY = input.y;
    QDialog::accept();
}

void TdlgZoomFactor::showEvent(QShowEvent* event) {
    setWindowTitle(qtText(m_language.text("ZoomFactor")));
    m_labelX->setText(qtText(m_language.text("XFactor")));
    m_labelY->setText(qtText(m_language.text("YFactor")));
    translateOkCancel(m_buttons, m_language);
    QDialog::showEvent(event);
    m_editX->setFocus();
    m_editX->selectAll();
}

} // namespace lindor::ui
