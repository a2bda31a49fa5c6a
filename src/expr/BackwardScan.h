// The backward operand scan: from an operator, finds where the operand to its left
// starts. Shared by the implicit multiplication of the text pass and by the compiler,
// which walk different text representations; `View` gives the walk:
//   int prev(int k), int next(int k)   neighbours (prev of the first item is never asked)
//   bool isFirst(int k)                k is the first item of the text being scanned
//   char at(int k)                     the character (kTokenChar for a register token)
//   int match(int k)                   the "(" matching the ")" at k, or -1
#pragma once

#include "expr/CharClasses.h"

namespace lindor::expr {

// Returns the first item of the operand left of the operator at `p`, or -1 when there is
// none (the operator is the first item). A ")" without a match counts as a whole operand;
// a character that no rule covers ends the operand after it.
template <class View> int backwardOperandStart(const View& view, int p, char decimalSeparator) {
    if (view.isFirst(p))
        return -1;
    int k = view.prev(p);
    for (;;) {
        bool found = false;
        const char c = view.at(k);
        if (c == ')') {
            const int m = view.match(k);
            if (m >= 0)
                k = m;
            found = true;
        } else if (c == 'x' || c == kTokenChar) {
            found = true;
        } else if (isSignedNumberChar(c, decimalSeparator)) {
            if (view.isFirst(k))
                break;
            // Back over the number; a sign is taken where the character before it is "E".
            for (;;) {
                if (view.isFirst(k))
                    break;
                const int before = view.prev(k);
                if (isNumberChar(view.at(before), decimalSeparator)) {
                    k = before;
                    continue;
                }
                if (!view.isFirst(before) && view.at(view.prev(before)) == 'E') {
                    k = before;
                    continue;
                }
                break;
            }
            found = true;
        } else {
            if (view.isFirst(k))
                break;
            const int after = view.next(k);
            return after == p ? -1 : after;
        }
        // A power's base is part of the operand: step over the "^" and go on.
        if (found && !view.isFirst(k) && view.at(view.prev(k)) == '^') {
            const int caret = view.prev(k);
            if (view.isFirst(caret)) {
                k = caret;
                break;
            }
            k = view.prev(caret);
            if (view.isFirst(k))
                break;
            continue;
        }
        break;
    }
    return k;
}

} // namespace lindor::expr
