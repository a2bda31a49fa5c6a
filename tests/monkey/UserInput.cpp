#include "UserInput.h"

#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QPointer>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>
#include <vector>

namespace lindor::monkey {

namespace {

// The key a keyboard reports for a typed character, with the modifiers it needs.
std::pair<Qt::Key, Qt::KeyboardModifiers> keyOf(char16_t c) {
    switch (c) {
    case '\n':
    case '\r':
        return {Qt::Key_Return, Qt::NoModifier};
    case '\t':
        return {Qt::Key_Tab, Qt::NoModifier};
    case '\b':
        return {Qt::Key_Backspace, Qt::NoModifier};
    case 0x1b:
        return {Qt::Key_Escape, Qt::NoModifier};
    case 0x7f:
        return {Qt::Key_Delete, Qt::NoModifier};
    default:
        break;
    }
    if (c < 0x20)
        return {static_cast<Qt::Key>(c == 0 ? Qt::Key_At : Qt::Key_A + c - 1), Qt::ControlModifier};
    const QChar upper = QChar(c).toUpper();
    if (upper.isSurrogate())
        return {Qt::Key_unknown, Qt::NoModifier};
    return {static_cast<Qt::Key>(upper.unicode()), Qt::NoModifier};
}

// What a key press starts may close the widget that had the keyboard (Ctrl+N closes an
// open range cell); the release then goes nowhere, as on a real keyboard.
void sendKey(QWidget* widget, Qt::Key key, const QString& text, Qt::KeyboardModifiers modifiers) {
    const QPointer<QWidget> target(widget);
    QTest::sendKeyEvent(QTest::Press, target, key, text, modifiers);
    if (target)
        QTest::sendKeyEvent(QTest::Release, target, key, text, modifiers);
}

} // namespace

void typeText(QWidget* widget, const QString& text) {
    const QPointer<QWidget> target(widget);
    for (int i = 0; i < text.size() && target; ++i) {
        QString typed(text[i]);
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            typed += text[++i];
        const auto [key, modifiers] = keyOf(typed[0].unicode());
        sendKey(target, key, typed, modifiers);
    }
}

void pasteText(QWidget* target, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    sendKey(target, Qt::Key_V, QString(), Qt::ControlModifier);
}

bool pressKeys(QWidget* target, const QString& keys) {
    const QKeySequence sequence = QKeySequence::fromString(keys, QKeySequence::PortableText);
    if (sequence.isEmpty())
        return false;
    const QKeyCombination combination = sequence[0];
    const Qt::Key key = combination.key();
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    QString text;
    if (key >= Qt::Key_Space && key <= Qt::Key_AsciiTilde && !(modifiers & ~Qt::ShiftModifier))
        text = QChar(key).toLower();
    else if (key >= Qt::Key_A && key <= Qt::Key_Z && modifiers == Qt::ControlModifier)
        text = QChar(char16_t(key - Qt::Key_A + 1));
    else if (key == Qt::Key_Return || key == Qt::Key_Enter)
        text = QStringLiteral("\r");
    else if (key == Qt::Key_Escape)
        text = QChar(char16_t(0x1b));
    else if (key == Qt::Key_Backspace)
        text = QChar(char16_t(8));
    else if (key == Qt::Key_Tab)
        text = QStringLiteral("\t");
    sendKey(target, key, text, modifiers);
    return true;
}

Qt::MouseButton mouseButton(const QString& name) {
    if (name == QLatin1String("right"))
        return Qt::RightButton;
    if (name == QLatin1String("middle"))
        return Qt::MiddleButton;
    return Qt::LeftButton;
}

QString mouseButtonName(Qt::MouseButton button) {
    switch (button) {
    case Qt::RightButton:
        return QStringLiteral("right");
    case Qt::MiddleButton:
        return QStringLiteral("middle");
    default:
        return QStringLiteral("left");
    }
}

void click(QWidget* widget, Qt::MouseButton button, QPoint at, bool twice) {
    // What a press or release starts may close the widget under the pointer.
    const QPointer<QWidget> target(widget);
    std::vector<QTest::MouseAction> events{QTest::MousePress, QTest::MouseRelease};
    if (twice)
        events.insert(events.end(), {QTest::MousePress, QTest::MouseDClick, QTest::MouseRelease});
    for (QTest::MouseAction event : events)
        if (target)
            QTest::mouseEvent(event, target, button, Qt::NoModifier, at);
}

void drag(QWidget* widget, Qt::MouseButton button, QPoint from, QPoint to, int moves) {
    // What the press starts may close the window under the pointer.
    const QPointer<QWidget> target(widget);
    QTest::mousePress(target, button, Qt::NoModifier, from);
    for (int i = 1; i <= moves && target; ++i)
        QTest::mouseMove(target, from + (to - from) * i / (moves + 1));
    if (target)
        QTest::mouseMove(target, to);
    if (target)
        QTest::mouseRelease(target, button, Qt::NoModifier, to);
}

void hover(QWidget* target, QPoint at) {
    QMouseEvent event(QEvent::MouseMove, at, target->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void turnWheel(QWidget* target, QPoint at, QPoint angleDelta, Qt::KeyboardModifiers modifiers) {
    QWheelEvent event(QPointF(at), QPointF(target->mapToGlobal(at)), QPoint(), angleDelta,
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

Qt::KeyboardModifiers modifiersNamed(const QString& names) {
    Qt::KeyboardModifiers m;
    if (names.contains(QLatin1String("Ctrl")))
        m |= Qt::ControlModifier;
    if (names.contains(QLatin1String("Shift")))
        m |= Qt::ShiftModifier;
    if (names.contains(QLatin1String("Alt")))
        m |= Qt::AltModifier;
    return m;
}

QString modifierNames(Qt::KeyboardModifiers modifiers) {
    QStringList names;
    if (modifiers & Qt::ControlModifier)
        names << QStringLiteral("Ctrl");
    if (modifiers & Qt::ShiftModifier)
        names << QStringLiteral("Shift");
    if (modifiers & Qt::AltModifier)
        names << QStringLiteral("Alt");
    return names.isEmpty() ? QStringLiteral("none") : names.join(QLatin1Char('+'));
}

QString pathOf(const QWidget* widget, const QWidget* root) {
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    const QString name = widget->objectName();
    if (!name.isEmpty() && !name.contains(QLatin1Char('#')) &&
        std::count_if(all.begin(), all.end(),
                      [&](const QWidget* w) { return w->objectName() == name; }) == 1)
        return name;
    const char* className = widget->metaObject()->className();
    int index = 0;
    for (const QWidget* w : all) {
        if (w == widget)
            break;
        if (qstrcmp(w->metaObject()->className(), className) == 0)
            ++index;
    }
    return QString::fromLatin1(className) + QLatin1Char('#') + QString::number(index);
}

QWidget* findPath(QWidget* root, const QString& path) {
    const QList<QWidget*> all = root->findChildren<QWidget*>();
    const int hash = path.indexOf(QLatin1Char('#'));
    if (hash < 0) {
        for (QWidget* w : all)
            if (w->objectName() == path)
                return w;
        return nullptr;
    }
    const QByteArray className = path.left(hash).toLatin1();
    const int wanted = path.mid(hash + 1).toInt();
    int index = 0;
    for (QWidget* w : all)
        if (className == w->metaObject()->className() && index++ == wanted)
            return w;
    return nullptr;
}

} // namespace lindor::monkey
