// The program's arguments: which mode they ask for, and their options and positional
// arguments as parsed by QCommandLineParser.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

namespace lindor::cli {

enum class Mode { Desktop, Help, Version, Eval, Table, Export, Solve };

// The mode the arguments ask for, without judging the rest: Help or Version when they
// ask for those, else the first mode option (--eval, --table, --export, --solve), else
// Desktop, whatever the other arguments are. Nothing after "--" is an option.
Mode requestedMode(const std::vector<std::string>& args);

struct CommandLine {
    Mode mode = Mode::Desktop;
    std::string modeValue; // the FILE of --export, the KIND of --solve
    std::vector<std::string> positional;
    std::set<std::string> flags;               // options without a value, by name
    std::map<std::string, std::string> values; // options with a value: the last one given

    bool has(const std::string& name) const { return flags.count(name) + values.count(name) > 0; }
    // The value of an option, empty when it was not given.
    std::string value(const std::string& name) const;
};

// Parses the arguments (without the program name). An argument that starts with a single
// "-" is a positional argument (a negative number, a function such as -x^2), except -h
// and -v; one that starts with "--" is an option. Texts come back byte for byte, also
// when they are not UTF-8. False with a message for an unknown
// option, a missing value, more than one mode, an option that the mode does not take, and
// options without a mode.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& line, std::string& error);

} // namespace lindor::cli
