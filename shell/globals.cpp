#include "globals.h"

#include "main_window.h"

namespace meru {

QString cnpj_unidade;
QString nome_unidade;
QString mes_referencia;

MainWindow* frm_menu = nullptr;

}  // namespace meru
