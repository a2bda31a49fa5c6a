#include "ui/QtQuestions.h"

#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPushButton>

namespace lindor::ui {

QtQuestions::QtQuestions(QWidget* parent, QString title)
    : m_parent(parent), m_title(std::move(title)) {}

void QtQuestions::information(const QString& text) {
    prepare();
    QMessageBox::information(m_parent, m_title, text);
}

void QtQuestions::error(const QString& text) {
    prepare();
    QMessageBox::critical(m_parent, m_title, text);
}

bool QtQuestions::askYesNo(const QString& text) {
    prepare();
    return QMessageBox::question(m_parent, m_title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

Questions::Answer QtQuestions::askSaveChanges(const QString& text, const QString& save,
                                              const QString& discard) {
    prepare();
    QMessageBox box(QMessageBox::Warning, m_title, text, QMessageBox::NoButton, m_parent);
    QPushButton* saveButton = box.addButton(QMessageBox::Save);
    QPushButton* discardButton = box.addButton(QMessageBox::Discard);
    box.addButton(QMessageBox::Cancel);
    if (!save.isEmpty())
        saveButton->setText(save);
    if (!discard.isEmpty())
        discardButton->setText(discard);
    box.setDefaultButton(saveButton);
    box.exec();
    if (box.clickedButton() == saveButton)
        return Answer::Save;
    if (box.clickedButton() == discardButton)
        return Answer::Discard;
    return Answer::Cancel;
}

bool QtQuestions::askRestore(const QString& text, const QString& restore, const QString& discard) {
    prepare();
    QMessageBox box(QMessageBox::Question, m_title, text, QMessageBox::NoButton, m_parent);
    QPushButton* restoreButton = box.addButton(restore, QMessageBox::AcceptRole);
    QPushButton* discardButton = box.addButton(discard, QMessageBox::DestructiveRole);
    box.setDefaultButton(restoreButton);
    box.exec();
    // Only Discard drops the work.
    return box.clickedButton() != discardButton;
}

std::optional<QString> QtQuestions::inputText(const QString& caption, const QString& prompt,
                                              const QString& initial) {
    prepare();
    bool ok = false;
    const QString text =
        QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}

std::optional<QFont> QtQuestions::chooseFont(const QFont& initial, const QString& caption) {
    prepare();
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, m_parent, caption);
    if (!ok)
        return std::nullopt;
    return font;
}

QString QtQuestions::openFileName(const QString& caption, const QString& startPath,
                                  const QString& filter) {
    prepare();
    return QFileDialog::getOpenFileName(m_parent, caption, startPath, filter);
}

QString QtQuestions::saveFileName(const QString& caption, const QString& startPath,
                                  const QString& filter) {
    prepare();
    // The caller adds the extension and asks before overwriting under the final name.
    return QFileDialog::getSaveFileName(m_parent, caption, startPath, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

bool QtQuestions::setUpPage(QPrinter& printer, const QString& caption) {
    prepare();
    QPageSetupDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(caption);
    return dialog.exec() == QDialog::Accepted;
}

int QtQuestions::runDialog(QDialog& dialog) {
    prepare();
    return dialog.exec();
}

} // namespace lindor::ui
