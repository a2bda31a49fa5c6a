#include "ui/WindowCommands.h"

#include <algorithm>

#include <QAbstractButton>
#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>

#include "files/Profile.h"
#include "ui/AppState.h"
#include "ui/FunctionPad.h"
#include "ui/GraphWindow.h"
#include "ui/Guarded.h"
#include "ui/LogWindow.h"
#include "ui/MainFrame.h"
#include "ui/RangeWindow.h"
#include "ui/WindowLayout.h"

namespace lindor::ui {

namespace {

// What a child window adds around its client area.
QMargins frameMargins(const QMdiSubWindow& sub) {
    const QRect inner = sub.widget() ? sub.widget()->geometry() : QRect();
    if (!inner.isValid())
        return QMargins(4, 24, 4, 4);
    return QMargins(inner.left(), inner.top(), sub.width() - inner.right() - 1,
                    sub.height() - inner.bottom() - 1);
}

} // namespace

WindowCommands::WindowCommands(AppState& app, TMDIFrame& frame, const CommandGuard& guard)
    : m_app(app), m_frame(frame), m_guard(guard) {
    frame.mdiArea().viewport()->installEventFilter(this);
    for (QWidget* child : children())
        child->installEventFilter(this);
}

std::array<QWidget*, 4> WindowCommands::children() const {
    return {m_frame.subWindowOf(&m_frame.functionPad()),
            m_frame.subWindowOf(&m_frame.rangeWindow()), m_frame.subWindowOf(&m_frame.logWindow()),
            m_frame.subWindowOf(&m_frame.graphWindow())};
}

void WindowCommands::DefaultPosition1Click() {
    if (!m_frame.isMaximized())
        m_frame.showMaximized();
    arrangeDefault();
}

namespace {

// Comes before restoring a minimised child: one restored while another covers the area
// takes over the maximised state, and would keep it under any geometry given to it.
void restoreMaximisedChild(QMdiArea& area) {
    for (QMdiSubWindow* sub : area.subWindowList())
        if (sub->isMaximized())
            sub->showNormal();
}

} // namespace

void WindowCommands::arrangeDefault() {
    if (m_arranging)
        return;
    const QScopedValueRollback<bool> arranging(m_arranging, true);
    QMdiArea& area = m_frame.mdiArea();
    QMdiSubWindow* graph = m_frame.subWindowOf(&m_frame.graphWindow());
    restoreMaximisedChild(area);
    for (QMdiSubWindow* sub : area.subWindowList())
        if (sub->isMinimized())
            sub->showNormal();
    // The panels take their places for the frame's present size first.
    if (m_frame.layout())
        m_frame.layout()->activate();
    if (QWidget* central = m_frame.centralWidget(); central && central->layout())
        central->layout()->activate();

    DefaultLayoutInput in;
    in.frameClient = area.viewport()->size();
    in.toolbarHeight = in.entryPanelHeight = in.statusBarHeight = 0;
    // The 500-pixel rule looks at the frame's client area: everything below the menu bar.
    const QWidget* menu = m_frame.menuWidget();
    in.frameClientHeight = m_frame.height() - (menu && menu->isVisible() ? menu->height() : 0);
    TFunctionPadWindow& pad = m_frame.functionPad();
    // The pad's keys grow with its window: they are measured at the pad's own size, not at
    // the size the user gave it.
    QMdiSubWindow* padWindow = m_frame.subWindowOf(&pad);
    padWindow->resize(padWindow->sizeHint());
    if (pad.layout())
        pad.layout()->activate();
    const QAbstractButton* divide = pad.divideButton();
    in.padReference = QRect(divide->mapTo(&pad, QPoint(0, 0)), divide->size());
    const QWidget* grid = m_frame.rangeWindow().findChild<QWidget*>("strgrdRange");
    in.rangeGridBottom =
        grid ? grid->mapTo(&m_frame.rangeWindow(), QPoint(0, grid->height())).y() : 150;
    in.childFrame = frameMargins(*graph);

    const DefaultLayout layout = defaultLayout(in);
    m_frame.subWindowOf(&pad)->setGeometry(layout.functionPad);
    m_frame.subWindowOf(&m_frame.rangeWindow())->setGeometry(layout.range);
    m_frame.subWindowOf(&m_frame.logWindow())->setGeometry(layout.log);
    graph->setGeometry(layout.graph);
    // A frame too small for the layout still shows a part of every window.
    keepChildrenInReach();
    std::array<QRect, 4> arranged;
    const std::array<QWidget*, 4> windows = children();
    for (std::size_t i = 0; i < windows.size(); ++i)
        arranged[i] = windows[i]->geometry();
    m_arranged = arranged;
}

bool WindowCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && m_arranged && watched == m_frame.mdiArea().viewport()) {
        // Only an arrangement nobody has touched follows the frame.
        const std::array<QWidget*, 4> windows = children();
        bool untouched = true;
        for (std::size_t i = 0; i < windows.size(); ++i)
            untouched = untouched && windows[i]->geometry() == (*m_arranged)[i] &&
                        !windows[i]->isMinimized() && !windows[i]->isMaximized();
        if (untouched)
            m_guard.run([this] { arrangeDefault(); });
        else
            m_arranged.reset();
    }
    // A smaller frame, a child made smaller (the square graph window) or back from
    // maximised at the place it had in a larger frame may leave a child out of sight; the
    // check runs once the area has settled.
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize || type == QEvent::Move || type == QEvent::WindowStateChange)
        keepChildrenInReachLater();
    return QObject::eventFilter(watched, event);
}

