// Documents (".LDR"): the mode, the view settings, the six range texts and the plotted
// functions or integrands, kept in a profile file.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "files/FileError.h"
#include "files/TextFile.h"
#include "graph/Model.h"
#include "util/NumberText.h"

namespace lindor::files {

// At most this many entries of a "Count" are read; a larger count in a file cannot make
// the reader hand out millions of texts.
constexpr int kMaxListEntries = 100;

// Documents larger than this are refused: no document written by the program comes near.
constexpr std::size_t kMaxDocumentSize = 64u * 1024u * 1024u;

// A document's texts are in the user's number format while it is open. On disk, the
// function and integral texts, the range texts and the zoom factors are kept with "." as
// decimal separator and without thousands separators, marked by the key "Numbers=." of
// section "MainMode", so a document opens the same on a desktop with a decimal comma.
// A document without that key (older programs) is read in the user's format.
struct Document {
    graph::Mode mode = graph::Mode::Function;
    graph::ViewSettings view;
    // The range grid's texts, rows Xmin, Xmax, Xstep, Ymin, Ymax, Ystep, as shown.
    graph::RangeTexts range = graph::standardRangeTexts();
    // The plotted functions (mode "F") or integrands (mode "I"), in plotting order.
    std::vector<std::string> plotted;
};

// Reads the document at `path` into `doc`, its texts converted into `locale` when the
// document keeps its numbers with a point. `doc.view` should hold the view settings in
// force: a document without line-style keys keeps that line style. Every other missing
// key takes its default ("Mode" "F", each range text that of the standard range, "Count"
// 0, texts empty); "Count" rules over any further numbered keys. A "Mode" other than F or I (either
// case) reads as function mode. A missing, unreadable or binary file, or text without any section,
// is reported and leaves `doc` as it was.
FileStatus loadDocument(const std::string& path, Document& doc, const NumberLocale& locale);

// Writes `doc` (texts in `locale`) to `path`, its numbers with a point. An existing document is
// updated in place: the keys written replace their values and every other line stays (an older list
// of the other mode, or numbered keys beyond the new "Count"). The file is replaced as a whole, so
// a failure leaves the old file untouched and is reported.
FileStatus saveDocument(const std::string& path, const Document& doc, const NumberLocale& locale,
                        const FileReplacer& replace = defaultFileReplacer());

// The path with its extension replaced by ".LDR" (added when there is none).
std::string withDocumentExtension(const std::string& path);

// The file name of `path` without its folder (the frame's caption).
std::string fileNameOf(const std::string& path);

} // namespace lindor::files
