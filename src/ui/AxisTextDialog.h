// The axis text dialog: the captions written at the ends of the x and y axes.
#pragma once

#include <QDialog>

#include "ui/DialogParts.h"

class QLabel;
class QLineEdit;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class TdlgAxisText : public QDialog {
    Q_OBJECT
public:
    explicit TdlgAxisText(const lang::Language& language, QWidget* parent = nullptr);

    void setTexts(const QString& x, const QString& y);
    // The fields as they stand (the caller reads them after OK), unchanged.
    QString xText() const;
    QString yText() const;

    QLineEdit* editX() const { return m_editX; }
    QLineEdit* editY() const { return m_editY; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const lang::Language& m_language;
    QLabel* m_labelX = nullptr;
    QLabel* m_labelY = nullptr;
    QLineEdit* m_editX = nullptr;
    QLineEdit* m_editY = nullptr;
    OkCancelButtons m_buttons;
};

} // namespace lindor::ui
