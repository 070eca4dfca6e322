#pragma once
// The start of the application, from its title to the maximized main window.

#include "app/timings.h"

class QApplication;

namespace meru {

// Title, locale of dates and currency, Portuguese button texts, message boxes.
void prepareApplication(QApplication& app);
// Checks that the program directory can be written, claims the store, takes
// over an earlier installation's tables when based/ holds them, creates the main
// window (whose creation rebuilds the tables, pauses and shows the splash), then
// the data module (offering the newest kept copy of the store when its tables
// cannot be opened), then shows the main window maximized. Returns 0, or 1 when
// the program directory or the store cannot be written, claimed, taken over or
// opened: its message has been shown and no main window remains.
int startApplication(const Timings& timings = {});
// Frees every window and the data module.
void finishApplication();

}  // namespace meru
