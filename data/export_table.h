#pragma once
// A table opened by its file path, outside BANCO: the export tables on the
// diskette ("a:\movimento.DB"). It is opened, appended to and closed.

#include "data/dataset.h"

#include <QObject>
#include <memory>

namespace meru {

namespace paradox { class ParadoxTable; }

class ExportTable : public QObject {
    Q_OBJECT
public:
    ExportTable(const QString& name, const schema::TableDef& declared, QObject* parent = nullptr);
    ~ExportTable() override;

    QString tableName() const { return tableName_; }
    void setTableName(const QString& path) { tableName_ = path; }
    const schema::TableDef& declared() const { return declared_; }

    // Raises when the drive is not ready, the file is missing or its fields differ.
    // Opening an open table drops what was appended and not yet written.
    void open();
    // Writes what was appended; raises when the disk refuses it.
    void close();
    bool active() const;
    // Raises, taking nothing, when the row cannot be stored as it is.
    void appendRecord(const Row& values);
    int recordCount() const;

signals:
    void stateChanged(meru::DatasetState state);

private:
    QString tableName_;
    const schema::TableDef& declared_;
    std::unique_ptr<paradox::ParadoxTable> table_;
};

}  // namespace meru
