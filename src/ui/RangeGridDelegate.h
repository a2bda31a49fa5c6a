// Draws and edits the cells of the range grid: the label column looks like a fixed
// column (button face, normal text), the value cells are edited in a line edit that
// selects its text when entered, shows the whole text as its tooltip, hands every model
// change on at once and reports every key, Enter and Escape included, before the editor
// could swallow them.
#pragma once

#include <QStyledItemDelegate>

namespace lindor::ui {

class RangeGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit RangeGridDelegate(QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

signals:
    // A key pressed in an editor. Enter and Escape are taken here: the editor's text is
    // kept (never reverted) and the receiver decides where to go.
    void keyPressed(int key);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace lindor::ui
