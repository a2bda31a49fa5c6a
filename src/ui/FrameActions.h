// Every command of the menus and the toolbar as a QAction, made from one table: its
// name (the design's), the translation key of its caption, its shortcut, picture and
// whether it is a check mark. Applying the language sets every caption and hint.
#pragma once

#include <QAction>
#include <QHash>
#include <QObject>

namespace lindor::lang {
class Language;
}

namespace lindor::ui {

struct ActionEntry {
    const char* name;     // object name, e.g. "Root1"
    const char* key;      // caption key; nullptr keeps `caption` in every language
    const char* caption;  // the caption shown until the language is applied
    const char* shortcut; // portable text ("Ctrl+R") or nullptr
    const char* icon;     // resource name under :/icons/ or nullptr
    bool checkable = false;
};

class FrameActions : public QObject {
public:
    explicit FrameActions(QObject* parent);

    // The action of that name; adds it from the table on first use. Unknown names are a
    // programming error (an assertion in debug builds, a disabled placeholder otherwise).
    QAction* operator[](const char* name);
    // Sets captions and hints from the translation table; hints are the captions without
    // their mnemonics.
    void applyLanguage(const lang::Language& language);

    static const ActionEntry* find(const char* name);

private:
    QHash<QByteArray, QAction*> m_actions;
};

} // namespace lindor::ui
