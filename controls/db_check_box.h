#pragma once
// A check box bound to a text field: checked when the field holds valueChecked.
// Toggling writes valueChecked or valueUnchecked, only while the data source is
// editing; otherwise the toggle is refused. Either value may list alternatives
// separated by ';' ("S;s"), matched without regard to case; the first is written.
// A value the field refuses leaves the box as the field is, and the message is
// shown once the click is over (FieldLink); the box never throws into Qt.

#include "data/data_source.h"

#include <QCheckBox>

namespace meru::controls {

class FieldLink;

class DBCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit DBCheckBox(QWidget* parent = nullptr);
    explicit DBCheckBox(const QString& text, QWidget* parent = nullptr);

    DataSource* dataSource() const;
    void setDataSource(DataSource* source);
    QString dataField() const;
    void setDataField(const QString& fieldName);
    Field* field() const;

    QString valueChecked() const { return valueChecked_; }
    void setValueChecked(const QString& value);
    QString valueUnchecked() const { return valueUnchecked_; }
    void setValueUnchecked(const QString& value);

protected:
    void nextCheckState() override;

private:
    void showField();

    FieldLink* link_;
    QString valueChecked_ = QStringLiteral("S");
    QString valueUnchecked_ = QStringLiteral("N");
};

}  // namespace meru::controls
