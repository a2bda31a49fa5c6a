// The dialog that picks plotted functions: one for an analysis, a trace or a derivative,
// several to erase. Each function is listed in the colour it is plotted with; the caller
// sets the caption and the selection mode before showing it.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>
#include <vector>

#include "ui/DialogParts.h"

class QListWidget;
class QListWidgetItem;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class Questions;

class TSelectGraphWindow : public QDialog {
    Q_OBJECT
public:
    struct Item {
        QString text;
        QColor color;
    };

    TSelectGraphWindow(const lang::Language& language, Questions& questions,
                       QWidget* parent = nullptr);

    // Replaces the list; nothing is selected afterwards.
    void setItems(const std::vector<Item>& items);
    // Several items (erase) or one (everything else); switching clears the selection.
    void setMultiSelection(bool multi);
    bool isMultiSelection() const;
    // The selected list positions in increasing order.
    std::vector<int> selectedRows() const;

    QListWidget* list() const { return m_list; }

public slots:
    // Refuses to close while nothing is selected, and says so.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void lstboxGraphDoubleClick(QListWidgetItem* item);

    const lang::Language& m_language;
    Questions& m_questions;
    QListWidget* m_list = nullptr;
    OkCancelButtons m_buttons;
};

} // namespace lindor::ui
