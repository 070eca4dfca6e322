#include "app/store_recovery.h"

#include "data/database.h"
#include "data/store_restore.h"
#include "platform/engine_config.h"
#include "platform/message_service.h"

#include <QDir>
#include <QFileInfo>

namespace meru {

namespace {

// True when the store's directory is there but some table cannot be opened.
bool tablesUnavailable(const QString& storeDir) {
    if (storeDir.isEmpty() || !QFileInfo(storeDir).isDir()) return false;
    try {
        Database probe;
        probe.open();
        return !probe.unavailableTables().isEmpty();
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace

StoreRecovery offerNewestStoreCopy(const QString& failure) {
    const QString storeDir = platform::EngineConfig::instance().aliasPath(QStringLiteral("MERUDBPX"));
    if (!tablesUnavailable(storeDir)) return StoreRecovery::NotOffered;
    const QString copy = newestStoreCopy(storeDir);
    if (copy.isEmpty()) return StoreRecovery::NotOffered;

    const QString when = storeCopyTime(copy).toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    const QString question =
        failure +
        QStringLiteral("\n\nHá uma cópia dos dados feita em %1, guardada em %2.\n"
                       "Deseja repor essa cópia? Os arquivos atuais serão guardados à parte, e o que foi "
                       "digitado depois da cópia terá de ser digitado de novo.")
            .arg(when, QDir::toNativeSeparators(copy));
    if (platform::messages().warnYesNo(question) != platform::Answer::Yes) return StoreRecovery::Declined;
    try {
        const QString aside = restoreStoreCopy(copy, storeDir);
        platform::messages().inform(QStringLiteral("A cópia dos dados de %1 foi reposta.\nOs arquivos anteriores foram guardados em %2.")
                                        .arg(when, QDir::toNativeSeparators(aside)));
        return StoreRecovery::Restored;
    } catch (const std::exception& e) {
        platform::messages().error(QString::fromUtf8(e.what()));
        return StoreRecovery::Failed;
    }
}

}  // namespace meru
