// The function entry box: an editable combo box whose list shows the active mode's history.
// Enter is the plot command, Escape gives up a pending range operation; the list never
// changes by itself (no insertion on Enter, no completion that would turn "x" into "x^2-2").
// Undo and Redo undo the typing while there is typing to undo, and leave the keys to the
// frame's Undo and Redo of the work otherwise.
#pragma once

#include <QComboBox>
#include <string>
#include <vector>

namespace lindor::ui {

class EntryBox : public QComboBox {
    Q_OBJECT
public:
    explicit EntryBox(QWidget* parent = nullptr);

    QString text() const { return currentText(); }
    void setText(const QString& text) { setEditText(text); }
    void appendText(const QString& text) { setEditText(currentText() + text); }
    // The whole text selected, so that what is typed next replaces it.
    void selectText();
    // The grey example shown while the box is empty.
    void setPlaceholder(const QString& text);

    std::vector<std::string> history() const;
    void setHistory(const std::vector<std::string>& history);

signals:
    void enterPressed();
    // Any key typed into the box (the status bar is cleared then).
    void keyTyped();
    // Escape: a pending range operation is given up.
    void escapePressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Undo or Redo pressed with nothing typed to take back or make again.
    bool leavesUndoToFrame(QEvent* event) const;
};

} // namespace lindor::ui
