#include "files/Document.h"

#include <algorithm>

#include "files/Profile.h"
#include "files/ProfileLists.h"
#include "files/ViewSettingsIO.h"
#include "util/NumberLiterals.h"

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

// The key that tells how the document writes its numbers; "." is the only value written.
const char* const kNumbersKey = "Numbers";
const char* const kPointValue = ".";

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

    // A document that keeps its numbers with a point is shown in the user's format.
    const bool point = profile.readString("MainMode", kNumbersKey, "") == kPointValue;
    const NumberLocale& written = point ? kPointNumbers : locale;
    const auto shown = [&](const std::string& text) {
        return point ? convertNumberFormat(text, kPointNumbers, locale) : text;
    };

    Document result;
    result.view = doc.view;
    const std::string mode = profile.readString("MainMode", "Mode", "F");
    result.mode = graph::modeFromLetter(mode.empty() ? 'F' : mode[0]);
    readViewSettings(profile, result.view, written);
    const graph::RangeTexts standard = graph::standardRangeTexts();
    for (std::size_t row = 0; row < result.range.size(); ++row)
        result.range[row] = shown(profile.readString("Range", rangeKey(row), standard[row]));
    result.plotted =
        readTextList(profile, listSection(result.mode), listPrefix(result.mode), kMaxListEntries);
    for (std::string& text : result.plotted)
        text = shown(text);
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

    // Numbers are written with a point and without thousands separators.
    const auto written = [&locale](const std::string& text) {
        return convertNumberFormat(text, locale, kPointNumbers);
    };
    const graph::Mode mode = doc.mode;
    profile.writeString("MainMode", "Mode", std::string(1, graph::modeLetter(mode)));
    profile.writeString("MainMode", kNumbersKey, kPointValue);
    writeViewSettings(profile, doc.view, kPointNumbers);
    for (std::size_t row = 0; row < doc.range.size(); ++row)
        profile.writeString("Range", rangeKey(row), written(doc.range[row]));
    std::vector<std::string> plotted;
    plotted.reserve(doc.plotted.size());
    for (const std::string& text : doc.plotted)
        plotted.push_back(written(text));
    writeTextList(profile, listSection(mode), listPrefix(mode), plotted);

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
