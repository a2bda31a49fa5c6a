// lindor --export FILE [options] [FUNCTION ...]: draws the graph as the graph window
// shows it and writes it to FILE (.png, .bmp, .svg, .gif).
#include <QGuiApplication>
#include <optional>
#include <ostream>
#include <sstream>

#include "cli/Cli.h"
#include "expr/ConstantText.h"
#include "expr/FuncEval.h"
#include "files/Document.h"
#include "files/FileError.h"
#include "graph/GraphView.h"
#include "graph/analysis/ZoomTexts.h"
#include "lang/Language.h"
#include "qt/GraphSurfaces.h"
#include "qt/PictureFiles.h"
#include "util/NumberLiterals.h"
#include "util/NumberText.h"

namespace lindor::cli {

namespace {

constexpr int kLargestSide = 16384;

struct ExportOptions {
    std::string file;
    int width = 800;
    int height = 600;
    // Options not given keep the document's values, or the defaults without a document.
    std::optional<graph::Range> range;
    bool degrees = false;
    std::optional<graph::LineStyle> lines;
    bool hideAxis = false;
    bool hideGrid = false;
    bool hideScaleText = false;
    bool hideNames = false;
    bool hasIntegral = false;
    std::string integral;
    std::string document;
    std::vector<std::string> functions;
};

bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos)
        return false;
    try {
        std::size_t used = 0;
        const std::string w = text.substr(0, x);
        const std::string h = text.substr(x + 1);
        width = std::stoi(w, &used);
        if (used != w.size())
            return false;
        height = std::stoi(h, &used);
        if (used != h.size())
            return false;
    } catch (const std::exception&) {
        return false;
    }
    return width > 0 && height > 0 && width <= kLargestSide && height <= kLargestSide;
}

bool parseRange(const std::string& text, graph::Range& range, std::string& error) {
    std::vector<long double> values;
    std::stringstream in(text);
    std::string cell;
    // The command line always writes a decimal point; a cell may be a constant ("pi/2").
    while (std::getline(in, cell, ',')) {
        const expr::ConstantValue v =
            expr::evaluateConstant(cell, kPointNumbers, lang::builtinEnglish());
        if (!v.ok) {
            error = "--range: " + v.error;
            return false;
        }
        values.push_back(v.value);
    }
    if (values.size() != 6) {
        error = "--range needs six numbers: XMIN,XMAX,XSTEP,YMIN,YMAX,YSTEP";
        return false;
    }
    range = {values[0], values[1], values[2], values[3], values[4], values[5]};
    if (!(range.xMin < range.xMax) || !(range.yMin < range.yMax)) {
        error = "--range needs XMIN below XMAX and YMIN below YMAX";
        return false;
    }
    return true;
}

// Returns kExitOk when the arguments are good, otherwise prints why and returns the code.
int parseOptions(CommandContext& ctx, ExportOptions& o) {
    const CommandLine& line = ctx.line;
    o.file = line.modeValue;
    if (o.file.empty() || o.file.rfind("--", 0) == 0) {
        ctx.err << "lindor: --export needs a file name first\n";
        return kExitUsage;
    }
    o.functions = line.positional;
    if (line.has("size")) {
        const std::string v = line.value("size");
        if (!parseSize(v, o.width, o.height)) {
            ctx.err << "lindor: --size needs WIDTHxHEIGHT, each 1 to " << kLargestSide
                    << " pixels, not '" << v << "'\n";
            return kExitUsage;
        }
    }
    if (line.has("range")) {
        std::string error;
        graph::Range range;
        if (!parseRange(line.value("range"), range, error)) {
            ctx.err << "lindor: " << error << "\n";
            return kExitUsage;
        }
        o.range = range;
    }
    o.degrees = line.has("degrees");
    if (line.has("lines")) {
        const std::string v = line.value("lines");
        if (v == "dotted")
            o.lines = graph::LineStyle::Dotted;
        else if (v == "normal")
            o.lines = graph::LineStyle::Normal;
        else if (v == "bold")
            o.lines = graph::LineStyle::Bold;
        else {
            ctx.err << "lindor: --lines is dotted, normal or bold, not '" << v << "'\n";
            return kExitUsage;
        }
    }
    o.hideAxis = line.has("no-axis");
    o.hideGrid = line.has("no-grid");
    o.hideScaleText = line.has("no-scale-text");
    o.hideNames = line.has("no-names");
    o.hasIntegral = line.has("integral");
    o.integral = line.value("integral");
    o.document = line.value("document");
    if (o.hasIntegral && !o.functions.empty()) {
        ctx.err << "lindor: --export draws either functions or one --integral, not both\n";
        return kExitUsage;
    }
    if (qtgui::pictureFormatOf(o.file) == qtgui::PictureFormat::Unknown) {
        ctx.err << "lindor: unknown picture format of '" << o.file
                << "' (use .png, .bmp, .svg or .gif)\n";
        return kExitUsage;
    }
    return kExitOk;
}

