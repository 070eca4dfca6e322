// MERU: the managing unit's invoices, from the confirmation of the unit to the
// diskette for the finance authority.

#include "app/startup.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    meru::prepareApplication(app);
    if (const int failed = meru::startApplication()) return failed;
    const int code = app.exec();
    meru::finishApplication();
    return code;
}
