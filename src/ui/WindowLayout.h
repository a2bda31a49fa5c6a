// The arrangement of the frame's four child windows (function pad, graph, range, log) as
// plain geometry, so that it can be computed and tested without any window: the default
// layout, the square graph window, and putting a saved position back onto a visible area.
#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>
#include <optional>
#include <string>

#include "files/SettingsFile.h"

namespace lindor::ui {

// A computed width or height of a child window is never below this many pixels, however
// small the frame.
constexpr int kMinimumChildSide = 40;

// What the default layout starts from. The frame's client size is its whole inner area:
// toolbar, entry panel, the children's area and status bar together; the three panel
// heights are taken off it. (When the children's area itself is given as the client size,
// give the panel heights as 0.)
struct DefaultLayoutInput {
    QSize frameClient;
    int toolbarHeight = 33;
    int entryPanelHeight = 32;
    int statusBarHeight = 19;
    // The function pad's bottom-right key (its "/" key) in the pad's client coordinates;
    // the pad's client area ends just beyond it.
    QRect padReference;
    // The bottom of the range window's grid (top + height) in its client coordinates.
    int rangeGridBottom = 0;
    // What a child window adds around its client area (borders, title bar).
    QMargins childFrame;
    // The frame's whole client height (menu bar excluded), which the 500-pixel rule for the
    // range window looks at when the children's area is given as `frameClient`; 0: the
    // height of `frameClient` itself.
    int frameClientHeight = 0;
};

// Outer bounds of the four children in the children's area.
struct DefaultLayout {
    QRect functionPad;
    QRect graph;
    QRect range;
    QRect log;
};

// The pad at the top left; the range window below it when the frame's client height is
// above 500 (see frameClientHeight), otherwise overlapping it (7 right, 60 down); the log below the
// range window down to the bottom; the graph window filling the rest to the right.
DefaultLayout defaultLayout(const DefaultLayoutInput& input);

// The graph window made square: its longer client side is cut to the shorter one
// (400 x 300 gives 300 x 300, and so does 300 x 400).
QSize quadraticClientSize(const QSize& client);

// Where a window goes when a saved position is loaded. Nothing saved (no section), a saved
// width or height of 0 or below, or an empty visible area keeps the window's current
// geometry. Otherwise the saved size, cut to the visible area's size, is moved the least
// distance that puts it wholly inside the visible area (a position saved on a larger screen
// comes back on-screen).
QRect restoredGeometry(const std::optional<files::WindowPosition>& saved, const QRect& current,
                       const QRect& visible);

// A child window that lies wholly outside the children's area (the frame became smaller)
// moved the least distance that brings it back inside, or to the top left where it is
// larger; a window still partly in the area stays where it is. Its size never changes.
QRect withinReach(const QRect& window, const QSize& area);

// The position saved for `window` (a section name such as files::kGraphWindow), or nothing
// when the settings file has no such section. Missing keys read as 0.
std::optional<files::WindowPosition> savedPosition(const files::SettingsFile& settings,
                                                   const std::string& window);

// The settings file's form of a geometry.
files::WindowPosition toWindowPosition(const QRect& geometry);

} // namespace lindor::ui