void WindowCommands::keepChildrenInReachLater() {
    if (m_reachCheckPending)
        return;
    m_reachCheckPending = true;
    QTimer::singleShot(0, this, [this] {
        m_reachCheckPending = false;
        m_guard.run([this] { keepChildrenInReach(); });
    });
}

void WindowCommands::keepChildrenInReach() {
    const QSize area = m_frame.mdiArea().viewport()->size();
    const QList<QMdiSubWindow*> subs = m_frame.mdiArea().subWindowList();
    const bool anyMaximised =
        std::any_of(subs.begin(), subs.end(), [](QMdiSubWindow* s) { return s->isMaximized(); });
    // The icons of minimised children are not laid out again when the frame shrinks while a
    // child is maximised; they are brought back once no child covers the area.
    for (QMdiSubWindow* sub : subs)
        if (!sub->isMaximized() && (!sub->isMinimized() || !anyMaximised))
            sub->move(withinReach(sub->geometry(), area).topLeft());
}

std::vector<std::pair<std::string, files::WindowPosition>> WindowCommands::positions() const {
    // The frame, then the children in the settings file's order.
    std::vector<std::pair<std::string, files::WindowPosition>> result{
        {files::kFrameWindow, toWindowPosition(m_frame.geometry())}};
    const std::pair<const char*, QWidget*> children[] = {
        {files::kFunctionPadWindow, &m_frame.functionPad()},
        {files::kRangeWindow, &m_frame.rangeWindow()},
        {files::kLogWindow, &m_frame.logWindow()},
        {files::kGraphWindow, &m_frame.graphWindow()},
    };
    for (const auto& [section, child] : children)
        result.emplace_back(section, toWindowPosition(m_frame.placeOf(child)));
    return result;
}

void WindowCommands::Sparafnsterposition1Click() {
    // One replacement of the file; a failed write stays quiet, as every settings write of
    // a command does.
    const auto all = positions();
    m_app.settings.update([&](files::Profile& p) {
        for (const auto& [window, position] : all)
            files::putWindowPosition(p, window, position);
    });
}

void WindowCommands::LoadPosition1Click() {
    const QScreen* screen = m_frame.screen();
    const QRect desktop = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const std::optional<files::WindowPosition> frame =
        savedPosition(m_app.settings, files::kFrameWindow);
    if (frame && frame->width > 0 && frame->height > 0) {
        m_frame.showNormal();
        m_frame.setGeometry(restoredGeometry(frame, m_frame.geometry(), desktop));
    }
    const QRect visible(QPoint(0, 0), m_frame.mdiArea().viewport()->size());
    const std::pair<const char*, QWidget*> children[] = {
        {files::kFunctionPadWindow, &m_frame.functionPad()},
        {files::kRangeWindow, &m_frame.rangeWindow()},
        {files::kLogWindow, &m_frame.logWindow()},
        {files::kGraphWindow, &m_frame.graphWindow()},
    };
    restoreMaximisedChild(m_frame.mdiArea());
    for (const auto& [section, child] : children) {
        QMdiSubWindow* sub = m_frame.subWindowOf(child);
        const std::optional<files::WindowPosition> saved = savedPosition(m_app.settings, section);
        if (!saved || saved->width <= 0 || saved->height <= 0)
            continue;
        sub->showNormal();
        sub->setGeometry(restoredGeometry(saved, sub->geometry(), visible));
    }
}

void WindowCommands::MakeGraphWindowQuadratic1Click() {
    TGraphWindow& graph = m_frame.graphWindow();
    QMdiSubWindow* sub = m_frame.subWindowOf(&graph);
    if (sub->isMaximized() || sub->isMinimized())
        sub->showNormal();
    const QSize square = quadraticClientSize(graph.size());
    sub->resize(sub->size() - graph.size() + square);
}

} // namespace lindor::ui
