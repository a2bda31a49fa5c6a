// What the monkey's hands do: typing and pasting texts, key combinations, mouse clicks,
// drags and wheel turns, all as events sent to a widget, and naming a widget inside a window
// in a way that finds it again in another run.
#pragma once

#include <QPoint>
#include <QString>
#include <Qt>

class QWidget;

namespace lindor::monkey {

// Types the text key by key (control characters as Ctrl+letter, other scripts as text).
void typeText(QWidget* target, const QString& text);
// Puts the text on the clipboard and presses Ctrl+V.
void pasteText(QWidget* target, const QString& text);
// One key combination in portable text ("Ctrl+Shift+Z", "Left", "A"); false when the text
// names none.
bool pressKeys(QWidget* target, const QString& keys);

Qt::MouseButton mouseButton(const QString& name);
QString mouseButtonName(Qt::MouseButton button);
void click(QWidget* target, Qt::MouseButton button, QPoint at, bool twice = false);
// Press at `from`, `moves` moves on the way, release at `to` (anywhere, also outside).
void drag(QWidget* target, Qt::MouseButton button, QPoint from, QPoint to, int moves);
void hover(QWidget* target, QPoint at);
void turnWheel(QWidget* target, QPoint at, QPoint angleDelta, Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers modifiersNamed(const QString& names);
QString modifierNames(Qt::KeyboardModifiers modifiers);

// The widget's name inside `root`: its object name where that is unique there, otherwise
// its class and its place among the widgets of that class ("QPushButton#2").
QString pathOf(const QWidget* widget, const QWidget* root);
QWidget* findPath(QWidget* root, const QString& path);

} // namespace lindor::monkey
