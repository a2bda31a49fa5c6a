#include "ui/RecoveryStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QUuid>

#include "files/Profile.h"

namespace lindor::ui {

namespace {

const char* const kSection = "Recovery";
const char* const kCopySuffix = ".LDR";
const char* const kLockSuffix = ".lock";

QString lockFileOf(const QString& copy) {
    return copy.left(copy.size() - int(qstrlen(kCopySuffix))) + kLockSuffix;
}

// A lock that goes stale only when its owner no longer runs, never by its age: an instance
// may run for weeks.
std::unique_ptr<QLockFile> lockFile(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

// Reads a copy; nothing when it is not a whole recovery copy.
std::optional<RecoveryStore::LeftWork> readCopy(const QString& file, const NumberLocale& locale,
                                                const graph::ViewSettings& view) {
    RecoveryStore::LeftWork work;
    work.file = file;
    work.document.view = view;
    if (!files::loadDocument(file.toStdString(), work.document, locale).ok())
        return std::nullopt;
    std::string content;
    std::string error;
    if (files::readWholeFile(file.toStdString(), content, error, files::kMaxDocumentSize) !=
        files::ReadResult::Ok)
        return std::nullopt;
    // The section is written last, so a copy cut short has none.
    const files::Profile profile = files::Profile::parse(content);
    work.time = QDateTime::fromString(
        QString::fromStdString(profile.readString(kSection, "Time", "")), Qt::ISODate);
    if (!profile.hasSection(kSection) || !work.time.isValid())
        return std::nullopt;
    work.documentPath = profile.readString(kSection, "Path", "");
    return work;
}

// Renames an unreadable copy so that it is offered no more; its new name.
QString moveAside(const QString& file) {
    QString target = file + QStringLiteral(".unreadable");
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = file + QStringLiteral(".unreadable-") + QString::number(n);
    return QFile::rename(file, target) ? target : file;
}

} // namespace

RecoveryStore::RecoveryStore(QString folder, files::FileReplacer replace)
    : m_folder(std::move(folder)), m_replace(std::move(replace)),
      m_name(QStringLiteral("recovery-") + QString::number(QCoreApplication::applicationPid()) +
             QLatin1Char('-') + QUuid::createUuid().toString(QUuid::Id128).left(12)) {}

RecoveryStore::~RecoveryStore() = default;

QString RecoveryStore::copyFile() const {
    return m_folder.isEmpty() ? QString() : QDir(m_folder).filePath(m_name + kCopySuffix);
}

bool RecoveryStore::lockOwnCopy() {
    if (m_lock)
        return true;
    if (!QDir().mkpath(m_folder))
        return false;
    auto lock = lockFile(QDir(m_folder).filePath(m_name + kLockSuffix));
    if (!lock->tryLock(0))
        return false;
    m_lock = std::move(lock);
    return true;
}

bool RecoveryStore::keep(const files::Document& doc, const std::string& documentPath,
                         const QDateTime& time, const NumberLocale& locale, std::string& reason) {
    if (!enabled())
        return true;
    if (!lockOwnCopy()) {
        reason = "the folder " + m_folder.toStdString() + " cannot be used";
        return false;
    }
    // The document as a save writes it, with the section of the copy added last.
    const files::FileReplacer withSection = [&](const std::string& path, const std::string& content,
                                                std::string& error) {
        files::Profile profile = files::Profile::parse(content);
        profile.writeString(kSection, "Path", documentPath);
        profile.writeString(kSection, "Time", time.toUTC().toString(Qt::ISODate).toStdString());
        return m_replace(path, profile.toText(), error);
    };
    const files::FileStatus status =
        files::saveDocument(copyFile().toStdString(), doc, locale, withSection);
    reason = status.detail;
    return status.ok();
}

void RecoveryStore::discard() {
    if (enabled())
        QFile::remove(copyFile());
}

std::optional<RecoveryStore::LeftWork> RecoveryStore::takeLeftWork(const NumberLocale& locale,
                                                                   const graph::ViewSettings& view,
                                                                   QStringList& movedAside) {
    if (!enabled())
        return std::nullopt;
    const QDir dir(m_folder);
    std::optional<LeftWork> newest;
    for (const QFileInfo& info :
         dir.entryInfoList({QStringLiteral("recovery-*.LDR")}, QDir::Files, QDir::Name)) {
        const QString file = info.absoluteFilePath();
        if (file == copyFile())
            continue;
        // Taken only when the owner no longer runs.
        std::unique_ptr<QLockFile> lock = lockFile(lockFileOf(file));
        if (!lock->tryLock(0))
            continue;
        std::optional<LeftWork> work = readCopy(file, locale, view);
        if (!work) {
            movedAside << moveAside(file);
            continue;
        }
        if (newest && newest->time >= work->time)
            continue; // an older one waits for another start
        newest = std::move(work);
        m_leftLock = std::move(lock);
        m_leftFile = file;
    }
    return newest;
}

void RecoveryStore::settleLeftWork() {
    if (!m_leftFile.isEmpty())
        QFile::remove(m_leftFile);
    m_leftFile.clear();
    m_leftLock.reset();
}

} // namespace lindor::ui
