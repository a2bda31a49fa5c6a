#include "ui/WindowLayout.h"

#include <algorithm>

namespace lindor::ui {
namespace {

// Above this frame client height the range window goes below the pad, not over it.
constexpr int kTallFrame = 500;

QSize outerSize(const QSize& client, const QMargins& frame) {
    return {client.width() + frame.left() + frame.right(),
            client.height() + frame.top() + frame.bottom()};
}

int atLeastMinimum(int side) {
    return std::max(side, kMinimumChildSide);
}

} // namespace

DefaultLayout defaultLayout(const DefaultLayoutInput& in) {
    DefaultLayout out;
    const int panels = in.toolbarHeight + in.entryPanelHeight + in.statusBarHeight;

    // Function pad: its client area ends one pixel right of and two below the "/" key.
    const QSize padClient(in.padReference.x() + in.padReference.width() + 1,
                          in.padReference.y() + in.padReference.height() + 2);
    out.functionPad = QRect(QPoint(3, 3), outerSize(padClient, in.childFrame));
    const QRect& pad = out.functionPad;

    // Graph window: to the right of the pad, down to the bottom of the children's area.
    out.graph = QRect(pad.x() + pad.width() + 10, 3,
                      atLeastMinimum(in.frameClient.width() - pad.x() - pad.width() - 17),
                      atLeastMinimum(in.frameClient.height() - panels - 10));

    // Range window: below the pad on a tall frame, over its lower part on a low one.
    const QSize rangeClient(padClient.width(), in.rangeGridBottom + 2);
    const int frameHeight =
        in.frameClientHeight > 0 ? in.frameClientHeight : in.frameClient.height();
    const QPoint rangeTopLeft = frameHeight > kTallFrame
                                    ? QPoint(pad.x(), pad.y() + pad.height() + 3)
                                    : QPoint(pad.x() + 7, pad.y() + 60);
    out.range = QRect(rangeTopLeft, outerSize(rangeClient, in.childFrame));

    // Log window: below the range window, down to 7 pixels above the bottom.
    const int logTop = out.range.y() + out.range.height() + 3;
    out.log = QRect(pad.x(), logTop, outerSize(QSize(padClient.width(), 0), in.childFrame).width(),
                    atLeastMinimum(in.frameClient.height() - panels - logTop - 7));
    return out;
}

QSize quadraticClientSize(const QSize& client) {
    const int side = std::min(client.width(), client.height());
    return {side, side};
}

QRect restoredGeometry(const std::optional<files::WindowPosition>& saved, const QRect& current,
                       const QRect& visible) {
    if (!saved || saved->width <= 0 || saved->height <= 0 || visible.isEmpty())
        return current;
    const int width = std::min(saved->width, visible.width());
    const int height = std::min(saved->height, visible.height());
    const int left = std::clamp(saved->left, visible.x(), visible.x() + visible.width() - width);
    const int top = std::clamp(saved->top, visible.y(), visible.y() + visible.height() - height);
    return {left, top, width, height};
}

QRect withinReach(const QRect& window, const QSize& area) {
    if (area.isEmpty() || window.intersects(QRect(QPoint(0, 0), area)))
        return window;
    const int left = std::clamp(window.x(), 0, std::max(0, area.width() - window.width()));
    const int top = std::clamp(window.y(), 0, std::max(0, area.height() - window.height()));
    return QRect(QPoint(left, top), window.size());
}

std::optional<files::WindowPosition> savedPosition(const files::SettingsFile& settings,
                                                   const std::string& window) {
    const files::Profile profile = settings.read();
    if (!profile.hasSection(window))
        return std::nullopt;
    files::WindowPosition position;
    position.left = profile.readInteger(window, "Left", 0);
    position.top = profile.readInteger(window, "Top", 0);
    position.width = profile.readInteger(window, "Width", 0);
    position.height = profile.readInteger(window, "Height", 0);
    return position;
}

files::WindowPosition toWindowPosition(const QRect& geometry) {
    files::WindowPosition position;
    position.left = geometry.x();
    position.top = geometry.y();
    position.width = geometry.width();
    position.height = geometry.height();
    return position;
}

} // namespace lindor::ui
