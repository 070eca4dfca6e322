#pragma once
// The CNPJ check: do the last two characters of a CNPJ text match the two check digits
// computed from the characters before them?
#include <QString>

namespace meru {

// Accepts the bare digits and the punctuated form: '/', '-' and '.' in front of the
// last two characters are skipped. Texts of any length are checked; a text shorter
// than two characters is never valid.
// Throws ConvertError when a character in front of the last two is neither an ASCII
// digit nor one of those separators (a blank of an unfilled mask position, a letter,
// a sign); the last two characters are only compared, never converted.
bool valida_cnpj(const QString& text);

}  // namespace meru
