#pragma once
// A field object of a dataset: one column of the current row, read and written as
// text or as a value, with the edit mask and display format that bound controls use.

#include "data/schema.h"
#include "platform/edit_mask.h"

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
    // Converts a typed text (parse()); raises the field's message when it cannot.
    void setAsString(const QString& text);
    // The text a grid shows: currency amounts and short dates in the system's formats.
    QString displayText() const;

    // The Delphi edit mask bound edits type through ("" when none). It is parsed
    // here, once: a mask no edit can carry raises, and the field keeps its old one.
    const QString& editMask() const { return mask_.source(); }
    void setEditMask(const QString& mask);
    const platform::EditMask& mask() const { return mask_; }
    // A value's text as the edit mask shows it (punctuation in place); the
    // plain display text when the field has no mask.
    QString maskedTextOf(const QVariant& value) const;
    bool currency() const { return currency_; }
    void setCurrency(bool on) { currency_ = on; }

    // Conversions shared with the grids, which show rows other than the current one.
    QString textOf(const QVariant& value) const;
    QString displayTextOf(const QVariant& value) const;
    // Parses a typed text into a value of this field's type, read in the
    // operator's locale only, or raises the field's message (in Portuguese). A
    // typed text is one line, and every character one that code page 1252 (the
    // export tables') carries: the month's export must never fail on it.
    QVariant parse(const QString& text) const;
    // The stored form of a value, after checking it fits the field.
    QVariant normalized(const QVariant& value) const;

    void rebind(Dataset* dataset, int index) { dataset_ = dataset; index_ = index; }

private:
    Dataset* dataset_;
    int index_;
    schema::FieldDef def_;
    platform::EditMask mask_;
    bool currency_ = false;
};

}  // namespace meru