// The document's Range, reversed bounds put in order: its six texts in the user's number
// format (numbers or constant expressions), or plain numbers with a point (an older
// document from another desktop).
bool documentRange(const graph::RangeTexts& texts, const expr::EngineContext& engine,
                   graph::Range& range, std::string& error) {
    std::string firstError;
    for (const NumberLocale& format : {engine.locale, kPointNumbers}) {
        expr::EngineContext reader;
        reader.locale = format;
        reader.language = engine.language;
        reader.angleMode = engine.angleMode;
        graph::RangeTexts ordered = texts;
        graph::analysis::swapReversedBounds(ordered, reader);
        if (graph::analysis::rangeFromTexts(ordered, range, reader, error))
            return true;
        if (firstError.empty())
            firstError = error;
    }
    error = firstError;
    return false;
}

} // namespace

int runExport(CommandContext& ctx) {
    ExportOptions o;
    if (const int code = parseOptions(ctx, o); code != kExitOk)
        return code;

    lang::Language language(
        [&ctx](const std::string& message) { ctx.err << "lindor: " << message << "\n"; });
    if (!ctx.programDir.empty())
        language.LoadLanguage("English", ctx.programDir);
    const NumberLocale& locale = ctx.locale;

    // What to draw: the document first, then the command line on top of it.
    graph::Mode mode = graph::Mode::Function;
    graph::ViewSettings settings;
    graph::Range range = graph::Range::standard();
    std::vector<std::string> texts;
    std::string error;
    std::optional<graph::RangeTexts> documentRangeTexts;
    if (!o.document.empty()) {
        files::Document doc;
        const files::FileStatus status = files::loadDocument(o.document, doc, locale);
        if (!status.ok()) {
            ctx.err << "lindor: " << files::describe(status, language) << "\n";
            return kExitUsage;
        }
        documentRangeTexts = doc.range;
        mode = doc.mode;
        settings = doc.view;
        texts = doc.plotted;
    }
    if (o.hasIntegral) {
        if (mode == graph::Mode::Function && !texts.empty()) {
            ctx.err << "lindor: the document holds functions; --integral draws an integral\n";
            return kExitUsage;
        }
        mode = graph::Mode::Integral;
        texts = {o.integral};
    } else if (!o.functions.empty()) {
        if (mode == graph::Mode::Integral && !texts.empty()) {
            ctx.err << "lindor: the document holds an integral; functions cannot be added\n";
            return kExitUsage;
        }
        mode = graph::Mode::Function;
        texts.insert(texts.end(), o.functions.begin(), o.functions.end());
    }
    if (o.range)
        range = *o.range;
    if (o.degrees)
        settings.radians = false;
    if (o.lines)
        settings.lineStyle = *o.lines;
    settings.showAxis = settings.showAxis && !o.hideAxis;
    settings.showGrid = settings.showGrid && !o.hideGrid;
    settings.showScaleText = settings.showScaleText && !o.hideScaleText;
    settings.showFunctionNames = settings.showFunctionNames && !o.hideNames;

    expr::EngineContext engine;
    engine.angleMode = settings.radians ? expr::AngleMode::Radians : expr::AngleMode::Degrees;
    engine.locale = locale;
    engine.language = &language;
    if (!o.range && documentRangeTexts &&
        !documentRange(*documentRangeTexts, engine, range, error)) {
        ctx.err << "lindor: " << o.document << ": " << error << "\n";
        return kExitUsage;
    }
    expr::TFunctionDB functions(engine);
    graph::GraphView view(functions, language);
    view.setClientSize(o.width, o.height);
    if (!view.applyRange(range, error)) {
        ctx.err << "lindor: " << error << "\n";
        return kExitUsage;
    }
    view.state().view = settings;

    // Drawing text needs the GUI application that the program creates for this mode.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
        ctx.err << "lindor: --export needs a graphical application object\n";
        return kExitFailure;
    }
    qtgui::GraphSurfaces surfaces;
    view.setMode(mode, surfaces.canvas());
    for (const std::string& text : texts) {
        const graph::PlotOutcome outcome = view.plotRequest(text, surfaces.canvas());
        if (outcome.status == graph::PlotOutcome::Status::Plotted)
            continue;
        std::string why = outcome.message;
        if (outcome.status == graph::PlotOutcome::Status::InvalidIntegral)
            why = language.text("IntegralTextNotValid");
        else if (outcome.status == graph::PlotOutcome::Status::EmptyText)
            why = "empty function text";
        ctx.err << "lindor: " << text << ": " << why << "\n";
        return kExitUsage;
    }

    // The picture the graph window shows: a full redraw of everything plotted.
    view.redraw(surfaces.canvas());
    if (!qtgui::savePicture(surfaces, o.file, error, &language)) {
        ctx.err << "lindor: " << error << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

} // namespace lindor::cli
