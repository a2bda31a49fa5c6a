#include "TextMix.h"

namespace lindor::monkey {

namespace {

const char* const kFunctions[] = {
    "x",
    "x^2",
    "x^2-2",
    "1/x",
    "tan x",
    "sqrt(-x)",
    "ln x",
    "log x",
    "x^x",
    "sin(1/x)",
    "int x",
    "random",
    "random*x",
    "d/dx x^3",
    "d/dx d/dx sin x",
    "e^x",
    "10^x",
    "abs x",
    "cbrt x",
    "arcsin x",
    "arccos(x/2)",
    "arctan x",
    "1E300*x",
    "x^1E10",
    "0^0",
    "0/0",
    "(-8)^(1/3)",
    "x^(1/3)",
    "(-x)^0.5",
    "sin x/x",
    "1/(x-1)",
    "tan(x)^2",
    "2x+1",
    "-x",
    "--x",
    "x*-1",
    "pi",
    "e",
    "pi*x",
    "sqrt(x^2-1)",
    "ln(ln(x))",
    "1/sin x",
    "x;0;1",
    "1,000x",
    "3,5x",
    "2.5.5",
    "pi/0",
    "x^-1",
    "(x)",
    "((x))",
    "sin",
    "sin()",
    "x+",
    "x^",
    "(x",
    "x)",
    "*x",
    "x//2",
    "2^2^2^2^2",
    "10^400",
    "1E4000",
    "-1E4000",
    "1E-4000",
    "x^99999",
    "int(1/x)",
    "abs(sin x)/x",
    "sqrt sqrt sqrt x",
    "x mod 2",
    "X",
    "SIN X",
    "y",
    "f(x)",
    "x=2",
    "1e5x",
    "0.5x",
    ".5x",
    "5.x",
    "1 2",
    "x x",
    "x(x)",
    "2(x+1)",
};

const char* const kNumbers[] = {
    "0",
    "-0",
    "1",
    "-1",
    "10",
    "-10",
    "0.5",
    "1E5",
    "-2.5E-3",
    "1E308",
    "1E-308",
    "1E4000",
    "-1E4000",
    "1E-4000",
    "1E-320",
    "4.9E-324",
    "1.7976931348623157E308",
    "pi",
    "-pi",
    "pi/2",
    "2pi",
    "sqrt 2",
    "1/3",
    "e",
    "ln 0",
    "1/0",
    "0/0",
    "sqrt(-1)",
    "random",
    "x",
    "sin 30",
    "10^400",
    "",
    " ",
    "abc",
    "1,5",
    "1.5",
    "1,000",
    "1 000",
    "--1",
    "1e",
    "E5",
    "nan",
    "inf",
    "-inf",
    "\xe2\x88\x9e",
    "1;2",
    "(1",
    "9999999999999999999",
    "0.0000000000000000001",
    "1E15",
    "1E16",
    "-1E-15",
    "123456789012345678901234567890",
};

const char* const kOperators[] = {"+", "-", "*", "/", "^", "", " "};
const char* const kCalls[] = {"sin", "cos",  "tan",  "arcsin", "arccos", "arctan", "ln",
                              "log", "sqrt", "cbrt", "abs",    "int",    "d/dx",   "-"};
const char* const kGarbage[] = {"(", ")", ";", ",", ".", "^", "*", "/",  "+",  "-", "x",
                                "E", "e", " ", "0", "9", "#", "$", "\\", "\"", "'", "=",
                                "[", "]", "{", "}", "!", "?", "%", "&",  "|",  "~", "`"};

} // namespace

QString TextMix::plainNumber(Rng& rng) const {
    QString text;
    switch (rng.below(4)) {
    case 0:
        text = QString::number(rng.between(-1000, 1000));
        break;
    case 1:
        text = QString::number(rng.between(-99, 99)) + QLatin1Char('.') +
               QString::number(rng.between(0, 999));
        break;
    case 2:
        text = QString::number(rng.between(1, 9)) + QLatin1Char('E') +
               QString::number(rng.between(-330, 330));
        break;
    default:
        text = QString::number(rng.between(1, 20));
        break;
    }
    // Usually in the user's format, sometimes in the other one.
    if (rng.chance(0.8))
        text.replace(QLatin1Char('.'), m_decimal);
    return text;
}

QString TextMix::expression(Rng& rng, int depth) const {
    if (depth <= 0 || rng.chance(0.3)) {
        switch (rng.below(5)) {
        case 0:
        case 1:
            return QStringLiteral("x");
        case 2:
            return plainNumber(rng);
        case 3:
            return rng.chance(0.5) ? QStringLiteral("pi") : QStringLiteral("e");
        default:
            return QStringLiteral("random");
        }
    }
    switch (rng.below(4)) {
    case 0:
        return expression(rng, depth - 1) + QLatin1String(rng.pick(kOperators)) +
               expression(rng, depth - 1);
    case 1:
        return QLatin1String(rng.pick(kCalls)) + QLatin1Char(' ') + expression(rng, depth - 1);
    case 2:
        return QLatin1String(rng.pick(kCalls)) + QLatin1Char('(') + expression(rng, depth - 1) +
               QLatin1Char(')');
    default:
        return QLatin1Char('(') + expression(rng, depth - 1) + QLatin1Char(')');
    }
}

QString TextMix::mutated(Rng& rng, QString text) const {
    const int changes = rng.between(1, 4);
    for (int i = 0; i < changes; ++i) {
        const int at = rng.below(static_cast<int>(text.size()) + 1);
        switch (rng.below(3)) {
        case 0:
            text.insert(at, QLatin1String(rng.pick(kGarbage)));
            break;
        case 1:
            if (!text.isEmpty())
                text.remove(std::min(at, static_cast<int>(text.size()) - 1), 1);
            break;
        default:
            if (at < text.size())
                text[at] = QLatin1String(rng.pick(kGarbage))[0];
            break;
        }
    }
    return text;
}

QString TextMix::longText(Rng& rng) const {
    const int n = rng.between(500, 4000);
    switch (rng.below(6)) {
    case 0:
        return QStringLiteral("x+").repeated(n) + QLatin1Char('x');
    case 1:
        return QString(n, QLatin1Char('(')) + QLatin1Char('x') + QString(n, QLatin1Char(')'));
    case 2:
        return QStringLiteral("sin ").repeated(n / 2) + QLatin1Char('x');
    case 3:
        return QString(n, QLatin1Char('9'));
    case 4:
        return QString(n, QLatin1Char('-')) + QLatin1Char('x');
    default:
        return QStringLiteral("d/dx ").repeated(rng.between(5, 60)) + QStringLiteral("x^2");
    }
}

QString TextMix::oddCharacters(Rng& rng) const {
    static const char16_t* const odd[] = {
        u"x\u0001",      u"\t",         u"x\u00b2", u"\u221ax",    u"\u00e4",   u"\U0001F600",
        u"\u00a0x",      u"x\u200b",    u"\u007f",  u"x\n2",       u"x\u0002y", u"\u00bd",
        u"\u03c0",       u"x\u2212 1",  u"\uFF58",  u"\u0660",     u"\xd800",   u"\u202ex",
        u"\u00e9\u0301", u"sin\u00a0x", u"\r",      u"\u001b[31m", u"x\u2028",  u"\ufffd",
    };
    QString text = QString::fromUtf16(rng.pick(odd));
    if (rng.chance(0.05))
        text = QChar(0) + text; // a NUL, which no literal above can hold
    if (rng.chance(0.5))
        text = expression(rng, 2) + text + expression(rng, 1);
    return text;
}

QString TextMix::function(Rng& rng) const {
    switch (rng.weighted({30, 15, 15, 15, 5, 5, 6, 4, 5})) {
    case 0:
        return expression(rng, rng.between(1, 5));
    case 1:
        return QString::fromLatin1(rng.pick(kFunctions));
    case 2:
        return integral(rng);
    case 3:
        return mutated(rng, expression(rng, rng.between(1, 4)));
    case 4:
        return longText(rng);
    case 5:
        return rng.chance(0.5) ? QString() : QString(rng.between(1, 5), QLatin1Char(' '));
    case 6:
        return oddCharacters(rng);
    case 7:
        return number(rng) + QStringLiteral("*x");
    default: {
        QString junk;
        for (int i = rng.between(1, 40); i > 0; --i)
            junk += QChar(rng.between(0x21, 0x7e));
        return junk;
    }
    }
}

QString TextMix::integral(Rng& rng) const {
    const QString f = rng.chance(0.7) ? expression(rng, rng.between(1, 3))
                                      : QString::fromLatin1(rng.pick(kFunctions));
    const QString a = rng.chance(0.6) ? plainNumber(rng) : number(rng);
    const QString b = rng.chance(0.6) ? plainNumber(rng) : number(rng);
    switch (rng.below(8)) {
    case 0:
        return f + QLatin1Char(';') + a;
    case 1:
        return f + QStringLiteral(";;") + b;
    case 2:
        return QLatin1Char(';') + a + QLatin1Char(';') + b;
    case 3:
        return f + QLatin1Char(';') + a + QLatin1Char(';') + b + QLatin1Char(';') + a;
    case 4:
        return f + QLatin1Char(';') + a + QLatin1Char(';') + a;
    default:
        return f + QLatin1Char(';') + a + QLatin1Char(';') + b;
    }
}

QString TextMix::number(Rng& rng) const {
    switch (rng.weighted({40, 45, 5, 10})) {
    case 0:
        return plainNumber(rng);
    case 1: {
        QString text = QString::fromUtf8(rng.pick(kNumbers));
        if (rng.chance(0.7))
            text.replace(QLatin1Char('.'), m_decimal);
        return text;
    }
    case 2:
        return QString(rng.between(20, 3000), QLatin1Char('9'));
    default:
        return oddCharacters(rng);
    }
}

QString TextMix::any(Rng& rng) const {
    switch (rng.below(3)) {
    case 0:
        return function(rng);
    case 1:
        return integral(rng);
    default:
        return number(rng);
    }
}

QString TextMix::shortText(Rng& rng) const {
    return rng.chance(0.5) ? expression(rng, 2) : plainNumber(rng);
}

} // namespace lindor::monkey
