#include "ui/EntryBox.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace lindor::ui {

EntryBox::EntryBox(QWidget* parent) : QComboBox(parent) {
    setObjectName("ComboBox1");
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    setMaxVisibleItems(20);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    lineEdit()->installEventFilter(this);
}

std::vector<std::string> EntryBox::history() const {
    std::vector<std::string> items;
    items.reserve(static_cast<std::size_t>(count()));
    for (int i = 0; i < count(); ++i)
        items.push_back(itemText(i).toStdString());
    return items;
}

void EntryBox::setHistory(const std::vector<std::string>& history) {
    const QString text = currentText();
    clear();
    for (const std::string& entry : history)
        addItem(QString::fromStdString(entry));
    setEditText(text);
}

void EntryBox::selectText() {
    if (QLineEdit* line = lineEdit())
        line->selectAll();
}

void EntryBox::setPlaceholder(const QString& text) {
    if (QLineEdit* line = lineEdit())
        line->setPlaceholderText(text);
}

bool EntryBox::leavesUndoToFrame(QEvent* event) const {
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return (key->matches(QKeySequence::Undo) && !lineEdit()->isUndoAvailable()) ||
           (key->matches(QKeySequence::Redo) && !lineEdit()->isRedoAvailable());
}

// The line edit claims Undo and Redo even with nothing to undo; then they are the work's.
// The combo box hands the line edit its shortcut keys past any filter, so both look.
bool EntryBox::event(QEvent* event) {
    if (leavesUndoToFrame(event)) {
        event->ignore();
        return true;
    }
    return QComboBox::event(event);
}

bool EntryBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && leavesUndoToFrame(event)) {
        event->ignore();
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void EntryBox::keyPressEvent(QKeyEvent* event) {
    emit keyTyped();
    if (event->key() == Qt::Key_Escape && !view()->isVisible()) {
        event->accept();
        emit escapePressed();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace lindor::ui
