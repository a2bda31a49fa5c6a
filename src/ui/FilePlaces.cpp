#include "ui/FilePlaces.h"

#include <QDir>
#include <QFileInfo>

#include "ui/AppState.h"

namespace lindor::ui {

QString dialogFolder(const AppState& app) {
    if (!app.lastFolder.empty())
        return QString::fromStdString(app.lastFolder);
    if (!app.documentPath.empty())
        return QFileInfo(QString::fromStdString(app.documentPath)).absolutePath();
    return QDir::homePath();
}

QString documentName(const AppState& app) {
    if (app.documentPath.empty())
        return QString::fromStdString(app.language.text("Untitled"));
    return QFileInfo(QString::fromStdString(app.documentPath)).completeBaseName();
}

QString proposedFile(const AppState& app, const QString& extension) {
    return QDir(dialogFolder(app)).filePath(documentName(app) + extension);
}

void rememberFolder(AppState& app, const QString& file) {
    if (!file.isEmpty())
        app.lastFolder = QFileInfo(file).absolutePath().toStdString();
}

} // namespace lindor::ui
