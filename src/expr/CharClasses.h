// The character classes of the function language, shared by the text pass and the
// compiler. The locale's decimal separator belongs to both number classes.
#pragma once

namespace lindor::expr {

// Stands for a register token in the compiler's working text. It is a control character,
// which the text pass never lets through, so a token can never be read as anything else.
constexpr char kTokenChar = '\x01';

inline bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The one-letter codes of the functions, and "e".
inline bool isCodeLetter(char c) {
    switch (c) {
    case 'a':
    case 'b':
    case 'c':
    case 'd':
    case 'e':
    case 'g':
    case 'i':
    case 'l':
    case 'm':
    case 'n':
    case 'o':
    case 'q':
    case 'r':
    case 's':
    case 't':
        return true;
    default:
        return false;
    }
}

inline bool isOperatorOrCode(char c) {
    return c == '*' || c == '+' || c == '-' || c == '/' || c == '^' || isCodeLetter(c);
}

inline bool isTerminator(char c) {
    return c == ')' || c == '*' || c == '+' || c == '-' || c == '/';
}

inline bool isOperandStart(char c) {
    return c == '(' || c == 'x' || isCodeLetter(c);
}

inline bool isNumberChar(char c, char decimalSeparator) {
    return isDigit(c) || c == 'E' || c == decimalSeparator;
}

inline bool isSignedNumberChar(char c, char decimalSeparator) {
    return c == '+' || c == '-' || isNumberChar(c, decimalSeparator);
}

inline bool isSign(char c) {
    return c == '+' || c == '-';
}

} // namespace lindor::expr
