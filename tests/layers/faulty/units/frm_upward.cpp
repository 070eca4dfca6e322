// A window that reaches the main window past the shell.
#include "app/frm_menu.h"
#include "shell/main_window.h"
