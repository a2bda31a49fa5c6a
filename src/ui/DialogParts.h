// Parts the small dialogs share: the OK and Cancel buttons in a column at the top right,
// the bold dialog text with a size that fits the content, and texts from core as QString.
#pragma once

#include <QString>
#include <string>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

inline QString qtText(const std::string& text) {
    return QString::fromStdString(text);
}

struct OkCancelButtons {
    QPushButton* ok = nullptr;     // "OKBtn": the default button, accepts
    QPushButton* cancel = nullptr; // "CancelBtn": rejects, as Escape does
    QVBoxLayout* column = nullptr; // the buttons from the top, ending in a stretch
};

// Makes the two buttons as children of `dialog`, wired to accept() and reject().
OkCancelButtons makeOkCancel(QDialog& dialog);
// The captions of keys "OK" and "Cancel".
void translateOkCancel(const OkCancelButtons& buttons, const lang::Language& language);
// Bold text throughout, and a size that follows the content and cannot be dragged.
void makeFixedBoldDialog(QDialog& dialog);

// A dialog of two labelled text boxes with OK and Cancel beside them (the zoom factors, the
// axis texts). The boxes get the given object names; the labels get their texts when the
// dialog is shown.
struct TwoFieldDialogParts {
    QLabel* labelX = nullptr;
    QLabel* labelY = nullptr;
    QLineEdit* editX = nullptr;
    QLineEdit* editY = nullptr;
    OkCancelButtons buttons;
};
TwoFieldDialogParts makeTwoFieldDialog(QDialog& dialog, const char* editXName,
                                       const char* editYName, int minimumWidth);

} // namespace lindor::ui
