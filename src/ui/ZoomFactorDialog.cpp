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
    m_editX = new QLineEdit(this);
    m_editX->setObjectName(QStringLiteral("editXFactor"));
    m_editY = new QLineEdit(this);
    m_editY->setObjectName(QStringLiteral("editYFactor"));
    for (QLineEdit* edit : {m_editX, m_editY})
        edit->setMinimumWidth(140);
    m_labelX = new QLabel(QStringLiteral("X factor"), this);
    m_labelY = new QLabel(QStringLiteral("Y factor"), this);
    m_labelX->setBuddy(m_editX);
    m_labelY->setBuddy(m_editY);

    auto* fields = new QFormLayout;
    fields->addRow(m_labelX, m_editX);
    fields->addRow(m_labelY, m_editY);
    m_buttons = makeOkCancel(*this);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addSpacing(12);
    layout->addLayout(m_buttons.column);
    makeFixedBoldDialog(*this);
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
