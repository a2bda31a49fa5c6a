#include "expr/TextPass.h"

#include <cmath>
#include <vector>

#include "expr/BackwardScan.h"
#include "expr/CharClasses.h"
#include "lang/Language.h"
#include "util/NumberLiterals.h"

namespace lindor::expr {
namespace {

// Function names and their codes, replaced in this order.
struct NameCode {
    const char* name;
    char code;
};
constexpr NameCode kNames[] = {
    {"ln", 'l'},   {"log", 'g'}, {"arcsin", 'a'}, {"arccos", 'o'}, {"arctan", 'n'},
    {"sin", 's'},  {"cos", 'c'}, {"tan", 't'},    {"d/dx", 'd'},   {"sqrt", 'q'},
    {"cbrt", 'r'}, {"abs", 'b'}, {"random", 'm'}, {"int", 'i'},
};

std::string replaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = text.find(from, pos);
        if (hit == std::string::npos)
            break;
        out.append(text, pos, hit - pos);
        out += to;
        pos = hit + from.size();
    }
    out.append(text, pos, std::string::npos);
    return out;
}

std::string removeChar(const std::string& text, char c) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        if (ch != c)
            out.push_back(ch);
    }
    return out;
}

bool isAllowed(char c, char decimalSeparator) {
    return isOperatorOrCode(c) || isOperandStart(c) || isSignedNumberChar(c, decimalSeparator) ||
           isTerminator(c);
}

// The whole character starting at `pos` (a UTF-8 sequence stays in one piece).
std::string characterAt(const std::string& text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    else if (lead >= 0xE0)
        length = lead < 0xF0 ? 3 : 1;
    else if (lead >= 0xC0)
        length = 2;
    if (pos + length > text.size())
        length = 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80)
            return text.substr(pos, 1);
    }
    return text.substr(pos, length);
}

// Steps of the range: cuts "[lower; upper]" out of `text`. False when the range is not
// written correctly.
bool cutRange(std::string& text, const NumberLocale& locale, TextPassResult& result) {
    const std::size_t open = text.find('[');
    if (open == std::string::npos)
        return true;
    const std::size_t close = text.find(']');
    if (close == std::string::npos)
        return false;
    std::string rangeText;
    if (close > open) {
        rangeText = text.substr(open + 1, close - open - 1);
        text.erase(open, close - open + 1);
    }
    const std::size_t semicolon = rangeText.find(';');
    if (semicolon == std::string::npos)
        return false;
    long double lower = 0;
    long double upper = 0;
    // Thousands separators are dropped (the caller has checked that they group digits).
    const auto bound = [&locale](const std::string& part, long double& value) {
        return tryParseNumber(convertNumberFormat(part, locale, locale), locale, value);
    };
    if (!bound(rangeText.substr(0, semicolon), lower) ||
        !bound(rangeText.substr(semicolon + 1, 255), upper))
        return false;
    result.hasRange = true;
    result.lowerBound = lower;
    result.upperBound = upper;
    return true;
}

// Node list of the implicit multiplication step: the text with the characters inserted so
// far, each ")" or "(" knowing its partner.
struct Node {
    char c;
    int prev;
    int next;
    int match;
};

struct NodeView {
    const std::vector<Node>& nodes;
    int prev(int k) const { return nodes[static_cast<std::size_t>(k)].prev; }
    int next(int k) const { return nodes[static_cast<std::size_t>(k)].next; }
    bool isFirst(int k) const { return nodes[static_cast<std::size_t>(k)].prev < 0; }
    char at(int k) const { return nodes[static_cast<std::size_t>(k)].c; }
    int match(int k) const { return nodes[static_cast<std::size_t>(k)].match; }
};

// "'%1' is not the decimal separator here: write decimals with '%2' ...".
std::string misplacedSeparatorText(const lang::Language& language, const NumberLocale& locale) {
    std::string message = language.text("MisplacedThousandsSeparator");
    for (std::size_t at = message.find('%'); at != std::string::npos && at + 1 < message.size();
         at = message.find('%', at + 1)) {
        if (message[at + 1] == '1')
            message.replace(at, 2, 1, locale.thousandsSeparator);
        else if (message[at + 1] == '2')
            message.replace(at, 2, 1, locale.decimalSeparator);
    }
    return message;
}

} // namespace

