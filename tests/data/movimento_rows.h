#pragma once
// Small helpers to put invoice and unit rows into a store through the engine.
#include "data/database.h"
#include "data/table.h"

#include <QDate>
#include <memory>

namespace meru::test {

struct Invoice {
    QString referencia;
    QString gerado = QStringLiteral("N");
    QString nf = QStringLiteral("1");
    QString cnpj = QStringLiteral("12345678000195");
    QDate notaf = QDate(2004, 3, 15);
    double valor = 10.5;
};

inline qint64 addInvoice(Table& t, const Invoice& inv) {
    t.insert();
    t.fieldByName("mov_dt_referencia")->setValue(inv.referencia);
    t.fieldByName("mov_tp_gerado")->setValue(inv.gerado);
    t.fieldByName("mov_nr_nf")->setValue(inv.nf);
    t.fieldByName("mov_cd_cnpj")->setValue(inv.cnpj);
    t.fieldByName("mov_dt_notaf")->setValue(inv.notaf);
    t.fieldByName("mov_dt_processo")->setValue(inv.notaf);
    t.fieldByName("mov_vl_valor")->setValue(inv.valor);
    t.fieldByName("mov_tp_retificadora")->setValue(QStringLiteral("N"));
    t.post();
    return t.fieldByName("mov_cd_controle")->value().toLongLong();
}

inline std::unique_ptr<Table> openTable(Database& db, const QString& name, const QString& table) {
    auto t = std::make_unique<Table>(name, &db);
    t->setTableName(table);
    t->setFiltered(true);
    t->open();
    return t;
}

}  // namespace meru::test
