#pragma once
// The start of the application, from its title to the maximized main window.

#include "app/timings.h"

class QApplication;

namespace meru {

// Title, locale of dates and currency, Portuguese button texts, message boxes.
void prepareApplication(QApplication& app);
// Creates the main window (whose creation rebuilds the tables, pauses and shows
// the splash), then the data module, then shows the main window maximized.
// Returns 0, or 1 when the data module could not be created: its message has
// been shown and no main window remains.
int startApplication(const Timings& timings = {});
// Frees every window and the data module.
void finishApplication();

}  // namespace meru
