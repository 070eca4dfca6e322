#include "transmission/gera_disquete.h"

#include "data/batch_move.h"
#include "data/database.h"
#include "data/dm_dados.h"
#include "data/export_table.h"
#include "data/query.h"
#include "data/sql_statement.h"
#include "data/store_backup.h"
#include "data/table.h"
#include "platform/engine_config.h"
#include "platform/file_copy.h"
#include "platform/format_dialog.h"
#include "platform/message_service.h"
#include "shell/globals.h"
#include "transmission/export_check.h"

#include <QCoreApplication>

namespace meru {

namespace {

std::function<void(const char*)>& stepObserver() {
    static std::function<void(const char*)> observer;
    return observer;
}

void stepStarts(const char* step) {
    if (stepObserver()) stepObserver()(step);
}

bool allDigits(const QString& text) {
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    return true;
}

// The filter compares unquoted digits as text; a CNPJ with letters is quoted,
// which selects the same row.
QString unitFilterValue(const QString& cnpj) {
    if (!cnpj.isEmpty() && allDigits(cnpj)) return cnpj;
    QString quoted = cnpj;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

DisketteGeneration::DisketteGeneration(QWidget* owner) : owner_(owner) {}

void DisketteGeneration::setStepObserver(std::function<void(const char*)> observer) {
    stepObserver() = std::move(observer);
}

void DisketteGeneration::btb_fechamesClick() {
    if (platform::messages().confirmYesNo(QStringLiteral("Deseja Continuar com o processo de fechamento de mês?")) !=
        platform::Answer::Yes)
        return;
    if (platform::messages().confirmOkCancel(QStringLiteral("Insira um disco formatado no drive A: e presione OK\r\r"
                                                            "Todos os arquivos do disquete serão apagados")) !=
        platform::Answer::Ok)
        return;
    gera_disquete(QStringLiteral("NULL"), 0);
}

void DisketteGeneration::selectRows(const QString& referencia) {
    Table* invoices = dm_dados->tab_movimento_nao_env;
    Table* units = dm_dados->tab_cadastros_nao_env;
    invoices->setFilter(regenerating_ ? QStringLiteral("mov_dt_referencia = ") + referencia
                                      : QStringLiteral("mov_tp_gerado = 'N'"));
    invoices->refresh();
    units->setFilter(regenerating_ ? QStringLiteral("cad_cd_cnpj = ") + unitFilterValue(cnpj_)
                                   : QStringLiteral("cad_status <> 'C'"));
    units->refresh();
}

void DisketteGeneration::gera_disquete(const QString& referencia, unsigned char regera) {
    regenerating_ = regera == 1;
    referencia_ = referencia;
    cnpj_ = cnpj_unidade;
    selectRows(referencia);
    if (dm_dados->tab_movimento_nao_env->recordCount() == 0) {
        platform::messages().inform(QStringLiteral("Nao Existem Dados a Serem Enviados!"));
        return;
    }
    if (!keepCopyBefore(QStringLiteral("a gravação do disquete"))) return;

    bool completed = false;
    try {
        formata_disquete();
        grava_disquete();
        limpa_referencias();
        torna_gerado();
        completed = true;
    } catch (...) {
    }
    platform::messages().inform(completed ? QStringLiteral("Dados Gerados com Sucesso!")
                                          : QStringLiteral("Erro ao gerar disquete, Selecione GERAR NOVAMENTE no menu"));
}

void DisketteGeneration::formata_disquete() {
    stepStarts("formata_disquete");
    const int result = platform::SHFormatDrive(owner_, 0, platform::SHFMT_ID_DEFAULT, 0);
    QString message;
    switch (result) {
    case platform::SHFMT_NOFORMAT: message = QStringLiteral("Não foi possível formatar."); break;
    case platform::SHFMT_CANCEL: message = QStringLiteral("A formatação foi cancelada."); break;
    case platform::SHFMT_ERROR: message = QStringLiteral("Ocorreu um erro."); break;
    default: message = QStringLiteral("Disco formatado com sucesso."); break;
    }
    platform::messages().inform(message);
}

void DisketteGeneration::grava_disquete() {
    stepStarts("grava_disquete");
    const QString saida = platform::programDirectory() + QStringLiteral("saida\\");
    for (const char* file : {"cadastro.DB", "movimento.DB", "cadastro.PX", "movimento.PX"})
        platform::CopyFileA(saida + QLatin1String(file), QStringLiteral("a:\\") + QLatin1String(file), false);
    try {
        dm_dados->tab_saida_mov->open();
        dm_dados->tab_saida_cad->open();
        stepStarts("BatchMove1");
        dm_dados->BatchMove1->execute();
        stepStarts("BatchMove2");
        dm_dados->BatchMove2->execute();
        dm_dados->tab_saida_mov->close();
        dm_dados->tab_saida_cad->close();
        // What the finance authority receives is what is on the disk: read it back.
        stepStarts("read-back");
        checkExport(*dm_dados->tab_movimento_nao_env, *dm_dados->tab_saida_mov);
        checkExport(*dm_dados->tab_cadastros_nao_env, *dm_dados->tab_saida_cad);
    } catch (...) {
        platform::messages().inform(QStringLiteral("Erro ao gravar no disco, Consulte o Manual do Usuario"));
        throw;
    }
}

void DisketteGeneration::limpa_referencias() {
    stepStarts("limpa_referencias");
    Query* referencias = dm_dados->qry_referencias;
    referencias->first();
    while (!referencias->eof()) referencias->remove();
}

void DisketteGeneration::torna_gerado() {
    stepStarts("torna_gerado");
    if (!regenerating_) {
        dm_dados->qry_mov_tornagerado->execSQL();
        dm_dados->qry_cad_tornagerado->execSQL();
        return;
    }
    // A regeneration marks what it wrote: the month's invoices and the confirmed
    // unit. Unsent invoices of other months stay unsent, to reach a later disk.
    Database& db = *dm_dados->Database1;
    db.connection().execBound(
        QStringLiteral("update %1 set mov_tp_gerado = 'S' where mov_tp_gerado = 'N' and mov_dt_referencia = ?")
            .arg(db.qualifiedName(db.table(QStringLiteral("movimento")))),
        {referencia_});
    db.connection().execBound(
        QStringLiteral("update %1 set cad_status = 'S' where cad_status not like 'C' and cad_cd_cnpj = ?")
            .arg(db.qualifiedName(db.table(QStringLiteral("cadastro")))),
        {cnpj_});
}

bool DisketteGeneration::keepCopyBefore(const QString& operation) {
    try {
        meru::keepStoreCopy(*dm_dados->Database1);
        return true;
    } catch (const std::exception& e) {
        platform::messages().error(QStringLiteral("Não foi possível guardar a cópia de segurança dos dados antes de %1:\r"
                                                  "%2\rNada foi alterado.")
                                       .arg(operation, QString::fromUtf8(e.what())));
        return false;
    }
}

void DisketteGeneration::LimparBancodeDados1Click() {
    if (platform::messages().warnYesNo(QStringLiteral("Todos os dados que foram digitados serão apagados. Continuar?")) !=
        platform::Answer::Yes)
        return;
    if (!keepCopyBefore(QStringLiteral("apagar as notas"))) return;
    try {
        dm_dados->apaga_mov->emptyTable();
        dm_dados->apaga_ref->emptyTable();
    } catch (...) {
        platform::messages().inform(QStringLiteral("O sistema será fechado."));
        QCoreApplication::quit();
    }
}

}  // namespace meru
