#include "ui/RangeGridDelegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

namespace lindor::ui {

RangeGridDelegate::RangeGridDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QWidget* RangeGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                         const QModelIndex&) const {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    // The grid always holds what is typed, so nothing is lost when the editor closes
    // or the window reads the texts while a cell is being edited.
    connect(editor, &QLineEdit::textEdited, this,
            [this, editor] { emit const_cast<RangeGridDelegate*>(this)->commitData(editor); });
    // The tooltip shows the whole number, however narrow the cell.
    connect(editor, &QLineEdit::textChanged, editor, &QLineEdit::setToolTip);
    return editor;
}

void RangeGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // Writing back the text just typed would move the cursor to the end.
    if (line && line->text() != text)
        line->setText(text);
}

void RangeGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    if (index.column() != 0) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The label column cannot be selected or edited; it is drawn as a fixed column.
    const QPalette& palette = option.palette;
    painter->fillRect(option.rect, palette.button());
    painter->setPen(palette.color(QPalette::Active, QPalette::ButtonText));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(3, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
}

bool RangeGridDelegate::eventFilter(QObject* object, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        // Entering a cell selects its text, so that typing replaces it. After a click the
        // press has placed the cursor first; the selection follows once it is handled.
        if (auto* line = qobject_cast<QLineEdit*>(object)) {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                QTimer::singleShot(0, line, &QLineEdit::selectAll);
        }
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            if (auto* editor = qobject_cast<QWidget*>(object))
                emit commitData(editor);
            emit keyPressed(key);
            return true;
        }
        emit keyPressed(key);
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace lindor::ui
