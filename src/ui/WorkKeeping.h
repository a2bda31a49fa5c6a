// Keeps the user's work and settings while the program runs, so that a crash, a killed
// session or a power cut loses little: the recovery copy of unsaved work (written at most
// two seconds after each change, removed when the work is saved or set aside and at a
// normal exit), the offer to restore the work a run left behind, the histories and view
// settings written as they change, and the recent documents.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/Document.h"
#include "files/SettingsFile.h"
#include "ui/RecoveryStore.h"

namespace lindor::ui {

class AppState;
class Questions;
class SettingsWriter;
class WriteThrottle;

class WorkKeeping : public QObject {
public:
    struct Hooks {
        // The work as a document would keep it.
        std::function<files::Document()> document;
        // Makes restored work the current work: its document path and the changed mark.
        std::function<void(const files::Document& document, const QString& path)> restore;
    };

    WorkKeeping(AppState& app, Questions& questions, Hooks hooks, QObject* parent = nullptr);
    ~WorkKeeping() override;

    // At the start, before anything else is opened: offers the newest work a run left
    // unsaved. True when it was restored.
    bool offerLeftWork();

    // After every change of the work: the recovery copy follows, and so do the view
    // settings in the settings file.
    void workChanged();
    // After New, Open and Save: the document goes to the top of the recent documents, and
    // work that is no longer changed needs no recovery copy.
    void documentChanged();
    // After the entry histories (AppState::histories) may have changed.
    void historiesChanged();

    // The recent documents that exist, newest first.
    std::vector<std::string> recentDocuments() const;
    // Takes a document out of the recent list (it was chosen but is gone).
    void forgetRecent(const std::string& path);

    // The end of a run: pending settings are written; the recovery copy is removed, or, when
    // `keepWork` (the session ends), written now and kept for the next start.
    void finish(bool keepWork);

    RecoveryStore& store() { return *m_store; }

    // A document added to the recent list or taken out of it.
    struct RecentChange {
        bool add;
        std::string path;
    };

private:
    void changeRecent(RecentChange change);
    void keepCopy();
    // The view settings go to the settings file when they differ from those written.
    void storeView();
    QString text(const char* key) const;

    AppState& m_app;
    Questions& m_questions;
    Hooks m_hooks;
    std::unique_ptr<RecoveryStore> m_store;
    std::unique_ptr<SettingsWriter> m_settings;
    std::unique_ptr<WriteThrottle> m_recovery;
    std::string m_writtenView;
    files::Histories m_writtenHistories;
    // Changes of the recent list not yet written.
    std::shared_ptr<std::vector<RecentChange>> m_recentChanges;
    bool m_recoveryReported = false;
};

} // namespace lindor::ui
