// Entry reaching the list: against the one allowed direction.
#include "reports/frm_sele_notas.h"
