#include "export_table.h"

#include "data/engine_error.h"
#include "data/paradox/paradox_table.h"
#include "platform/engine_config.h"

namespace meru {

ExportTable::ExportTable(const QString& name, const schema::TableDef& declared, QObject* parent)
    : QObject(parent), declared_(declared) {
    setObjectName(name);
}

ExportTable::~ExportTable() = default;

void ExportTable::open() {
    // A table left open by a failed run holds rows that never reached the disk:
    // they go, and the file is read again as it now stands.
    if (table_) {
        table_.reset();
        emit stateChanged(DatasetState::Inactive);
    }
    auto table = std::make_unique<paradox::ParadoxTable>(declared_);
    table->open(platform::mapDrivePath(tableName_));
    table_ = std::move(table);
    emit stateChanged(DatasetState::Browse);
}

void ExportTable::close() {
    if (!table_) return;
    auto table = std::move(table_);
    emit stateChanged(DatasetState::Inactive);
    table->close();
}

bool ExportTable::active() const { return table_ != nullptr; }

void ExportTable::appendRecord(const Row& values) {
    if (!table_) throw EngineError(QStringLiteral("%1: Cannot perform this operation on a closed dataset").arg(objectName()));
    table_->append(values);
}

int ExportTable::recordCount() const { return table_ ? table_->recordCount() : 0; }

}  // namespace meru
