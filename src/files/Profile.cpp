#include "files/Profile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace lindor::files {
namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string trim(const std::string& s, std::size_t begin, std::size_t end) {
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.substr(begin, end - begin);
}

// Cuts `value` to at most `limit` bytes without splitting a UTF-8 sequence.
void limitLength(std::string& value, std::size_t limit) {
    if (value.size() <= limit)
        return;
    std::size_t cut = limit;
    // Step back over continuation bytes (10xxxxxx) to the start of the cut character.
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    value.resize(cut);
}

std::string valueOf(const std::string& line, std::size_t equals) {
    std::string value = trim(line, equals + 1, line.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    limitLength(value, Profile::kMaxValueLength);
    return value;
}

// The text to put after "key=" so that reading gives `value` back.
std::string encodeValue(std::string value) {
    for (char& c : value) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const bool blankAtEnds = !value.empty() && (isBlank(value.front()) || isBlank(value.back()));
    const bool quoted = value.size() >= 2 && value.front() == '"' && value.back() == '"';
    if (blankAtEnds || quoted)
        return "\"" + value + "\"";
    return value;
}

bool parseInteger(const std::string& text, int& out) {
    if (text.empty())
        return false;
    int base = 10;
    std::size_t start = 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        start = 2;
    }
    const char* first = text.c_str() + start;
    // strtoll would also take leading blanks and, in base 16, a sign or a second "0x".
    for (const char* c = first; *c != '\0'; ++c) {
        const bool digit = (*c >= '0' && *c <= '9') ||
                           (base == 16 && ((*c >= 'a' && *c <= 'f') || (*c >= 'A' && *c <= 'F')));
        const bool sign = base == 10 && c == first && (*c == '-' || *c == '+');
        if (!digit && !sign)
            return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(first, &end, base);
    if (end == first || *end != '\0' || errno == ERANGE)
        return false;
    if (base == 16) {
        // Written as hexadecimal, a 32-bit pattern such as 0xFFFFFFFF means -1.
        if (v < 0 || v > 0xFFFFFFFFLL)
            return false;
        out = static_cast<int>(static_cast<unsigned int>(v));
        return true;
    }
    if (v < INT_MIN || v > INT_MAX)
        return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

std::string Profile::fold(const std::string& name) {
    std::string folded = name;
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

void Profile::indexSection(Section& s) {
    s.keys.clear();
    for (std::size_t i = 0; i < s.lines.size(); ++i) {
        const Line& line = s.lines[i];
        if (line.kind != LineKind::Entry)
            continue;
        const std::size_t equals = line.text.find('=');
        s.keys.emplace(fold(trim(line.text, 0, equals)), i); // keeps the first
    }
}

Profile Profile::parse(const std::string& text) {
    Profile p;
    std::size_t pos = 0;
    if (text.compare(0, 3, kByteOrderMark) == 0) {
        p.m_byteOrderMark = true;
        pos = 3;
    }
    bool lineEndSeen = false;
    std::vector<Line>* target = &p.m_preamble;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        else if (!lineEndSeen) {
            lineEndSeen = true;
            p.m_lineEnd = (end > pos && text[end - 1] == '\r') ? "\r\n" : "\n";
        }
        std::size_t stop = end;
        if (stop > pos && text[stop - 1] == '\r')
            --stop;
        Line line;
        line.text = text.substr(pos, stop - pos);
        pos = next;

        std::size_t first = 0;
        while (first < line.text.size() && isBlank(line.text[first]))
            ++first;
        const char lead = first < line.text.size() ? line.text[first] : '\0';
        if (lead == '[') {
            const std::size_t close = line.text.find(']', first);
            if (close != std::string::npos) {
                Section s;
                s.header = line.text;
                p.m_sectionIndex.emplace(fold(trim(line.text, first + 1, close)),
                                         p.m_sections.size());
                p.m_sections.push_back(std::move(s));
                target = &p.m_sections.back().lines;
                continue;
            }
        } else if (lead != ';' && lead != '#' && lead != '\0') {
            const std::size_t equals = line.text.find('=');
            if (equals != std::string::npos && !trim(line.text, 0, equals).empty()) {
                line.kind = LineKind::Entry;
                line.value = valueOf(line.text, equals);
            }
        }
        target->push_back(std::move(line));
    }
    for (Section& s : p.m_sections)
        indexSection(s);
    return p;
}

std::string Profile::toText() const {
    std::string out;
    if (m_byteOrderMark)
        out += kByteOrderMark;
    for (const Line& line : m_preamble)
        out += line.text + m_lineEnd;
    for (const Section& s : m_sections) {
        out += s.header + m_lineEnd;
        for (const Line& line : s.lines)
            out += line.text + m_lineEnd;
    }
    return out;
}

bool Profile::hasSection(const std::string& section) const {
    return m_sectionIndex.count(fold(section)) != 0;
}

const Profile::Line* Profile::findEntry(const std::string& section, const std::string& key) const {
    const auto s = m_sectionIndex.find(fold(section));
    if (s == m_sectionIndex.end())
        return nullptr;
    const Section& sec = m_sections[s->second];
    const auto k = sec.keys.find(fold(key));
    if (k == sec.keys.end())
        return nullptr;
    return &sec.lines[k->second];
}

bool Profile::hasKey(const std::string& section, const std::string& key) const {
    return findEntry(section, key) != nullptr;
}

std::string Profile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const Line* line = findEntry(section, key);
    if (line == nullptr) {
        std::string value = defaultValue;
        limitLength(value, kMaxValueLength);
        return value;
    }
    return line->value;
}

int Profile::readInteger(const std::string& section, const std::string& key,
                         int defaultValue) const {
    const Line* line = findEntry(section, key);
    int value = 0;
    if (line == nullptr || !parseInteger(line->value, value))
        return defaultValue;
    return value;
}

bool Profile::readFlag(const std::string& section, const std::string& key,
                       bool defaultValue) const {
    return readInteger(section, key, defaultValue ? 1 : 0) != 0;
}

Profile::Section& Profile::sectionFor(const std::string& section) {
    const std::string folded = fold(section);
    const auto found = m_sectionIndex.find(folded);
    if (found != m_sectionIndex.end())
        return m_sections[found->second];
    Section s;
    s.header = "[" + section + "]";
    m_sectionIndex.emplace(folded, m_sections.size());
    m_sections.push_back(std::move(s));
    return m_sections.back();
}

void Profile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    Section& s = sectionFor(section);
    Line line;
    line.kind = LineKind::Entry;
    line.text = key + "=" + encodeValue(value);
    line.value = valueOf(line.text, key.size());

    const auto found = s.keys.find(fold(key));
    if (found != s.keys.end()) {
        s.lines[found->second] = std::move(line);
        return;
    }
    // After the last entry, so that blank lines and comments closing the section stay
    // in front of the next section.
    std::size_t at = 0;
    for (std::size_t i = s.lines.size(); i > 0; --i) {
        if (s.lines[i - 1].kind == LineKind::Entry) {
            at = i;
            break;
        }
    }
    // Only lines that are not entries follow `at`, so the index of every key stays valid.
    s.lines.insert(s.lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    s.keys.emplace(fold(key), at);
}

void Profile::writeInteger(const std::string& section, const std::string& key, int value) {
    writeString(section, key, std::to_string(value));
}

void Profile::writeFlag(const std::string& section, const std::string& key, bool value) {
    writeString(section, key, value ? "1" : "0");
}

} // namespace lindor::files
