#include "batch_move.h"

#include "data/dataset.h"
#include "data/engine_error.h"
#include "data/export_table.h"

namespace meru {

BatchMove::BatchMove(const QString& name, QObject* parent) : QObject(parent) { setObjectName(name); }

void BatchMove::execute() {
    if (!source_ || !destination_)
        throw EngineError(QStringLiteral("%1: source and destination must be set").arg(objectName()));
    moved_ = 0;
    problems_.clear();
    if (!source_->active()) source_->open();
    if (!destination_->active()) destination_->open();

    const auto& fields = source_->fields();
    const auto& target = destination_->declared().fields;
    if (fields.size() != target.size())
        throw EngineError(QStringLiteral("%1: %2 has %3 fields, %4 has %5")
                              .arg(objectName(), source_->name())
                              .arg(fields.size())
                              .arg(destination_->objectName())
                              .arg(target.size()));
    // Refused rows are named by their row number where the table has one.
    int keyIndex = 0;
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i]->type() == schema::FieldType::Autoinc) keyIndex = int(i);
    int rowNumber = 0;
    source_->forEachRow([&](const Row& row) {
        ++rowNumber;
        try {
            destination_->appendRecord(row);
            ++moved_;
        } catch (const std::exception& e) {
            problems_ << QStringLiteral("row %1 (%2 = %3): %4")
                             .arg(rowNumber)
                             .arg(fields[keyIndex]->fieldName(), fields[keyIndex]->textOf(row[keyIndex]),
                                  QString::fromUtf8(e.what()));
        }
    });
    if (!problems_.isEmpty())
        throw EngineError(QStringLiteral("%1: %2 of %3 rows were not moved to %4:\n%5")
                              .arg(objectName())
                              .arg(problems_.size())
                              .arg(rowNumber)
                              .arg(destination_->tableName(), problems_.join(QLatin1Char('\n'))));
}

}  // namespace meru
