#pragma once
// A combo box that stores a key in a field of one data source and lists names
// from another: the list dataset's listField, each standing for its keyField.
// It shows the name of the stored key (nothing when the list lacks the key);
// choosing a name writes its key, and only while the data source is editing.
// The list is read once each time the list dataset opens.

#include "data/data_source.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHash>
#include <QPointer>
#include <QStringList>

namespace meru::controls {

class FieldLink;

class DBLookupComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit DBLookupComboBox(QWidget* parent = nullptr);

    DataSource* dataSource() const;
    void setDataSource(DataSource* source);
    QString dataField() const;
    void setDataField(const QString& fieldName);
    Field* field() const;

    DataSource* listSource() const { return list_; }
    void setListSource(DataSource* source);
    QString keyField() const { return keyField_; }
    void setKeyField(const QString& fieldName);
    QString listField() const { return listField_; }
    void setListField(const QString& fieldName);

    // The name shown for the stored key; "" when there is none.
    QString displayedText() const;
    // The key stored in the data field, as text.
    QString keyValue() const;
    int listCount() const { return int(keys_.size()); }

protected:
    // Typing picks the first name that starts with what was typed in quick
    // succession, blanks included.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void listStateChanged();
    void loadList();
    void clearList();
    void showKey();
    void choose(int index);

    FieldLink* link_;
    QPointer<DataSource> list_;
    QMetaObject::Connection listState_, listData_;
    QString keyField_;
    QString listField_;
    QStringList keys_;
    QHash<QString, int> indexOfKey_;
    bool loaded_ = false;
    QString search_;
    QElapsedTimer lastKey_;
};

}  // namespace meru::controls
