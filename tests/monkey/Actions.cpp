#include "Actions.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include "Session.h"
#include "UserInput.h"
#include "ui/MainFrame.h"
#include "ui/RangeWindow.h"

namespace lindor::monkey {

namespace {

const char* const kKeys[] = {
    "Left",        "Right",     "Up",
    "Down",        "Esc",       "Return",
    "Enter",       "Ctrl+Z",    "Ctrl+Shift+Z",
    "Ctrl+Y",      "Tab",       "Shift+Tab",
    "Backspace",   "Del",       "Home",
    "End",         "PgUp",      "PgDown",
    "F1",          "F2",        "F4",
    "Ctrl+A",      "Ctrl+C",    "Ctrl+V",
    "Ctrl+X",      "Alt+Down",  "Space",
    "Shift+Left",  "Ctrl++",    "Ctrl+-",
    "+",           "-",         "Ctrl+Left",
    "Shift+Up",    "Ctrl+Down", "Shift+Right",
    "Ctrl+Return", "Alt+F4",    "Ctrl+W",
    "Ctrl+Q",      "X",         "A",
    "S",           "(",         ")",
    "^",           "/",         "*",
    "0",           "1",         "9",
    ".",           ",",         ";",
    "E",
};

const char* const kWindowOps[] = {"minimize", "maximize", "restore",  "close",
                                  "activate", "geometry", "geometry", "geometry"};
const char* const kFrameOps[] = {"minimize", "maximize", "restore",
                                 "geometry", "geometry", "close"};

QString mouseButtonOf(Rng& rng) {
    switch (rng.weighted({80, 15, 5})) {
    case 0:
        return QStringLiteral("left");
    case 1:
        return QStringLiteral("right");
    default:
        return QStringLiteral("middle");
    }
}

// A coordinate along a widget `size` long: mostly inside, sometimes just or far outside.
int coordinate(Rng& rng, int size) {
    switch (rng.weighted({80, 15, 5})) {
    case 0:
        return rng.between(0, std::max(0, size - 1));
    case 1:
        return rng.between(-40, size + 40);
    default:
        return rng.between(-3000, size + 3000);
    }
}

} // namespace

bool Actions::reachable(const QString& name) {
    QWidget* w = m_session.widget(name);
    return w && w->isVisible() && w->isEnabled() && !m_session.frame().isMinimized();
}

QString Actions::reachableWidget(Rng& rng, const QStringList& preferred) {
    if (!preferred.isEmpty() && rng.chance(0.75)) {
        const QString name = preferred[rng.below(int(preferred.size()))];
        if (reachable(name))
            return name;
    }
    QStringList names;
    for (const QString& name : Session::widgetNames())
        if (reachable(name))
            names << name;
    return names.isEmpty() ? QStringLiteral("frame") : names[rng.below(int(names.size()))];
}

Line Actions::random(Rng& rng) {
    if (m_session.frame().isMinimized() || rng.chance(0.003))
        return rng.chance(0.9) ? randomFrame(rng)
                               : Line().word("wait").number(rng.between(0, 1200));
    switch (rng.weighted({26, 20, 12, 16, 5, 8, 6, 5, 1, 1})) {
    case 0:
        return randomCommand(rng);
    case 1:
        return randomTyping(rng);
    case 2:
        return randomKey(rng);
    case 3:
        return randomMouse(rng);
    case 4:
        return randomWheel(rng);
    case 5:
        return randomCell(rng);
    case 6:
        return randomButton(rng);
    case 7:
        return randomWindow(rng);
    case 8:
        return randomFrame(rng);
    default:
        return Line().word("wait").number(rng.between(0, 300));
    }
}

Line Actions::randomCommand(Rng& rng) {
    QList<QAction*> usable;
    for (QAction* a : m_session.commands())
        if (a->isEnabled() && a->isVisible())
            usable << a;
    if (usable.isEmpty())
        return randomKey(rng);
    return Line().word("command").word(usable[rng.below(int(usable.size()))]->objectName());
}

Line Actions::randomTyping(Rng& rng) {
    const QString target = reachableWidget(rng, {QStringLiteral("entry"), QStringLiteral("entry"),
                                                 QStringLiteral("entry"), QStringLiteral("pad"),
                                                 QStringLiteral("graph")});
    const QString text = rng.chance(0.15) ? m_texts.shortText(rng) : m_texts.function(rng);
    Line line;
    line.word(text.size() > 300 || rng.chance(0.1) ? "paste" : "type").word(target).text(text);
    if (rng.chance(0.75))
        line.word("enter");
    return line;
}

Line Actions::randomKey(Rng& rng) {
    QString keys = QString::fromLatin1(rng.pick(kKeys));
    if (rng.chance(0.3)) {
        // The shortcuts the commands have now, whatever they are.
        QStringList shortcuts;
        for (QAction* a : m_session.commands())
            if (!a->shortcut().isEmpty())
                shortcuts << a->shortcut().toString(QKeySequence::PortableText);
        if (!shortcuts.isEmpty())
            keys = shortcuts[rng.below(int(shortcuts.size()))];
    }
    const QString target = reachableWidget(rng, {QStringLiteral("graph"), QStringLiteral("entry")});
    return Line().word("key").word(target).text(keys);
}

Line Actions::randomMouse(Rng& rng) {
    const QString target = reachableWidget(rng, {QStringLiteral("graph"), QStringLiteral("graph"),
                                                 QStringLiteral("graph"), QStringLiteral("area"),
                                                 QStringLiteral("pad")});
    const QWidget* w = m_session.widget(target);
    const int width = w ? w->width() : 100;
    const int height = w ? w->height() : 100;
    Line line;
    const int kind = rng.weighted({60, 20, 8, 12});
    if (kind == 3)
        return line.word("hover")
            .word(target)
            .number(coordinate(rng, width))
            .number(coordinate(rng, height));
    line.word(kind == 0   ? "drag"
              : kind == 1 ? "click"
                          : "dclick")
        .word(target)
        .word(mouseButtonOf(rng));
    const int x0 =
        rng.chance(0.9) ? rng.between(0, std::max(0, width - 1)) : coordinate(rng, width);
    const int y0 =
        rng.chance(0.9) ? rng.between(0, std::max(0, height - 1)) : coordinate(rng, height);
    line.number(x0).number(y0);
    if (kind != 0)
        return line;
    // Any size and direction: none at all, a pixel or two, across, out of the window.
    switch (rng.weighted({10, 15, 60, 15})) {
    case 0:
        return line.number(x0).number(y0).number(rng.between(0, 3));
    case 1:
        return line.number(x0 + rng.between(-3, 3))
            .number(y0 + rng.between(-3, 3))
            .number(rng.between(0, 3));
    case 2:
        return line.number(coordinate(rng, width))
            .number(coordinate(rng, height))
            .number(rng.between(0, 6));
    default:
        return line.number(rng.between(-2000, width + 2000))
            .number(rng.between(-2000, height + 2000))
            .number(rng.between(0, 6));
    }
}

Line Actions::randomWheel(Rng& rng) {
    const QString target = reachableWidget(rng, {QStringLiteral("graph"), QStringLiteral("graph"),
                                                 QStringLiteral("entry"), QStringLiteral("range")});
    const QWidget* w = m_session.widget(target);
    static const int deltas[] = {120, -120, 240,   -240, 15,    -15,   1,
                                 -1,  1200, -1200, 0,    32767, -32768};
    static const char* const modifiers[] = {"none",  "none", "none",      "Ctrl",
                                            "Shift", "Alt",  "Ctrl+Shift"};
    return Line()
        .word("wheel")
        .word(target)
        .number(coordinate(rng, w ? w->width() : 100))
        .number(coordinate(rng, w ? w->height() : 100))
        .number(rng.chance(0.8) ? 0 : rng.pick(deltas))
        .number(rng.pick(deltas))
        .word(rng.pick(modifiers));
}

Line Actions::randomCell(Rng& rng) {
    static const char* const endings[] = {"enter", "enter", "redraw", "redraw", "none"};
    if (!reachable(QStringLiteral("range")))
        return randomCommand(rng);
    return Line()
        .word("cell")
        .number(rng.below(6))
        .text(rng.chance(0.85) ? m_texts.number(rng) : m_texts.any(rng))
        .word(rng.pick(endings));
}

Line Actions::randomButton(Rng& rng) {
    QList<QPair<QString, QString>> buttons;
    for (QMdiSubWindow* sub : m_session.childWindows()) {
        if (!sub->widget() || !sub->widget()->isVisible())
            continue;
        for (QAbstractButton* b : sub->widget()->findChildren<QAbstractButton*>())
            if (b->isVisible() && b->isEnabled())
                buttons.append({sub->objectName(), pathOf(b, sub->widget())});
    }
    if (buttons.isEmpty())
        return randomCommand(rng);
    const auto& [child, path] = buttons[rng.below(int(buttons.size()))];
    return Line().word("button").word(child).word(path);
}

Line Actions::randomWindow(Rng& rng) {
    const QList<QMdiSubWindow*> children = m_session.childWindows();
    if (children.isEmpty())
        return randomFrame(rng);
    const QMdiSubWindow* sub = children[rng.below(int(children.size()))];
    Line line;
    line.word("window").word(sub->objectName());
    const QString op = QString::fromLatin1(rng.pick(kWindowOps));
    line.word(op);
    if (op != QLatin1String("geometry"))
        return line;
    // Moved by its title bar (which stays within reach) or resized to any size.
    const QSize area = m_session.frame().mdiArea().viewport()->size();
    const int w = rng.chance(0.8) ? rng.between(1, std::max(1, area.width()))
                                  : rng.between(1, area.width() * 3 / 2 + 1);
    const int h = rng.chance(0.8) ? rng.between(1, std::max(1, area.height()))
                                  : rng.between(1, area.height() * 3 / 2 + 1);
    return line.number(rng.between(30 - w, std::max(30 - w, area.width() - 30)))
        .number(rng.between(0, std::max(0, area.height() - 10)))
        .number(w)
        .number(h);
}

Line Actions::randomFrame(Rng& rng) {
    Line line;
    line.word("frame");
    if (m_session.frame().isMinimized())
        return line.word(rng.chance(0.5) ? "restore" : "maximize");
    const QString op = QString::fromLatin1(rng.pick(kFrameOps));
    line.word(op);
    if (op != QLatin1String("geometry"))
        return line;
    const QScreen* screen = m_session.frame().screen();
    const QRect desk = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
    const int w = rng.between(1, desk.width() * 13 / 10);
    const int h = rng.between(1, desk.height() * 13 / 10);
    return line.number(desk.left() + rng.between(50 - w, desk.width() - 50))
        .number(desk.top() + rng.between(0, desk.height() - 30))
        .number(w)
        .number(h);
}

bool Actions::perform(const Line& action, QStringList& notes) {
    const QString verb = action.kind();
    if (verb == QLatin1String("start")) {
        m_session.start();
        return true;
    }
    if (!m_session.running()) {
        notes << QStringLiteral("the program is not running");
        return false;
    }
    if (verb == QLatin1String("wait")) {
        QTest::qWait(std::clamp(action.numberAt(1), 0, 5000));
        return true;
    }
    if (verb == QLatin1String("frame"))
        return performFrame(action);
    if (m_session.frame().isMinimized()) {
        notes << QStringLiteral("the frame is minimised");
        return false;
    }
    // A popup list (the entry box's history) takes the keys; anything else closes it first.
    QWidget* popup = QApplication::activePopupWidget();
    const bool keys = verb == QLatin1String("key") || verb == QLatin1String("type") ||
                      verb == QLatin1String("paste");
    if (popup && !keys) {
        popup->close();
        popup = nullptr;
    }
    if (verb == QLatin1String("command")) {
        QAction* a = m_session.command(action.at(1));
        if (!a || !a->isEnabled()) {
            notes << QStringLiteral("no enabled command %1").arg(action.at(1));
            return false;
        }
        a->trigger();
        return true;
    }
    if (verb == QLatin1String("cell"))
        return performCell(action, notes);
    if (verb == QLatin1String("window"))
        return performWindow(action, notes);
    if (verb == QLatin1String("button")) {
        QMdiSubWindow* sub = m_session.childWindow(action.at(1));
        QWidget* b = sub && sub->widget() ? findPath(sub->widget(), action.at(2)) : nullptr;
        if (!b || !b->isVisible() || !b->isEnabled()) {
            notes << QStringLiteral("no usable button %1").arg(action.at(2));
            return false;
        }
        click(b, Qt::LeftButton, b->rect().center());
        return true;
    }
    const QString name = action.at(1);
    if (!reachable(name)) {
        notes << QStringLiteral("%1 cannot be reached").arg(name);
        return false;
    }
    QWidget* target = popup ? popup : m_session.widget(name);
    const QPoint at(action.numberAt(3), action.numberAt(4));
    if (verb == QLatin1String("type") || verb == QLatin1String("paste")) {
        if (verb == QLatin1String("type"))
            typeText(target, action.at(2));
        else
            pasteText(target, action.at(2));
        if (action.at(3) == QLatin1String("enter") && m_session.running() && m_session.widget(name))
            pressKeys(QApplication::activePopupWidget() ? QApplication::activePopupWidget()
                                                        : m_session.widget(name),
                      QStringLiteral("Return"));
    } else if (verb == QLatin1String("key")) {
        if (!pressKeys(target, action.at(2)))
            notes << QStringLiteral("no such key");
    } else if (verb == QLatin1String("click") || verb == QLatin1String("dclick")) {
        click(target, mouseButton(action.at(2)), at, verb == QLatin1String("dclick"));
    } else if (verb == QLatin1String("drag")) {
        drag(target, mouseButton(action.at(2)), at, QPoint(action.numberAt(5), action.numberAt(6)),
             std::clamp(action.numberAt(7), 0, 20));
    } else if (verb == QLatin1String("hover")) {
        hover(target, QPoint(action.numberAt(2), action.numberAt(3)));
    } else if (verb == QLatin1String("wheel")) {
        turnWheel(target, QPoint(action.numberAt(2), action.numberAt(3)),
                  QPoint(action.numberAt(4), action.numberAt(5)), modifiersNamed(action.at(6)));
    } else {
        notes << QStringLiteral("unknown action");
        return false;
    }
    return true;
}

bool Actions::performCell(const Line& action, QStringList& notes) {
    if (!reachable(QStringLiteral("range"))) {
        notes << QStringLiteral("the range window cannot be reached");
        return false;
    }
    ui::TRangeWindow& range = m_session.frame().rangeWindow();
    QTableWidget* grid = range.grid();
    const int row = std::clamp(action.numberAt(1), 0, grid->rowCount() - 1);
    click(grid->viewport(), Qt::LeftButton,
          grid->visualRect(grid->model()->index(row, 1)).center());
    QApplication::processEvents();
    QWidget* editor = m_session.widget(QStringLiteral("range"));
    pressKeys(editor, QStringLiteral("Ctrl+A"));
    if (action.at(2).size() <= 300)
        typeText(editor, action.at(2));
    else
        pasteText(editor, action.at(2));
    const QString ending = action.at(3);
    if (ending == QLatin1String("enter") && m_session.running()) {
        pressKeys(m_session.widget(QStringLiteral("range")), QStringLiteral("Return"));
    } else if (ending == QLatin1String("redraw") && m_session.running()) {
        auto* redraw = range.findChild<QAbstractButton*>(QStringLiteral("spdbtnRedraw"));
        if (redraw && redraw->isEnabled() && redraw->isVisible())
            click(redraw, Qt::LeftButton, redraw->rect().center());
    }
    return true;
}

bool Actions::performWindow(const Line& action, QStringList& notes) {
    QMdiSubWindow* sub = m_session.childWindow(action.at(1));
    if (!sub) {
        notes << QStringLiteral("no child window %1").arg(action.at(1));
        return false;
    }
    const QString op = action.at(2);
    if (op == QLatin1String("minimize"))
        sub->showMinimized();
    else if (op == QLatin1String("maximize"))
        sub->showMaximized();
    else if (op == QLatin1String("restore"))
        sub->showNormal();
    else if (op == QLatin1String("close"))
        sub->close();
    else if (op == QLatin1String("activate"))
        m_session.frame().mdiArea().setActiveSubWindow(sub);
    else if (op == QLatin1String("geometry")) {
        // A minimised child restored while another is maximised comes back maximised; a
        // user restores it once more before moving it.
        for (int i = 0; i < 2 && (sub->isMinimized() || sub->isMaximized()); ++i)
            sub->showNormal();
        sub->setGeometry(action.numberAt(3), action.numberAt(4), action.numberAt(5),
                         action.numberAt(6));
    }
    return true;
}

bool Actions::performFrame(const Line& action) {
    ui::TMDIFrame& frame = m_session.frame();
    const QString op = action.at(1);
    if (op == QLatin1String("minimize"))
        frame.showMinimized();
    else if (op == QLatin1String("maximize"))
        frame.showMaximized();
    else if (op == QLatin1String("restore"))
        frame.showNormal();
    else if (op == QLatin1String("close"))
        frame.close();
    else if (op == QLatin1String("geometry")) {
        if (frame.isMaximized() || frame.isMinimized())
            frame.showNormal();
        frame.setGeometry(action.numberAt(2), action.numberAt(3), action.numberAt(4),
                          action.numberAt(5));
    }
    if (!frame.isMinimized())
        frame.activateWindow();
    return true;
}

} // namespace lindor::monkey
