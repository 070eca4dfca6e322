#pragma once
// A field object of a dataset: one column of the current row, read and written as
// text or as a value, with the edit mask and display format that bound controls use.

#include "data/schema.h"

#include <QString>
#include <QVariant>

namespace meru {

class Dataset;

class Field {
public:
    Field(Dataset* dataset, int index, const schema::FieldDef& def);

    Dataset* dataset() const { return dataset_; }
    int index() const { return index_; }
    // The object name: dataset name followed by the column name.
    QString name() const;
    const QString& fieldName() const { return def_.name; }
    schema::FieldType type() const { return def_.type; }
    // Characters an Alpha field holds; 0 for the other types.
    int size() const { return def_.width; }
    bool readOnly() const { return def_.type == schema::FieldType::Autoinc; }

    QVariant value() const;
    void setValue(const QVariant& value);
    bool isNull() const;
    void clear();

    // The text form of the value ("" when null): the form an edit shows and types.
    QString asString() const;
    // Converts a typed text; raises the field's conversion message when it cannot.
    void setAsString(const QString& text);
    // The text a grid shows: currency amounts and short dates in the system's formats.
    QString displayText() const;

    const QString& editMask() const { return editMask_; }
    void setEditMask(const QString& mask) { editMask_ = mask; }
    bool currency() const { return currency_; }
    void setCurrency(bool on) { currency_ = on; }

    // Conversions shared with the grids, which show rows other than the current one.
    QString textOf(const QVariant& value) const;
    QString displayTextOf(const QVariant& value) const;
    // Parses a typed text into a value of this field's type, or raises the message.
    QVariant parse(const QString& text) const;
    // The stored form of a value, after checking it fits the field.
    QVariant normalized(const QVariant& value) const;

    void rebind(Dataset* dataset, int index) { dataset_ = dataset; index_ = index; }

private:
    Dataset* dataset_;
    int index_;
    schema::FieldDef def_;
    QString editMask_;
    bool currency_ = false;
};

}  // namespace meru
