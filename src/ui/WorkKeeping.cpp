#include "ui/WorkKeeping.h"

#include <QFileInfo>
#include <algorithm>

#include "files/FileError.h"
#include "files/Profile.h"
#include "files/ViewSettingsIO.h"
#include "ui/AppState.h"
#include "ui/Questions.h"
#include "ui/SettingsWriter.h"
#include "ui/WriteThrottle.h"

namespace lindor::ui {

namespace {

// A change reaches the recovery copy at most this long after it was made.
constexpr int kRecoveryIntervalMs = 2000;

QString replaced(QString text, const QString& value) {
    return text.contains(QLatin1String("%s")) ? text.replace(QLatin1String("%s"), value)
                                              : text + QLatin1Char(' ') + value;
}

void applyRecentChanges(std::vector<std::string>& recent,
                        const std::vector<WorkKeeping::RecentChange>& changes) {
    for (const WorkKeeping::RecentChange& change : changes) {
        if (change.add)
            files::addRecentDocument(recent, change.path);
        else
            recent.erase(std::remove(recent.begin(), recent.end(), change.path), recent.end());
    }
}

} // namespace

WorkKeeping::WorkKeeping(AppState& app, Questions& questions, Hooks hooks, QObject* parent)
    : QObject(parent), m_app(app), m_questions(questions), m_hooks(std::move(hooks)),
      m_store(std::make_unique<RecoveryStore>(QString::fromStdString(app.stateFolder),
                                              app.replaceFile)),
      m_writtenHistories(app.histories),
      m_recentChanges(std::make_shared<std::vector<RecentChange>>()) {
    m_settings = std::make_unique<SettingsWriter>(app.settings, [this] {
        m_questions.error(QString::fromStdString(
            files::settingsNotWritten(m_app.settings.path(), m_app.language)));
    });
    m_recovery = std::make_unique<WriteThrottle>(kRecoveryIntervalMs, [this] { keepCopy(); });
    files::Profile view;
    files::writeViewSettings(view, app.view(), app.locale());
    m_writtenView = view.toText();
}

WorkKeeping::~WorkKeeping() = default;

QString WorkKeeping::text(const char* key) const {
    return QString::fromStdString(m_app.language.text(key));
}

bool WorkKeeping::offerLeftWork() {
    QStringList movedAside;
    const std::optional<RecoveryStore::LeftWork> left =
        m_store->takeLeftWork(m_app.locale(), m_app.view(), movedAside);
    for (const QString& file : movedAside)
        m_questions.error(replaced(text("RecoveryCopyUnreadable"), file));
    if (!left)
        return false;
    const QString time = left->time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    if (!m_questions.askRestore(replaced(text("RestoreUnsavedWork"), time), text("RestoreButton"),
                                text("RestoreDiscardButton"))) {
        m_store->settleLeftWork();
        return false;
    }
    m_hooks.restore(left->document, QString::fromStdString(left->documentPath));
    // The work is this instance's own now: its copy is written before the old one goes.
    keepCopy();
    m_store->settleLeftWork();
    return true;
}

void WorkKeeping::keepCopy() {
    m_recovery->cancel();
    if (!m_store->enabled())
        return;
    if (!m_app.modified()) {
        m_store->discard();
        return;
    }
    std::string reason;
    if (m_store->keep(m_hooks.document(), m_app.documentPath, QDateTime::currentDateTimeUtc(),
                      m_app.locale(), reason) ||
        m_recoveryReported)
        return;
    m_recoveryReported = true;
    QString message = replaced(text("RecoveryCopyNotWritten"), m_store->folder());
    if (!reason.empty())
        message += QLatin1Char('\n') + QString::fromStdString(reason);
    m_questions.error(message);
}

void WorkKeeping::workChanged() {
    if (m_store->enabled())
        m_recovery->request();
    storeView();
}

void WorkKeeping::storeView() {
    files::Profile view;
    files::writeViewSettings(view, m_app.view(), m_app.locale());
    if (view.toText() == m_writtenView)
        return;
    m_writtenView = view.toText();
    m_settings->put("view", [view = m_app.view(), locale = m_app.locale()](files::Profile& p) {
        files::writeViewSettings(p, view, locale);
    });
}

void WorkKeeping::documentChanged() {
    if (!m_app.modified()) {
        m_recovery->cancel();
        m_store->discard();
    }
    if (!m_app.documentPath.empty())
        changeRecent({true, m_app.documentPath});
    // An opened document brings its view settings.
    storeView();
}

void WorkKeeping::changeRecent(RecentChange change) {
    m_recentChanges->push_back(std::move(change));
    // The list is read again when it is written: another instance may have added to it.
    // The changes are forgotten only once they are in the file.
    const std::size_t count = m_recentChanges->size();
    m_settings->put(
        "recent",
        [changes = *m_recentChanges](files::Profile& p) {
            std::vector<std::string> recent = files::recentDocuments(p);
            applyRecentChanges(recent, changes);
            files::putRecentDocuments(p, recent);
        },
        [changes = m_recentChanges, count] {
            changes->erase(changes->begin(),
                           changes->begin() +
                               static_cast<std::ptrdiff_t>(std::min(count, changes->size())));
        });
}

void WorkKeeping::historiesChanged() {
    if (m_app.histories.functions == m_writtenHistories.functions &&
        m_app.histories.integrals == m_writtenHistories.integrals)
        return;
    m_writtenHistories = m_app.histories;
    m_settings->put("histories", [histories = m_app.histories](files::Profile& p) {
        files::putHistories(p, histories);
    });
}

std::vector<std::string> WorkKeeping::recentDocuments() const {
    std::vector<std::string> recent = m_app.settings.recentDocuments();
    applyRecentChanges(recent, *m_recentChanges);
    std::vector<std::string> shown;
    for (const std::string& path : recent)
        if (QFileInfo(QString::fromStdString(path)).isFile())
            shown.push_back(path);
    return shown;
}

void WorkKeeping::forgetRecent(const std::string& path) {
    changeRecent({false, path});
}

void WorkKeeping::finish(bool keepWork) {
    storeView();
    m_settings->flush();
    if (keepWork)
        keepCopy();
    else {
        m_recovery->cancel();
        m_store->discard();
    }
}

} // namespace lindor::ui
