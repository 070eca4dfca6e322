#pragma once
// The state-registration check: one check digit, modulo 11 over thirteen weighted
// positions, against the fourteenth.
#include <QString>

namespace meru {

// True when the registration passes. A text shorter than 14 characters gets eight
// zeros in front once, whatever its length; only the first 14 characters of the
// result take part. Never raises: a short text, a character that is not a digit
// 0 to 9 in those positions, or a wrong check digit all give false.
bool valida_inscricao(const QString& text) noexcept;

}  // namespace meru
