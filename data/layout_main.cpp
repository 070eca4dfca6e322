// Lays out the program directory beside the executable: based/ with the working
// tables (only where no based/ exists; a store is never overwritten) and saida/
// with the empty export templates.
//
//   meru_layout <program directory> <municipalities list>

#include "data/paradox/create_table.h"
#include "data/schema.h"
#include "data/working_store.h"
#include "data/engine_error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: meru_layout <program directory> <municipalities list>\n");
        return 2;
    }
    const QDir program(QString::fromLocal8Bit(argv[1]));
    const QString municipios = QString::fromLocal8Bit(argv[2]);
    try {
        const QString based = program.filePath(QStringLiteral("based"));
        if (QFileInfo::exists(based)) {
            std::printf("based/ exists: left as it is\n");
        } else {
            meru::createWorkingStore(based, municipios);
            std::printf("based/ laid out\n");
        }
        const QString saida = program.filePath(QStringLiteral("saida"));
        QDir().mkpath(saida);
        for (const auto* def : {&meru::schema::cadastroExport(), &meru::schema::movimentoExport()})
            meru::paradox::createTable(*def, QDir(saida).filePath(def->fileName));
        std::printf("saida/ templates written\n");
    } catch (const meru::EngineError& e) {
        std::fprintf(stderr, "meru_layout: %s\n", e.what());
        return 1;
    }
    return 0;
}
