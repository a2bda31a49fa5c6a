#include "ui/AxisTextDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "lang/Language.h"

namespace lindor::ui {

TdlgAxisText::TdlgAxisText(const lang::Language& language, QWidget* parent)
    : QDialog(parent), m_language(language) {
    setObjectName(QStringLiteral("dlgAxisText"));
    setWindowTitle(QStringLiteral("Axis Text"));
    const TwoFieldDialogParts parts = makeTwoFieldDialog(*this, "editXText", "editYText", 160);
    m_labelX = parts.labelX;
    m_labelY = parts.labelY;
    m_editX = parts.editX;
    m_editY = parts.editY;
    m_buttons = parts.buttons;
    m_labelX->setText(QStringLiteral("X axis"));
    m_labelY->setText(QStringLiteral("Y axis"));
}

void TdlgAxisText::setTexts(const QString& x, const QString& y) {
    m_editX->setText(x);
    m_editY->setText(y);
}

QString TdlgAxisText::xText() const {
    return m_editX->text();
}

QString TdlgAxisText::yText() const {
    return m_editY->text();
}

void TdlgAxisText::showEvent(QShowEvent* event) {
    setWindowTitle(qtText(m_language.text("AxisText")));
    m_labelX->setText(qtText(m_language.text("XAxis")));
    m_labelY->setText(qtText(m_language.text("YAxis")));
    translateOkCancel(m_buttons, m_language);
    QDialog::showEvent(event);
    m_editX->setFocus();
    m_editX->selectAll();
}

} // namespace lindor::ui