std::string insertImplicitMultiplications(const std::string& s, char decimalSeparator) {
    const int n = static_cast<int>(s.size());
    if (n < 2)
        return s;
    const auto at = [&s](int i) { return s[static_cast<std::size_t>(i)]; };

    std::vector<int> match(static_cast<std::size_t>(n), -1);
    {
        std::vector<int> open;
        for (int i = 0; i < n; ++i) {
            if (at(i) == '(') {
                open.push_back(i);
            } else if (at(i) == ')' && !open.empty()) {
                match[static_cast<std::size_t>(i)] = open.back();
                match[static_cast<std::size_t>(open.back())] = i;
                open.pop_back();
            }
        }
    }

    // end[j]: where the forward operand scan stops when it stands on character j. The
    // characters inserted by this step never change that: every ")" it inserts sits just
    // before a terminator or at the end, and the "(" and "*" it inserts lie behind the
    // walk. So the scan is computed once, from right to left.
    std::vector<int> end(static_cast<std::size_t>(n));
    for (int j = n - 1; j >= 0; --j) {
        int cur = j;
        int result = -1;
        if (at(cur) == '(' && match[static_cast<std::size_t>(cur)] > cur) {
            cur = match[static_cast<std::size_t>(cur)];
            if (cur + 1 < n && at(cur + 1) == '^') {
                // The exponent of a group: an optional sign and one more operand.
                int start = cur + 2;
                if (start < n && isSign(at(start)))
                    ++start;
                result = start >= n ? n - 1 : end[static_cast<std::size_t>(start)];
            }
        }
        if (result < 0) {
            if (cur == n - 1) {
                result = cur;
            } else {
                const char next = at(cur + 1);
                const bool stops = isTerminator(next) && !(isSign(next) && at(cur) == 'E');
                result = stops ? cur : end[static_cast<std::size_t>(cur + 1)];
            }
        }
        end[static_cast<std::size_t>(j)] = result;
    }

    std::vector<Node> nodes;
    nodes.reserve(static_cast<std::size_t>(n) * 2);
    for (int i = 0; i < n; ++i)
        nodes.push_back(
            Node{at(i), i - 1, i + 1 < n ? i + 1 : -1, match[static_cast<std::size_t>(i)]});
    int head = 0;
    const auto insertBefore = [&](int k, char c) {
        const int id = static_cast<int>(nodes.size());
        const int before = nodes[static_cast<std::size_t>(k)].prev;
        nodes.push_back(Node{c, before, k, -1});
        nodes[static_cast<std::size_t>(k)].prev = id;
        if (before >= 0)
            nodes[static_cast<std::size_t>(before)].next = id;
        else
            head = id;
        return id;
    };
    const auto insertAfter = [&](int k, char c) {
        const int id = static_cast<int>(nodes.size());
        const int after = nodes[static_cast<std::size_t>(k)].next;
        nodes.push_back(Node{c, k, after, -1});
        nodes[static_cast<std::size_t>(k)].next = id;
        if (after >= 0)
            nodes[static_cast<std::size_t>(after)].prev = id;
        return id;
    };

    for (int i = 1; i < n; ++i) {
        const char c = at(i);
        const char before = at(i - 1);
        if (!isOperandStart(c))
            continue;
        if (!(isDigit(before) || before == 'x' || before == 'e' || before == ')'))
            continue;
        const int star = insertBefore(i, '*');
        int start = backwardOperandStart(NodeView{nodes}, star, decimalSeparator);
        if (start < 0)
            start = star;
        const int open = insertBefore(start, '(');
        const int close = insertAfter(end[static_cast<std::size_t>(i)], ')');
        nodes[static_cast<std::size_t>(open)].match = close;
        nodes[static_cast<std::size_t>(close)].match = open;
    }

    std::string out;
    out.reserve(nodes.size());
    for (int k = head; k >= 0; k = nodes[static_cast<std::size_t>(k)].next)
        out.push_back(nodes[static_cast<std::size_t>(k)].c);
    return out;
}

TextPassResult runTextPass(const std::string& typed, const NumberLocale& locale,
                           const lang::Language& language) {
    TextPassResult result;

    // Letter case: "E" is the exponent letter of numbers, "e" the constant.
    std::string text = typed;
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z' && c != 'E')
            c = static_cast<char>(c - 'A' + 'a');
    }

    // A thousands separator only groups digits in threes: "3,5x" under a decimal point is
    // refused rather than read as 35x.
    if (misplacedThousandsSeparator(text, locale) != std::string::npos) {
        result.errorText = misplacedSeparatorText(language, locale);
        result.misplacedSeparator = true;
        return result;
    }

    if (!cutRange(text, locale, result)) {
        result.hasRange = false;
        result.errorText = language.text("IncorrectSpecificationOfRange");
        return result;
    }

    // The constants enter as numbers of 15 significant digits.
    text = replaceAll(text, "e", "(" + formatGeneral(std::exp(1.0L), 15, locale) + ")");
    text = replaceAll(
        text, "pi", "(" + formatGeneral(3.141592653589793238462643383279502884L, 15, locale) + ")");

    text = removeChar(text, ' ');
    text = removeChar(text, locale.thousandsSeparator);

    for (const NameCode& nc : kNames)
        text = replaceAll(text, nc.name, std::string(1, nc.code));

    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isAllowed(text[i], locale.decimalSeparator)) {
            result.errorText =
                language.text("IncorrectCharacter") + ": \"" + characterAt(text, i) + "\".";
            return result;
        }
    }

    std::size_t opening = 0;
    std::size_t closing = 0;
    for (char c : text) {
        if (c == '(')
            ++opening;
        else if (c == ')')
            ++closing;
    }
    if (closing > opening) {
        result.errorText = language.text("MoreRightParenthesesThanLeft");
        return result;
    }
    text.append(opening - closing, ')');

    result.normalised = insertImplicitMultiplications(text, locale.decimalSeparator);
    result.ok = true;
    return result;
}

} // namespace lindor::expr
