#pragma once
// Appends every row that the source's selection lets through to an export table,
// column by column in table order. A row the destination refuses does not stop the
// move, but it is never lost in silence: the move ends with an error that names
// every refused row and why.

#include <QObject>
#include <QStringList>

namespace meru {

class Dataset;
class ExportTable;

class BatchMove : public QObject {
    Q_OBJECT
public:
    enum class Mode { Append };

    BatchMove(const QString& name, QObject* parent = nullptr);
    void setSource(Dataset* source) { source_ = source; }
    void setDestination(ExportTable* destination) { destination_ = destination; }
    Dataset* source() const { return source_; }
    ExportTable* destination() const { return destination_; }
    Mode mode() const { return Mode::Append; }

    void execute();
    int movedCount() const { return moved_; }
    const QStringList& problems() const { return problems_; }

private:
    Dataset* source_ = nullptr;
    ExportTable* destination_ = nullptr;
    int moved_ = 0;
    QStringList problems_;
};

}  // namespace meru
