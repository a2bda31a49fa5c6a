// The instructions shown for an empty or unusable entry: how to write a function (function
// mode) or an integral (integral mode), with examples under pictures of their graphs.
#pragma once

#include <QDialog>
#include <QString>
#include <vector>

#include "ui/DialogParts.h"
#include "ui/GraphPicture.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class InstructionsDialog : public QDialog {
    Q_OBJECT
public:
    // The "do not show this message any more" box; the caller stores it after OK.
    void setNeverShow(bool never);
    bool neverShow() const;

    // Shows the Help button (hidden until there is a help window).
    void setHelpAvailable(bool available);
    bool isHelpAvailable() const { return m_helpAvailable; }
    const QString& helpTopic() const { return m_helpTopic; }

    QCheckBox* neverShowBox() const { return m_neverShow; }

signals:
    void helpRequested(const QString& topic);

protected:
    struct Example {
        QString text;
        GraphPictureRequest picture;
    };
    InstructionsDialog(const lang::Language& language, QString syntax,
                       std::vector<Example> examples, QString helpTopic, QWidget* parent);

    // The caption's text; each dialog has its own key.
    virtual QString caption() const = 0;
    void showEvent(QShowEvent* event) override;

    const lang::Language& m_language;

private:
    QString m_helpTopic;
    bool m_helpAvailable = false;
    QLabel* m_syntaxHeading = nullptr;
    QLabel* m_examplesHeading = nullptr;
    QCheckBox* m_neverShow = nullptr;
    QPushButton* m_help = nullptr;
    OkCancelButtons m_buttons;
};

class TdlgFunctionInstructions : public InstructionsDialog {
    Q_OBJECT
public:
    explicit TdlgFunctionInstructions(const lang::Language& language, QWidget* parent = nullptr);

protected:
    QString caption() const override;
};

class TdlgIntegralInstructions : public InstructionsDialog {
    Q_OBJECT
public:
    explicit TdlgIntegralInstructions(const lang::Language& language, QWidget* parent = nullptr);

protected:
    QString caption() const override;
};

} // namespace lindor::ui
