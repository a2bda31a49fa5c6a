// The range window: the six texts of the Range (Xmin .. Ystep) in an editable grid whose
// value column widens with the window, with buttons for the standard range, the trigonometry range,
// the saved range (open, save) and Redraw, which hands the texts to the frame's apply-range step.
#pragma once

#include <QWidget>
#include <functional>

#include "graph/Model.h"
#include "ui/Guarded.h"

class QTableWidget;
class QToolButton;

namespace lindor::lang {
class Language;
}
namespace lindor::files {
class SettingsFile;
}
namespace lindor::expr {
struct EngineContext;
}

namespace lindor::ui {

class Questions;
class RangeGridDelegate;

class TRangeWindow : public QWidget {
    Q_OBJECT
public:
    TRangeWindow(const lang::Language& language, files::SettingsFile& settings,
                 const expr::EngineContext& engine, Questions& questions,
                 QWidget* parent = nullptr);

    // The six value cells, Xmin to Ystep, as typed.
    graph::RangeTexts texts() const;
    // Writes the cells; the Redraw button keeps its state.
    void setTexts(const graph::RangeTexts& texts);

    // Enabled: the grid holds texts that have not been applied yet.
    void setRedrawEnabled(bool enabled);
    bool isRedrawEnabled() const;

    // The frame's apply-range step: converts the texts and redraws the graph; returns
    // false when it refused them (after showing why).
    void setApplyRange(std::function<bool()> apply) { m_apply = std::move(apply); }

    QTableWidget* grid() const { return m_grid; }

public slots:
    void spdbtnRangeStandardClick();
    void spdbtnRangeTrigonometryClick();
    void spdbtnRangeOpenClick();
    void spdbtnRangeSparaClick();
    void spdbtnRedrawClick();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QToolButton* addButton(const char* name, const char* icon);
    // A key in the grid or its editor: Enter and Escape move one row down, or redraw on
    // the last row; every key marks the texts as not applied.
    void strgrdRangeKeyDown(int key);
    void FormShow();
    // The caption, labels and hints from the translation table.
    void setTexts();

    const lang::Language& m_language;
    files::SettingsFile& m_settings;
    const expr::EngineContext& m_engine;
    Questions& m_questions;
    CommandGuard m_guard;
    std::function<bool()> m_apply;
    bool m_shownOnce = false;

    QTableWidget* m_grid = nullptr;
    RangeGridDelegate* m_delegate = nullptr;
    QToolButton* m_standard = nullptr;
    QToolButton* m_trigonometry = nullptr;
    QToolButton* m_open = nullptr;
    QToolButton* m_save = nullptr;
    QToolButton* m_redraw = nullptr;
};

} // namespace lindor::ui
