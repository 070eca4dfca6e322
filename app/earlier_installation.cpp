#include "app/earlier_installation.h"

#include "data/earlier_installation.h"
#include "data/engine_error.h"
#include "platform/engine_config.h"
#include "platform/message_service.h"

#include <QDir>
#include <QLocale>

namespace meru {

namespace {

QString rows(int n) {
    return QStringLiteral("%1 %2").arg(QLocale().toString(n), n == 1 ? QStringLiteral("registro") : QStringLiteral("registros"));
}

QString summary(const Takeover& t) {
    QString text;
    if (t.outcome == Takeover::Outcome::Finished) {
        text = QStringLiteral("A tomada dos dados da instalação anterior, interrompida na última abertura do MERU, "
                              "foi concluída.");
    } else {
        text = QStringLiteral("O MERU tomou os dados da instalação anterior:");
        for (const TakenTable& table : t.tables) {
            text += QStringLiteral("\n    %1: %2").arg(table.name, rows(table.rows));
            if (table.name.compare(QStringLiteral("MUNICIPIOS"), Qt::CaseInsensitive) == 0)
                text += QStringLiteral(" lidos, %1 com código que faltava na lista do MERU (acrescentados)")
                            .arg(QLocale().toString(t.municipalitiesAdded));
        }
    }
    if (!t.keptIn.isEmpty())
        text += QStringLiteral("\n\nOs arquivos Paradox da instalação anterior foram guardados, sem nenhuma mudança, em:\n%1")
                    .arg(QDir::toNativeSeparators(t.keptIn));
    return text;
}

}  // namespace

bool takeOverEarlierInstallationAtStart() {
    const QString based = platform::EngineConfig::instance().aliasPath(QStringLiteral("MERUDBPX"));
    if (based.isEmpty()) return true;  // the data module reports a missing alias
    try {
        const Takeover t = takeOverEarlierInstallation(based, QStringLiteral(":/municipios.tsv"));
        if (t.outcome != Takeover::Outcome::Nothing) platform::messages().inform(summary(t));
        return true;
    } catch (const EngineError& e) {
        platform::messages().error(e.message());
        return false;
    } catch (const std::exception& e) {
        platform::messages().error(QString::fromUtf8(e.what()));
        return false;
    }
}

}  // namespace meru
