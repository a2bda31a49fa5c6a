// Recovery copies of unsaved work: one document per running instance in a folder of their
// own, each guarded by a lock file that its instance holds while it runs. A copy whose lock
// can be taken was left by an instance that no longer runs; a copy whose owner runs is never
// touched.
//
// A copy is a document (files/Document.h) with a section "Recovery" that names the
// document's path (empty while untitled) and the time it was written (UTC).
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>

#include "files/Document.h"
#include "files/TextFile.h"
#include "util/NumberText.h"

class QLockFile;

namespace lindor::ui {

class RecoveryStore {
public:
    // Work left by an instance that no longer runs.
    struct LeftWork {
        QString file;
        QDateTime time; // when it was written
        std::string documentPath;
        files::Document document;
    };

    // `folder` empty: the store keeps nothing. The folder is made when the first copy is
    // written.
    RecoveryStore(QString folder, files::FileReplacer replace = files::defaultFileReplacer());
    // Gives up this instance's lock; its copy stays (only discard removes it), so a run
    // that ends without its exit path leaves its work to the next start.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore&) = delete;
    RecoveryStore& operator=(const RecoveryStore&) = delete;

    bool enabled() const { return !m_folder.isEmpty(); }
    const QString& folder() const { return m_folder; }
    // This instance's copy (it may not exist yet).
    QString copyFile() const;

    // Writes this instance's copy of `doc` (texts in `locale`); false with the system's
    // reason when it cannot be written.
    bool keep(const files::Document& doc, const std::string& documentPath, const QDateTime& time,
              const NumberLocale& locale, std::string& reason);
    // Removes this instance's copy.
    void discard();

    // The newest copy left by instances that no longer run, read in `locale` over the view
    // settings `view`; it stays locked by this store until settleLeftWork. Copies that
    // cannot be read are moved aside (their new names in `movedAside`) and never offered.
    std::optional<LeftWork> takeLeftWork(const NumberLocale& locale,
                                         const graph::ViewSettings& view, QStringList& movedAside);
    // Removes the copy taken by takeLeftWork and gives up its lock.
    void settleLeftWork();

private:
    bool lockOwnCopy();

    QString m_folder;
    files::FileReplacer m_replace;
    QString m_name; // "recovery-<id>", this instance's
    std::unique_ptr<QLockFile> m_lock;
    QString m_leftFile;
    std::unique_ptr<QLockFile> m_leftLock;
};

} // namespace lindor::ui
