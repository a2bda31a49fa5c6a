// The zoom factor dialog: the X and Y factors by which zoom in divides and zoom out
// multiplies the range. OK takes both factors or neither.
#pragma once

#include <QDialog>

#include "ui/DialogParts.h"
#include "util/NumberText.h"

class QLabel;
class QLineEdit;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

class Questions;

class TdlgZoomFactor : public QDialog {
    Q_OBJECT
public:
    TdlgZoomFactor(const lang::Language& language, Questions& questions, const NumberLocale& locale,
                   QWidget* parent = nullptr);

    // Shows the factors in the fields, as general number text of fifteen digits.
    void setFactors(double x, double y);
    // The factors given by setFactors, or taken by the last OK.
    double factorX() const { return m_factorX; }
    double factorY() const { return m_factorY; }

    QLineEdit* editX() const { return m_editX; }
    QLineEdit* editY() const { return m_editY; }

public slots:
    // Converts both fields; a text that is not a number, or a factor that is 0, negative
    // or not finite, is refused with a message and the dialog stays open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    const lang::Language& m_language;
    Questions& m_questions;
    NumberLocale m_locale;
    double m_factorX = 2;
    double m_factorY = 2;
    QLabel* m_labelX = nullptr;
    QLabel* m_labelY = nullptr;
    QLineEdit* m_editX = nullptr;
    QLineEdit* m_editY = nullptr;
    OkCancelButtons m_buttons;
};

} // namespace lindor::ui
