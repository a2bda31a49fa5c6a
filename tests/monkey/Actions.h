// What a user can do to the desktop, as lines of the monkey's record: made up at random
// from what the windows offer at that moment, and played on the real widgets.
//
//   start                          the program starts (first, and after the user closed it)
//   command NAME                   a menu or toolbar command, by its object name
//   type|paste WIDGET "text" [enter]
//   key WIDGET "Ctrl+Shift+Z"      one key combination
//   click|dclick WIDGET BUTTON x y
//   drag WIDGET BUTTON x0 y0 x1 y1 MOVES
//   hover WIDGET x y
//   wheel WIDGET x y DX DY MODIFIERS
//   cell ROW "text" enter|redraw|none     a range cell typed into, then Enter or Redraw
//   button CHILD PATH              a button of a child window
//   window CHILD minimize|maximize|restore|close|activate|geometry x y w h
//   frame minimize|maximize|restore|close|geometry x y w h
//   wait MS                        the user does nothing for a while (timers run)
//
// WIDGET is one of Session::widgetNames(); CHILD a child window's object name.
#pragma once

#include <QStringList>

#include "Rng.h"
#include "Script.h"
#include "TextMix.h"

namespace lindor::monkey {

class Session;

class Actions {
public:
    Actions(Session& session, const TextMix& texts) : m_session(session), m_texts(texts) {}

    Line random(Rng& rng);
    // Plays the action; false (with a note why) when it cannot be done now (its widget is
    // hidden, its command disabled or gone).
    bool perform(const Line& action, QStringList& notes);

private:
    Line randomCommand(Rng& rng);
    Line randomTyping(Rng& rng);
    Line randomKey(Rng& rng);
    Line randomMouse(Rng& rng);
    Line randomWheel(Rng& rng);
    Line randomCell(Rng& rng);
    Line randomButton(Rng& rng);
    Line randomWindow(Rng& rng);
    Line randomFrame(Rng& rng);
    // A widget the user can reach now, with these names weighted first.
    QString reachableWidget(Rng& rng, const QStringList& preferred);
    bool reachable(const QString& widget);

    bool performCell(const Line& action, QStringList& notes);
    bool performWindow(const Line& action, QStringList& notes);
    bool performFrame(const Line& action);

    Session& m_session;
    const TextMix& m_texts;
};

} // namespace lindor::monkey
