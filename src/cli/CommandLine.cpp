#include "cli/CommandLine.h"

#include <QCommandLineParser>
#include <QStringList>

namespace lindor::cli {
namespace {

// Which modes take an option.
enum ModeMask : unsigned {
    kNone = 0,
    kEval = 1u << 0,
    kTable = 1u << 1,
    kExport = 1u << 2,
    kSolve = 1u << 3,
};

struct OptionEntry {
    const char* name;
    const char* valueName; // null for an option without a value
    unsigned modes;        // the modes that take it; kNone for the mode options themselves
    Mode mode;             // for a mode option: its mode
};

const OptionEntry kOptions[] = {
    {"eval", nullptr, kNone, Mode::Eval},
    {"table", nullptr, kNone, Mode::Table},
    {"export", "FILE", kNone, Mode::Export},
    {"solve", "KIND", kNone, Mode::Solve},
    {"degrees", nullptr, kEval | kExport | kSolve, Mode::Desktop},
    {"size", "WxH", kExport, Mode::Desktop},
    {"range", "XMIN,XMAX,XSTEP,YMIN,YMAX,YSTEP", kExport, Mode::Desktop},
    {"lines", "STYLE", kExport, Mode::Desktop},
    {"no-axis", nullptr, kExport, Mode::Desktop},
    {"no-grid", nullptr, kExport, Mode::Desktop},
    {"no-scale-text", nullptr, kExport, Mode::Desktop},
    {"no-names", nullptr, kExport, Mode::Desktop},
    {"integral", "TEXT", kExport, Mode::Desktop},
    {"document", "DOC.LDR", kExport, Mode::Desktop},
    {"box", "LEFT,RIGHT,BOTTOM,TOP", kSolve, Mode::Desktop},
    {"value", "V", kSolve, Mode::Desktop},
};

bool isModeOption(const OptionEntry& o) {
    return o.modes == kNone;
}

unsigned maskOf(Mode mode) {
    switch (mode) {
    case Mode::Eval:
        return kEval;
    case Mode::Table:
        return kTable;
    case Mode::Export:
        return kExport;
    case Mode::Solve:
        return kSolve;
    default:
        return kNone;
    }
}

bool isHelp(const std::string& a) {
    return a == "--help" || a == "-h" || a == "--help-all";
}

bool isVersion(const std::string& a) {
    return a == "--version" || a == "-v";
}

// The option named by "--name" or "--name=value"; null for anything else.
const OptionEntry* optionOf(const std::string& arg) {
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0)
        return nullptr;
    const std::string name = arg.substr(2, arg.find('=') - 2);
    for (const OptionEntry& o : kOptions) {
        if (name == o.name)
            return &o;
    }
    return nullptr;
}

// True when `arg` takes the next argument as its value ("--size 3x4", not "--size=3x4").
bool takesNext(const std::string& arg) {
    const OptionEntry* o = optionOf(arg);
    return o != nullptr && o->valueName != nullptr && arg.find('=') == std::string::npos;
}

// An argument that QCommandLineParser should see: "--name", "--name=value", -h, -v.
bool isOptionLike(const std::string& arg) {
    return (arg.size() > 2 && arg.compare(0, 2, "--") == 0) || isHelp(arg) || isVersion(arg);
}

// QCommandLineParser reads any argument that starts with "-" as an option, and holds texts
// as UTF-16. Every other argument (positional ones and option values) is handed to it in
// disguise, a placeholder that it takes as it is, and mapped back afterwards, so that
// "-1" and "-x^2" are positional and every text comes back byte for byte.
class Disguises {
public:
    QString add(const std::string& text) {
        m_texts.push_back(text);
        return QString(QChar(kMark)) + QString::number(m_texts.size() - 1);
    }
    std::string reveal(const QString& text) const {
        if (text.isEmpty() || text[0] != QChar(kMark))
            return text.toStdString();
        return m_texts[text.mid(1).toULongLong()];
    }

private:
    static constexpr char16_t kMark = 1;
    std::vector<std::string> m_texts;
};

} // namespace

std::string CommandLine::value(const std::string& name) const {
    const auto it = values.find(name);
    return it == values.end() ? std::string() : it->second;
}

Mode requestedMode(const std::vector<std::string>& args) {
    Mode mode = Mode::Desktop;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--")
            break;
        if (isHelp(a))
            return Mode::Help;
        if (isVersion(a))
            return Mode::Version;
        const OptionEntry* o = optionOf(a);
        if (o != nullptr && isModeOption(*o) && mode == Mode::Desktop)
            mode = o->mode;
        if (takesNext(a))
            ++i;
    }
    return mode;
}

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error) {
    line = CommandLine{};
    QStringList arguments{QStringLiteral("lindor")};
    Disguises disguises;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            arguments << QStringLiteral("--");
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || !isOptionLike(a)) {
            arguments << disguises.add(a);
            continue;
        }
        const std::size_t equals = a.find('=');
        const OptionEntry* o = optionOf(a);
        if (o != nullptr && o->valueName != nullptr && equals != std::string::npos) {
            arguments << QString::fromStdString(a.substr(0, equals))
                      << disguises.add(a.substr(equals + 1));
            continue;
        }
        arguments << QString::fromStdString(a);
        if (takesNext(a) && i + 1 < args.size())
            arguments << disguises.add(args[++i]); // a value, whatever it looks like
    }

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    for (const OptionEntry& o : kOptions) {
        QCommandLineOption option(QString::fromLatin1(o.name));
        if (o.valueName != nullptr)
            option.setValueName(QString::fromLatin1(o.valueName));
        parser.addOption(option);
    }
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return false;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        line.mode = Mode::Help;
        return true;
    }
    if (parser.isSet(version)) {
        line.mode = Mode::Version;
        return true;
    }

    std::string modeName;
    for (const OptionEntry& o : kOptions) {
        const QString name = QString::fromLatin1(o.name);
        if (!parser.isSet(name))
            continue;
        const QStringList given = parser.values(name);
        if (isModeOption(o)) {
            if (!modeName.empty() || given.size() > 1) {
                error = "choose one of --eval, --table, --export and --solve";
                return false;
            }
            modeName = std::string("--") + o.name;
            line.mode = o.mode;
            if (o.valueName != nullptr)
                line.modeValue = disguises.reveal(given.front());
        } else if (o.valueName != nullptr) {
            line.values[o.name] = disguises.reveal(given.back());
        } else {
            line.flags.insert(o.name);
        }
    }
    for (const QString& p : parser.positionalArguments())
        line.positional.push_back(disguises.reveal(p));

    for (const OptionEntry& o : kOptions) {
        if (isModeOption(o) || !line.has(o.name) || (o.modes & maskOf(line.mode)) != 0)
            continue;
        error = std::string("--") + o.name +
                (line.mode == Mode::Desktop ? " needs one of --eval, --export and --solve"
                                            : " is not an option of " + modeName);
        return false;
    }
    return true;
}

} // namespace lindor::cli
