#include "files/Document.h"

#include <algorithm>

#include "files/Profile.h"
#include "files/ProfileLists.h"
#include "files/ViewSettingsIO.h"

namespace lindor::files {
namespace {

std::string rangeKey(std::size_t row) {
    return "Cells[1," + std::to_string(row) + "]";
}

const char* listSection(graph::Mode mode) {
    return mode == graph::Mode::Integral ? "Integrals" : "Functions";
}

const char* listPrefix(graph::Mode mode) {
    return mode == graph::Mode::Integral ? "I" : "F";
}

} // namespace

FileStatus loadDocument(const std::string& path, Document& doc, const NumberLocale& locale) {
    FileStatus status;
    status.path = path;
    std::string content;
    const ReadResult read = readWholeFile(path, content, status.detail, kMaxDocumentSize);
    if (read != ReadResult::Ok) {
        status.kind = FileStatus::Kind::CannotOpen;
        return status;
    }
    if (looksBinary(content)) {
        status.kind = FileStatus::Kind::NotADocument;
        return status;
    }
    const Profile profile = Profile::parse(content);
    if (profile.sectionCount() == 0) {
        status.kind = FileStatus::Kind::NotADocument;
        return status;
    }

    Document result;
    result.view = doc.view;
    const std::string mode = profile.readString("MainMode", "Mode", "F");
    result.mode = graph::modeFromLetter(mode.empty() ? 'F' : mode[0]);
    readViewSettings(profile, result.view, locale);
    for (std::size_t row = 0; row < result.range.size(); ++row)
        result.range[row] = profile.readString("Range", rangeKey(row), "0");
    result.plotted =
        readTextList(profile, listSection(result.mode), listPrefix(result.mode), kMaxListEntries);
    doc = std::move(result);
    return status;
}

FileStatus saveDocument(const std::string& path, const Document& doc, const NumberLocale& locale,
                        const FileReplacer& replace) {
    FileStatus status;
    status.path = path;

    // An existing document is updated; a file that is not one is replaced.
    Profile profile;
    std::string content;
    switch (readWholeFile(path, content, status.detail, kMaxDocumentSize)) {
    case ReadResult::Ok:
        if (!looksBinary(content))
            profile = Profile::parse(content);
        break;
    case ReadResult::Missing:
    case ReadResult::TooLarge:
        break;
    case ReadResult::Failed:
        status.kind = FileStatus::Kind::CannotSave;
        return status;
    }
    status.detail.clear();

    const graph::Mode mode = doc.mode;
    profile.writeString("MainMode", "Mode", std::string(1, graph::modeLetter(mode)));
    writeViewSettings(profile, doc.view, locale);
    for (std::size_t row = 0; row < doc.range.size(); ++row)
        profile.writeString("Range", rangeKey(row), doc.range[row]);
    writeTextList(profile, listSection(mode), listPrefix(mode), doc.plotted);

    if (!replace(path, profile.toText(), status.detail))
        status.kind = FileStatus::Kind::CannotSave;
    return status;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string withDocumentExtension(const std::string& path) {
    const std::size_t nameStart = path.size() - fileNameOf(path).size();
    const std::size_t dot = path.rfind('.');
    // A dot that starts the name (".hidden") does not begin an extension.
    if (dot == std::string::npos || dot <= nameStart)
        return path + ".LDR";
    return path.substr(0, dot) + ".LDR";
}

} // namespace lindor::files
