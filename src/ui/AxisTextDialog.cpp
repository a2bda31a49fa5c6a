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
    m_editX = new QLineEdit(this);
    m_editX->setObjectName(QStringLiteral("editXText"));
    m_editY = new QLineEdit(this);
    m_editY->setObjectName(QStringLiteral("editYText"));
    for (QLineEdit* edit : {m_editX, m_editY})
        edit->setMinimumWidth(160);
    m_labelX = new QLabel(QStringLiteral("X axis"), this);
    m_labelY = new QLabel(QStringLiteral("Y axis"), this);
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
