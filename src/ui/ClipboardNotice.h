// The notice shown after the graph has been copied to the clipboard: how to paste it and
// how to keep the picture's quality.
#pragma once

#include <QDialog>

#include "ui/DialogParts.h"

class QCheckBox;
class QLabel;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TCopy2ClipboardMessage : public QDialog {
    Q_OBJECT
public:
    explicit TCopy2ClipboardMessage(const lang::Language& language, QWidget* parent = nullptr);

    // The "do not show this message any more" box; the caller stores it after OK.
    bool neverShow() const;
    void setNeverShow(bool never);

    QCheckBox* neverShowBox() const { return m_neverShow; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const lang::Language& m_language;
    QLabel* m_copied = nullptr;    // Label1
    QLabel* m_important = nullptr; // Label3, red
    QLabel* m_change = nullptr;    // Label2
    QCheckBox* m_neverShow = nullptr;
    OkCancelButtons m_buttons;
};

} // namespace lindor::ui
