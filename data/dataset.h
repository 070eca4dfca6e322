#pragma once
// The dataset model every window works with: a state (inactive, browse, edit,
// insert), an ordered set of visible rows with a current one, field objects, and
// insert / edit / post / cancel / delete. Subclasses supply where the rows come from.

#include "data/dataset_state.h"
#include "data/field.h"
#include "data/schema.h"

#include <QObject>
#include <QVariant>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace meru {

class Database;
using Row = std::vector<QVariant>;

class Dataset : public QObject {
    Q_OBJECT
public:
    Dataset(const QString& name, Database* database, QObject* parent = nullptr);
    ~Dataset() override;

    QString name() const { return objectName(); }
    Database* database() const { return database_; }
    void setDatabase(Database* database) {
        close();
        database_ = database;
    }
    DatasetState state() const { return state_; }
    bool active() const { return state_ != DatasetState::Inactive; }

    // Open, first, refresh and a filter change read the rows before anything is
    // reported: when the rows cannot be read the failure goes to the caller, the
    // controls are told nothing, and the dataset stays as it was (closed, for open).
    void open();
    void close();

    // Navigation. first() sees the rows other datasets have posted meanwhile.
    void first();
    void next();
    bool eof() const;
    bool isEmpty() const;
    int recordCount() const;  // the stored rows; a row being inserted is not one of them
    // The visible rows as a grid shows them: the stored rows and, while inserting,
    // the pending row at the position it was inserted, the rows from there on
    // shifted down by one.
    int rowCount() const;
    int recNo() const;  // the visible row that is current (the pending row while inserting), -1 when none
    void moveTo(int row);  // row as rowCount() counts

    void insert();
    void edit();  // on an empty dataset this inserts
    void post();
    void cancel();
    void remove();  // deletes the current row; refused on an empty dataset
    // Reads the rows again, the pending row ended first. The current row stays the
    // one it was when it is still visible (after a post the operator keeps seeing
    // the row just written); otherwise, and after a filter change, the first row
    // is current.
    void refresh();
    // Ends a pending row: posted when changed, otherwise cancelled.
    void checkBrowseMode();
    bool modified() const { return modified_; }
    virtual bool readOnly() const { return false; }

    // While disabled (the calls nest), nothing is reported to bound controls, so a
    // walk through many rows does not repaint grids row by row. The last enable
    // reports the rows afresh, once.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return disabled_ > 0; }

    const std::vector<std::unique_ptr<Field>>& fields() const { return fields_; }
    Field* findField(const QString& fieldName) const;  // case-insensitive; nullptr when absent
    Field* fieldByName(const QString& fieldName) const;  // raises when absent
    Field* findFieldObject(const QString& objectName) const;

    // Field values of the current row (the edit buffer while editing).
    QVariant fieldValue(int index);
    void setFieldValue(int index, const QVariant& value);
    // Values of any visible row, for grids (the edit buffer for the pending row).
    QVariant valueAt(int row, int fieldIndex);

    // Runs f for every row that passes the current selection, in order, without
    // moving the current row; the fast path of batch moves.
    virtual void forEachRow(const std::function<void(const Row&)>& f);

signals:
    void stateChanged(meru::DatasetState state);
    // The current row moved, or its contents changed.
    void dataChanged();
    void fieldChanged(meru::Field* field);
    // Changes of the visible rows, each announced before it is made and reported
    // once made (rows as rowCount() counts them).
    void rowsAboutToBeReset();
    void rowsReset();
    void rowAboutToBeInserted(int row);
    void rowInserted(int row);
    void rowAboutToBeRemoved(int row);
    void rowRemoved(int row);
    void rowChanged(int row);

protected:
    struct Slot {
        qint64 rowid = -1;
        std::optional<Row> values;
    };

    // The layout of the rows this dataset yields; called on open.
    virtual std::vector<schema::FieldDef> prepare() = 0;
    // The visible rows, in order: row ids and, where cheap, their values.
    virtual std::vector<Slot> loadSlots() = 0;
    virtual std::optional<Row> fetch(qint64 rowid) = 0;
    // Fills the values of slots[from] and, where the back end reads a range at
    // once, of the rest of slots[from, from + count): a walk through many rows
    // then reads them a window at a time.
    virtual void fetchWindow(std::vector<Slot>& window, size_t from, size_t count);
    virtual qint64 insertRow(const Row& values) = 0;
    virtual void updateRow(qint64 rowid, const Row& values) = 0;
    virtual void deleteRow(qint64 rowid) = 0;
    virtual void released() {}

    void requireActive(const char* operation) const;
    // Reads the visible rows afresh and reports them; the current row is the one
    // of row id `keep` when given and still visible, else the first.
    void reloadSlots(qint64 keep = -1);
    void setState(DatasetState state);
    const Row& currentValues();

private:
    std::vector<Slot> readSlots();
    void replaceSlots(std::vector<Slot> rows, int current, DatasetState state);
    void shiftWindows(size_t index, bool placed);
    bool inserting() const { return state_ == DatasetState::Insert; }
    template <class Signal, class... Args>
    void notify(Signal signal, Args... args) {
        if (!disabled_) emit(this->*signal)(args...);
    }
    Slot& loaded(size_t index);
    Row blankRow() const;
    void adoptFields(const std::vector<schema::FieldDef>& defs);

    Database* database_;
    DatasetState state_ = DatasetState::Inactive;
    std::vector<std::unique_ptr<Field>> fields_;
    std::vector<Slot> slots_;
    struct Window {
        size_t from, count;
    };
    std::deque<Window> windows_;  // the windows whose values are kept, oldest first
    int current_ = -1;  // index into slots_; while inserting, the row pushed down
    bool eof_ = true;
    Row buffer_;
    bool modified_ = false;
    int insertedAt_ = -1;  // the visible row of the pending row while inserting
    int disabled_ = 0;
    DatasetState stateWhenDisabled_ = DatasetState::Inactive;
};

}  // namespace meru
