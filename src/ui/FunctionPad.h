// The function pad: a small calculator-like window for composing a function with the mouse.
// Its buttons append pieces of text to the frame's entry box or run a command on it (clear,
// delete the last character, plot, derivative, tangent, normal). Typing while the pad has
// the focus edits the entry box too.
//
// A button acts only when the last input on the pad came from the mouse: a button reached
// with Tab and "pressed" with the space bar or Enter does nothing as a button; the key goes
// through the key path instead (a space is appended, Enter plots).
#pragma once

#include <QWidget>
#include <vector>

#include "lang/Language.h"
#include "ui/FunctionPadTarget.h"
#include "util/NumberText.h"

class QAbstractButton;
class QGridLayout;
class QKeyEvent;
class QToolButton;

namespace lindor::ui {

class TFunctionPadWindow : public QWidget {
    Q_OBJECT
public:
    // The back-space button repeats every kRepeatInterval ms while it is held down.
    static constexpr int kRepeatInterval = 100;

    TFunctionPadWindow(const lang::Language& language, FunctionPadTarget& target,
                       const NumberLocale& locale, QWidget* parent = nullptr);

    // A key typed while the pad has the focus (the graph window hands its typing here too):
    // back-space deletes the last character of the entry box, Enter plots it (the text stays),
    // any other printable text is appended. Control characters and keys held with Ctrl, Alt
    // or Meta add nothing. Every key marks the last input as coming from the keyboard. The
    // event is accepted when the key acted on the entry box, otherwise ignored.
    void handleKey(QKeyEvent* event);

    // The bottom-right key ("/"); the window layout sizes the pad from its geometry.
    QAbstractButton* divideButton() const;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Action { Append, Keypad, Derivative, Tangent, Normal, Back, Delete, Exe };
    struct PadButton {
        QToolButton* button;
        Action action;
        QString appended; // for Action::Append
        const char* hintKey;
    };

    QString text(const char* key) const; // the text of a translation key
    void createButtons();
    QToolButton* addButton(QGridLayout* grid, const char* name, const QString& caption,
                           Action action, const QString& appended, const char* hintKey, int row,
                           int column, int columnSpan);
    void arrangeTabOrder();
    void FormShow();
    void updateSizes();

    void buttonClick(const PadButton& pad);
    void runAction(const PadButton& pad);
    void appendText(const QString& text);
    void deleteLastCharacter();
    void plotAndEmpty();

    const lang::Language& m_language;
    FunctionPadTarget& m_target;
    NumberLocale m_locale;
    // Set by any key on the pad, cleared by any mouse press on one of its buttons.
    bool m_keyboardOrigin = false;

    std::vector<PadButton> m_buttons;
    QGridLayout* m_leftGrid = nullptr;
    QGridLayout* m_rightGrid = nullptr;
    QToolButton* m_decimal = nullptr;
    QToolButton* m_divide = nullptr;
    QToolButton* m_derivative = nullptr;
    QToolButton* m_tangent = nullptr;
    QToolButton* m_normal = nullptr;
    QToolButton* m_delete = nullptr;
    QToolButton* m_back = nullptr;
};

} // namespace lindor::ui
