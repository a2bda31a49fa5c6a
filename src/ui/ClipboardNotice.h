// The notice shown after the graph has been copied to the clipboard: how to paste it and
// how to keep its quality, with a check box to stop showing it.
#pragma once

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TCopy2ClipboardMessage : public QDialog {
    Q_OBJECT

public:
    TCopy2ClipboardMessage(const lang::Language& language, QWidget* parent = nullptr);

    // The state of "Do not show this message any more".
    bool neverShow() const;
    void setNeverShow(bool never);

protected:
    void showEvent(QShowEvent* event) override;

private:
    const lang::Language& m_language;
    QLabel* m_label1;
    QLabel* m_label3;
    QLabel* m_label2;
    QCheckBox* m_chkboxNeverShowMessage;
    QDialogButtonBox* m_buttons;
};

} // namespace lindor::ui
