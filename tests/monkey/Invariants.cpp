#include "Invariants.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>

#include "Session.h"
#include "graph/Model.h"
#include "ui/GraphWindow.h"
#include "ui/MainFrame.h"

namespace lindor::monkey {

namespace {

QString describe(const QRect& r) {
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

std::optional<QString> childOutOfReach(Session& session) {
    ui::TMDIFrame& frame = session.frame();
    const QWidget* area = frame.mdiArea().viewport();
    if (frame.isMinimized() || !area->isVisible() || area->width() <= 0 || area->height() <= 0)
        return std::nullopt;
    const QRect visible(QPoint(0, 0), area->size());
    // While a child is maximised, the icons of minimised children lie behind it; they must
    // be back within reach once it is restored.
    bool maximisedChild = false;
    for (const QMdiSubWindow* sub : session.childWindows())
        maximisedChild = maximisedChild || (sub->isVisible() && sub->isMaximized());
    for (const QMdiSubWindow* sub : session.childWindows())
        if (sub->isVisible() && !(maximisedChild && sub->isMinimized()) &&
            !sub->geometry().intersects(visible))
            return QStringLiteral("the child window %1 (%2) lies outside the frame's area (%3)")
                .arg(sub->objectName(), describe(sub->geometry()), describe(visible));
    return std::nullopt;
}

std::optional<QString> windowOffScreen() {
    QRect screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens |= screen->geometry();
    for (const QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->isMinimized())
            continue;
        // A popup list opens beside its box; a box moved off the screen with its window
        // takes its list along.
        const QWidget* box = w->windowType() == Qt::Popup ? w->parentWidget() : nullptr;
        if (box && !QRect(box->mapToGlobal(QPoint(0, 0)), box->size()).intersects(screens))
            continue;
        if (!w->frameGeometry().intersects(screens))
            return QStringLiteral("the window %1 (%2) lies outside the screen (%3)")
                .arg(QString::fromLatin1(w->metaObject()->className()),
                     describe(w->frameGeometry()), describe(screens));
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> brokenRule(Session& session) {
    if (!session.running() || session.closed())
        return std::nullopt;
    if (session.plottedFunctions() > graph::kMaxFunctions)
        return QStringLiteral("%1 functions are plotted").arg(session.plottedFunctions());
    // The plotted functions and the integral own what is compiled (with the parts of their
    // derivatives); with nothing shown, anything left in the function list is a leak.
    if (session.plottedFunctions() == 0 && !session.integralShown() &&
        session.compiledFunctions() > 0)
        return QStringLiteral("nothing is plotted, but the function list holds %1 functions")
            .arg(session.compiledFunctions());
    const graph::Range r = session.range();
    if (!graph::isUsableRange(r))
        return QStringLiteral("the Range cannot be drawn: x %1 .. %2 step %3, y %4 .. %5 step %6")
            .arg(double(r.xMin))
            .arg(double(r.xMax))
            .arg(double(r.xStep))
            .arg(double(r.yMin))
            .arg(double(r.yMax))
            .arg(double(r.yStep));
    ui::TMDIFrame& frame = session.frame();
    // A maximised child window adds its own caption: "Lindor - name * - [Graph]".
    QString caption = frame.windowTitle();
    for (const QMdiSubWindow* sub : session.childWindows())
        if (sub->isMaximized() &&
            caption.endsWith(QStringLiteral(" - [") + sub->windowTitle() + QLatin1Char(']')))
            caption.chop(sub->windowTitle().size() + 5);
    const bool starred = caption.endsWith(QLatin1String(" *"));
    if (starred != session.modified())
        return QStringLiteral("the caption \"%1\" does not match the work, which is %2")
            .arg(frame.windowTitle(),
                 session.modified() ? QStringLiteral("modified") : QStringLiteral("unmodified"));
    if (std::optional<QString> broken = childOutOfReach(session))
        return broken;
    if (std::optional<QString> broken = windowOffScreen())
        return broken;
    ui::TGraphWindow& graph = frame.graphWindow();
    if (graph.isVisible() && graph.bitmap().size() != graph.size())
        return QStringLiteral("the graph window is %1x%2 but its picture %3x%4")
            .arg(graph.width())
            .arg(graph.height())
            .arg(graph.bitmap().width())
            .arg(graph.bitmap().height());
    return std::nullopt;
}

} // namespace lindor::monkey
