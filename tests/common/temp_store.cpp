#include "temp_store.h"

#include "data/paradox/create_table.h"
#include "data/schema.h"
#include "data/working_store.h"
#include "platform/engine_config.h"

#include <QDir>

namespace meru::test {

TempStore::TempStore(bool withMunicipalities, bool withTemplates) {
    createWorkingStore(basedDir(), withMunicipalities ? QStringLiteral(MERU_SOURCE_DIR "/resources/municipios.tsv")
                                                      : QString());
    QDir().mkpath(driveA());
    if (withTemplates) {
        QDir().mkpath(saidaDir());
        for (const auto* def : {&schema::cadastroExport(), &schema::movimentoExport()})
            paradox::createTable(*def, QDir(saidaDir()).filePath(def->fileName));
    }
    auto& config = platform::EngineConfig::instance();
    config.setAliasPath(QStringLiteral("MERUDBPX"), basedDir());
    config.setDriveRoot(driveA());
}

QString TempStore::programDir() const { return dir_.path() + QLatin1Char('/'); }
QString TempStore::basedDir() const { return programDir() + QStringLiteral("based"); }
QString TempStore::saidaDir() const { return programDir() + QStringLiteral("saida"); }
QString TempStore::driveA() const { return programDir() + QStringLiteral("drive_a"); }

}  // namespace meru::test
