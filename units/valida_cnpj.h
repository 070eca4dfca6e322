#pragma once
// The CNPJ check: do the last two characters of a CNPJ text match the two check digits
// computed from the characters before them?
#include <QString>

namespace meru {

// Accepts the bare digits and the punctuated form: '/', '-' and '.' in front of the
// last two characters are skipped. Texts of any length are checked; a text shorter
// than two characters is never valid.
// The characters in front of the last two may be upper-case letters A to Z, worth
// their code minus 48 (A is 17), as in the alphanumeric CNPJs issued since July 2026;
// an all-digit text gives the same result as ever.
// Throws ConvertError when a character in front of the last two is neither an ASCII
// digit, an upper-case letter A to Z nor one of those separators (a blank of an
// unfilled mask position, a lower-case letter, a sign); the last two characters are
// only compared, never converted.
bool valida_cnpj(const QString& text);

}  // namespace meru
