#pragma once
// The three text values that carry the confirmed unit and the open month between
// windows. All start empty.

#include <QString>

namespace meru {

extern QString cnpj_unidade;   // the confirmed unit's CNPJ, or "NOVA" while one is registered
extern QString nome_unidade;   // the confirmed unit's name
extern QString mes_referencia; // the open reference month, MMYYYY

}  // namespace meru
