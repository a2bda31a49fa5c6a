#include "ui/ClipboardNotice.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "lang/Language.h"

namespace lindor::ui {

namespace {

constexpr int kTextWidth = 320;

QLabel* wrappedLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setFixedWidth(kTextWidth);
    return label;
}

} // namespace

TCopy2ClipboardMessage::TCopy2ClipboardMessage(const lang::Language& language, QWidget* parent)
    : QDialog(parent), m_language(language) {
    setObjectName(QStringLiteral("Copy2ClipboardMessage"));
    setWindowTitle(QStringLiteral("Copy to Clipboard"));
    m_copied = wrappedLabel("Label1", this);
    m_important = wrappedLabel("Label3", this);
    QPalette red = m_important->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    m_important->setPalette(red);
    m_change = wrappedLabel("Label2", this);
    m_neverShow = new QCheckBox(QStringLiteral("Do not show this message any more"), this);
    m_neverShow->setObjectName(QStringLiteral("chkboxNeverShowMessage"));

    auto* content = new QVBoxLayout;
    content->addWidget(m_copied);
    content->addSpacing(10);
    content->addWidget(m_important);
    content->addWidget(m_change);
    content->addSpacing(10);
    content->addWidget(m_neverShow);
    content->addStretch(1);
    m_buttons = makeOkCancel(*this);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(content, 1);
    layout->addSpacing(12);
    layout->addLayout(m_buttons.column);
    makeFixedBoldDialog(*this);
}

bool TCopy2ClipboardMessage::neverShow() const {
    return m_neverShow->isChecked();
}

void TCopy2ClipboardMessage::setNeverShow(bool never) {
    m_neverShow->setChecked(never);
}

void TCopy2ClipboardMessage::showEvent(QShowEvent* event) {
    setWindowTitle(qtText(m_language.text("CopyToClipboardInformation")));
    m_copied->setText(qtText(m_language.text("TheGraphWindowHasBeen")));
    m_important->setText(qtText(m_language.text("Important")));
    m_change->setText(qtText(m_language.text("IfYouWantToChange")));
    m_neverShow->setText(qtText(m_language.text("DoNotShowThisMessageAnyMore")));
    translateOkCancel(m_buttons, m_language);
    QDialog::showEvent(event);
}

} // namespace lindor::ui
