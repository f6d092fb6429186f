#pragma once
// The length limit of the fields whose text becomes a key label or a macro name:
// 255 UTF-16 units. Typed or pasted text that does not fit is cut where it ends,
// never between the two halves of a surrogate pair (a character beyond U+FFFF), so
// no half of a character is ever stored.

class QLineEdit;

namespace pad {

void LimitToLabelLength(QLineEdit& field);

} // namespace pad
