#include "ui/RecentMenu.h"

#include <QFileInfo>
#include <QMenu>

#include "ui/WorkKeeping.h"

namespace lindor::ui {

RecentMenu::RecentMenu(QMenu& fileMenu, QMenu& submenu, WorkKeeping& keeping,
                       std::function<void(const QString&)> open, QObject* parent)
    : QObject(parent), m_menu(submenu), m_keeping(keeping), m_open(std::move(open)) {
    connect(&fileMenu, &QMenu::aboutToShow, this, &RecentMenu::rebuild);
    connect(&submenu, &QMenu::aboutToShow, this, &RecentMenu::rebuild);
}

void RecentMenu::rebuild() {
    m_menu.clear();
    int number = 0;
    for (const std::string& document : m_keeping.recentDocuments()) {
        const QString path = QString::fromStdString(document);
        // "&&" shows an "&" of the name rather than making it the entry's letter.
        QString name = QFileInfo(path).fileName();
        name.replace(QLatin1Char('&'), QLatin1String("&&"));
        QAction* entry = m_menu.addAction(QLatin1Char('&') + QString::number(++number) +
                                          QLatin1Char(' ') + name);
        entry->setStatusTip(path);
        entry->setToolTip(path);
        connect(entry, &QAction::triggered, this, [this, path] { m_open(path); });
    }
    m_menu.setEnabled(number > 0);
}

} // namespace lindor::ui
