// Where the file dialogs open and the name they propose, the same for documents, pictures
// and printouts.
#pragma once

#include <QString>

namespace lindor::ui {

class AppState;

// The folder a file was last opened or saved in, else the document's folder, else the
// home folder.
QString dialogFolder(const AppState& app);
// The document's name without folder and extension, or the text of "Untitled".
QString documentName(const AppState& app);
// The document's name with `extension` (".png") in the dialog folder.
QString proposedFile(const AppState& app, const QString& extension);
// Remembers the folder of a file just opened or saved.
void rememberFolder(AppState& app, const QString& file);

} // namespace lindor::ui
