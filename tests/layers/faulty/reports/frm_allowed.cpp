// The list opens the correction window: allowed.
#include "invoices/frm_notas_edicao.h"
#include "controls/db_grid.h"
