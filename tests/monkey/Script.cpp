#include "Script.h"

#include <QRegularExpression>

namespace lindor::monkey {

namespace {

bool isBare(const QString& text) {
    if (text.isEmpty())
        return false;
    for (QChar c : text)
        if (c.unicode() <= 0x20 || c.unicode() >= 0x7f || c == QLatin1Char('"') ||
            c == QLatin1Char('\\'))
            return false;
    return true;
}

// The characters written as a backslash and a letter.
struct Escape {
    char16_t character;
    char16_t letter;
};
constexpr Escape kEscapes[] = {{'\n', 'n'}, {'\r', 'r'}, {'\t', 't'}, {'"', '"'}, {'\\', '\\'}};

const Escape* escapeOfLetter(char16_t letter) {
    for (const Escape& e : kEscapes)
        if (e.letter == letter)
            return &e;
    return nullptr;
}

const Escape* escapeOfCharacter(char16_t character) {
    for (const Escape& e : kEscapes)
        if (e.character == character)
            return &e;
    return nullptr;
}

QString hex(uint value, int digits) {
    return QString::number(value, 16).rightJustified(digits, QLatin1Char('0'));
}

// Reads a quoted text at `i` (on its opening quote); moves `i` past the closing one.
std::optional<QString> unquote(const QString& text, int& i) {
    QString out;
    ++i;
    while (i < text.size()) {
        const QChar c = text[i++];
        if (c == QLatin1Char('"'))
            return out;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (i >= text.size())
            return std::nullopt;
        const QChar e = text[i++];
        if (const Escape* known = escapeOfLetter(e.unicode())) {
            out += QChar(known->character);
            continue;
        }
        switch (e.unicode()) {
        case 'x': {
            bool ok = false;
            const uint value = text.mid(i, 2).toUInt(&ok, 16);
            if (!ok || i + 2 > text.size())
                return std::nullopt;
            out += QChar(value);
            i += 2;
            break;
        }
        case 'u': {
            const int close = text.indexOf(QLatin1Char('}'), i);
            if (close < 0 || text[i] != QLatin1Char('{'))
                return std::nullopt;
            bool ok = false;
            const uint code = text.mid(i + 1, close - i - 1).toUInt(&ok, 16);
            if (!ok || code > 0x10ffff)
                return std::nullopt;
            if (QChar::requiresSurrogates(code)) {
                out += QChar(QChar::highSurrogate(code));
                out += QChar(QChar::lowSurrogate(code));
            } else {
                out += QChar(static_cast<char16_t>(code));
            }
            i = close + 1;
            break;
        }
        default:
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace

QString quote(const QString& text) {
    QString out = QStringLiteral("\"");
    for (int i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (const Escape* known = escapeOfCharacter(c)) {
            out += QLatin1Char('\\') + QChar(known->letter);
            continue;
        }
        if (c < 0x20 || c == 0x7f) {
            out += QStringLiteral("\\x") + hex(c, 2);
        } else if (c < 0x80) {
            out += QChar(c);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            out += QStringLiteral("\\u{") +
                   hex(QChar::surrogateToUcs4(c, text[i + 1].unicode()), 4) + QLatin1Char('}');
            ++i;
        } else {
            out += QStringLiteral("\\u{") + hex(c, 4) + QLatin1Char('}');
        }
    }
    return out + QLatin1Char('"');
}

QString Line::at(int i) const {
    return i >= 0 && i < size() ? m_words[static_cast<std::size_t>(i)].text : QString();
}

int Line::numberAt(int i, int fallback) const {
    bool ok = false;
    const int value = at(i).toInt(&ok);
    return ok ? value : fallback;
}

QString Line::format() const {
    QStringList words;
    for (const Word& w : m_words)
        words << (w.quoted || !isBare(w.text) ? quote(w.text) : w.text);
    return words.join(QLatin1Char(' '));
}

std::optional<Line> Line::parse(const QString& text, QString* error) {
    Line line;
    int i = 0;
    while (i < text.size()) {
        if (text[i].isSpace()) {
            ++i;
            continue;
        }
        if (text[i] == QLatin1Char('"')) {
            std::optional<QString> t = unquote(text, i);
            if (!t) {
                if (error)
                    *error = QStringLiteral("a quoted text is not closed or has a bad escape");
                return std::nullopt;
            }
            line.text(*t);
            continue;
        }
        const int start = i;
        while (i < text.size() && !text[i].isSpace())
            ++i;
        line.word(text.mid(start, i - start));
    }
    return line;
}

QString formatStep(int number, const Step& step) {
    QString out = QString::number(number).rightJustified(5) + QLatin1Char(' ') +
                  step.action.format() + QLatin1Char('\n');
    for (const Line& a : step.answers)
        out += QStringLiteral("      > ") + a.format() + QLatin1Char('\n');
    for (const QString& c : step.comments)
        out += QStringLiteral("      # ") + c + QLatin1Char('\n');
    return out;
}

QString Script::format(int upTo) const {
    QString out = QStringLiteral("seed: %1\n").arg(seed);
    out += QStringLiteral("format: ") + quote(decimalSeparator) + QLatin1Char(' ') +
           quote(thousandsSeparator) + QLatin1Char('\n');
    const int count =
        upTo < 0 ? static_cast<int>(steps.size()) : std::min(upTo, static_cast<int>(steps.size()));
    for (int i = 0; i < count; ++i)
        out += formatStep(i + 1, steps[static_cast<std::size_t>(i)]);
    return out;
}

std::optional<Script> Script::parse(const QString& text, QString* error) {
    Script script;
    static const QRegularExpression numbered(QStringLiteral("^\\s*\\d+ (.*)$"));
    int lineNumber = 0;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        ++lineNumber;
        const QString line = raw.trimmed();
        const auto fail = [&](const QString& why) {
            if (error)
                *error = QStringLiteral("line %1: %2").arg(lineNumber).arg(why);
            return std::nullopt;
        };
        if (line.startsWith(QLatin1String("seed:"))) {
            script.seed = line.mid(5).trimmed().toULongLong();
        } else if (line.startsWith(QLatin1String("format:"))) {
            const std::optional<Line> f = Line::parse(line.mid(7));
            if (!f || f->size() != 2 || f->at(0).size() != 1 || f->at(1).size() != 1)
                return fail(QStringLiteral("the number format is not two quoted characters"));
            script.decimalSeparator = f->at(0)[0];
            script.thousandsSeparator = f->at(1)[0];
        } else if (line.startsWith(QLatin1Char('>'))) {
            if (script.steps.empty())
                return fail(QStringLiteral("an answer before the first action"));
            QString why;
            std::optional<Line> answer = Line::parse(line.mid(1), &why);
            if (!answer || answer->empty())
                return fail(why.isEmpty() ? QStringLiteral("an empty answer") : why);
            script.steps.back().answers.push_back(*answer);
        } else if (const QRegularExpressionMatch m = numbered.match(line); m.hasMatch()) {
            QString why;
            std::optional<Line> action = Line::parse(m.captured(1), &why);
            if (!action || action->empty())
                return fail(why.isEmpty() ? QStringLiteral("an empty action") : why);
            script.steps.push_back(Step{*action, {}, {}});
        }
    }
    return script;
}

} // namespace lindor::monkey
