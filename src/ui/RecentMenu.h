// File -> Open Recent: the recent documents that exist, newest first, numbered 1 to 8. The
// entries are made again whenever the File menu or the submenu is about to show.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QMenu;

namespace lindor::ui {

class WorkKeeping;

class RecentMenu : public QObject {
public:
    // `open` runs when an entry is chosen, with its full path.
    RecentMenu(QMenu& fileMenu, QMenu& submenu, WorkKeeping& keeping,
               std::function<void(const QString&)> open, QObject* parent = nullptr);

    // The entries as the lists stand now; the submenu is disabled when it has none.
    void rebuild();

private:
    QMenu& m_menu;
    WorkKeeping& m_keeping;
    std::function<void(const QString&)> m_open;
};

} // namespace lindor::ui
