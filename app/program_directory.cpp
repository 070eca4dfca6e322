#include "app/program_directory.h"

#include "data/schema.h"
#include "data/store_backup.h"
#include "data/store_lock.h"
#include "platform/engine_config.h"
#include "platform/message_service.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace meru {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(QDir::cleanPath(path)); }

}  // namespace

QStringList unwritableProgramPlaces(const QString& storeDir) {
    QStringList refused;
    const QDir store(storeDir);
    for (const schema::TableDef* def : schema::workingTables())
        for (const char* companion : {"-wal", "-shm", "-journal"}) {
            const QString file = store.filePath(def->fileName + QLatin1String(companion));
            if (QFileInfo::exists(file) && !writableByThisUser(file)) refused << shown(file);
        }
    const QString lock = store.filePath(StoreLock::lockFileName());
    if (QFileInfo::exists(lock) && !writableByThisUser(lock)) refused << shown(lock);

    const QFileInfo copies(copiesDirectory(storeDir));
    if (!copies.exists()) {
        if (!writableByThisUser(copies.absolutePath())) refused << shown(copies.absolutePath());
    } else if (!copies.isDir() || !writableByThisUser(copies.filePath())) {
        refused << shown(copies.filePath());
    } else {
        const QDir kept(copies.filePath());
        for (const QString& name : kept.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            if (!writableByThisUser(kept.filePath(name))) refused << shown(kept.filePath(name));
    }
    return refused;
}

QString programDirectoryRefusal(const QString& storeDir) {
    const QStringList refused = unwritableProgramPlaces(storeDir);
    if (refused.isEmpty()) return {};
    return QStringLiteral("Este usuário não pode gravar na pasta do MERU:\n%1\n"
                          "O MERU guarda ali uma cópia dos dados antes de cada fechamento do mês "
                          "e grava, ao lado das tabelas, o registro das suas alterações; "
                          "sem isso ele não será aberto. Peça ao administrador permissão de gravação "
                          "para a pasta %2 e tudo o que ela contém, ou instale o MERU numa pasta deste usuário.")
        .arg(refused.join(QLatin1Char('\n')), shown(QFileInfo(QDir::cleanPath(storeDir)).absolutePath()));
}

bool checkProgramDirectory() {
    const QString store = platform::EngineConfig::instance().aliasPath(QStringLiteral("MERUDBPX"));
    // A missing store is the data module's failure to report.
    if (store.isEmpty() || !QFileInfo(store).isDir()) return true;
    // A store this user cannot write at all is the store claim's to refuse, in its own words.
    if (!writableByThisUser(store)) return true;
    const QString refusal = programDirectoryRefusal(store);
    if (refusal.isEmpty()) return true;
    std::fprintf(stderr, "%s\n", refusal.toLocal8Bit().constData());
    std::fflush(stderr);
    platform::messages().error(refusal);
    return false;
}

}  // namespace meru
