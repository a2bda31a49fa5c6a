#include "ui/ClipboardNotice.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "lang/Language.h"

namespace lindor::ui {

TCopy2ClipboardMessage::TCopy2ClipboardMessage(const lang::Language& language, QWidget* parent)
    : QDialog(parent), m_language(language), m_label1(new QLabel(this)), m_label3(new QLabel(this)),
      m_label2(new QLabel(this)), m_chkboxNeverShowMessage(new QCheckBox(this)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("Copy2ClipboardMessage"));
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_chkboxNeverShowMessage->setObjectName(QStringLiteral("chkboxNeverShowMessage"));
    m_label1->setWordWrap(true);
    m_label2->setWordWrap(true);
    m_label3->setStyleSheet(QStringLiteral("color: red; font-weight: bold"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label1);
    layout->addWidget(m_label3);
    layout->addWidget(m_label2);
    layout->addWidget(m_chkboxNeverShowMessage);
    layout->addWidget(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool TCopy2ClipboardMessage::neverShow() const {
    return m_chkboxNeverShowMessage->isChecked();
}

void TCopy2ClipboardMessage::setNeverShow(bool never) {
    m_chkboxNeverShowMessage->setChecked(never);
}

void TCopy2ClipboardMessage::showEvent(QShowEvent* event) {
    setWindowTitle(QString::fromStdString(m_language.text("CopyToClipboardInformation")));
    m_label1->setText(QString::fromStdString(m_language.text("TheGraphWindowHasBeen")));
    m_label3->setText(QString::fromStdString(m_language.text("Important")));
    m_label2->setText(QString::fromStdString(m_language.text("IfYouWantToChange")));
    m_chkboxNeverShowMessage->setText(
        QString::fromStdString(m_language.text("DoNotShowThisMessageAnyMore")));
    m_buttons->button(QDialogButtonBox::Ok)->setText(QString::fromStdString(m_language.text("OK")));
    m_buttons->button(QDialogButtonBox::Cancel)
        ->setText(QString::fromStdString(m_language.text("Cancel")));
    QDialog::showEvent(event);
}

} // namespace lindor::ui
