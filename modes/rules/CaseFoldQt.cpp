#include "modes/rules/CaseFold.h"

#include <QChar>

namespace pad {

char32_t FoldCase(char32_t c) {
    return QChar::toCaseFolded(c);
}

bool IsLetterOrNumber(char32_t c) {
    return QChar::isLetterOrNumber(c);
}

} // namespace pad
