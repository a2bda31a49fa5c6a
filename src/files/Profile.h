// A profile text: sections in square brackets followed by key=value lines.
//
// Section and key names are matched without regard to (ASCII) letter case; the first
// section and the first key of a name count. Reading trims blanks around a value,
// removes one pair of enclosing double quotes and keeps at most kMaxValueLength bytes.
// Writing a key replaces its line in place; a new key goes after the last key of its
// section, a new section at the end. Every other line (comments, blank lines, lines
// that are neither) is kept as it was, in its order.
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

namespace lindor::files {

class Profile {
public:
    static constexpr std::size_t kMaxValueLength = 2047;

    Profile() = default;

    // Parses profile text. Never fails: lines that are not understood are kept as they
    // are and otherwise ignored. A UTF-8 byte-order mark and CRLF line ends are accepted
    // and kept when the text is written back.
    static Profile parse(const std::string& text);

    // The text to write: the kept lines and every change, each line ended the way the
    // parsed text ended its lines ("\n" for a new profile).
    std::string toText() const;

    bool hasSection(const std::string& section) const;
    bool hasKey(const std::string& section, const std::string& key) const;
    // The number of sections (first occurrences and repeats alike).
    std::size_t sectionCount() const { return m_sections.size(); }

    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal text, or "0x"/"0X" followed by hexadecimal digits; anything else, a number
    // out of the int range included, gives the default.
    int readInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // An integer; non-zero is true.
    bool readFlag(const std::string& section, const std::string& key, bool defaultValue) const;

    // Values are written as given. Line breaks in a value are replaced by blanks so that a
    // value can never add lines of its own; a value that would not read back as written
    // (blanks at either end, or enclosed in double quotes) is written in double quotes.
    void writeString(const std::string& section, const std::string& key, const std::string& value);
    void writeInteger(const std::string& section, const std::string& key, int value);
    void writeFlag(const std::string& section, const std::string& key, bool value);

private:
    enum class LineKind { Other, Entry };
    struct Line {
        std::string text; // as it stands in the file, without the line end
        LineKind kind = LineKind::Other;
        std::string value; // for entries: the value as read
    };
    struct Section {
        std::string header; // the header line as written
        std::vector<Line> lines;
        std::unordered_map<std::string, std::size_t> keys; // folded key -> first line
    };

    const Line* findEntry(const std::string& section, const std::string& key) const;
    Section& sectionFor(const std::string& section);
    static std::string fold(const std::string& name);
    static void indexSection(Section& s);

    bool m_byteOrderMark = false;
    std::string m_lineEnd = "\n";
    std::vector<Line> m_preamble; // lines before the first section
    std::vector<Section> m_sections;
    std::unordered_map<std::string, std::size_t> m_sectionIndex; // folded name -> first
};

} // namespace lindor::files
