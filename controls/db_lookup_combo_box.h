#pragma once
// A combo box that stores a key in a field of one data source and lists names
// from another: the list dataset's listField, each standing for its keyField.
// It shows the name of the stored key (nothing when the list lacks the key);
// choosing a name writes its key, and only while the data source is editing.
// The list is read once each time the list dataset opens.
//
// The operator finds a name by typing it: blanks included, accents and letter
// case optional ("sao paulo" finds "São Paulo - SP"). A blank is part of the name
// and never opens the list (F4, Alt+Down or a click do). A failure is never thrown
// into Qt nor shown from here: it goes to FieldLink::reportLater.

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
    // Typing picks the first name that starts with what was typed since the box
    // was entered; a key that fits no name is ignored, unless it comes after a
    // pause, when it starts a new search.
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void listStateChanged();
    void loadList();
    void clearList();
    void showKey();
    void choose(int index);
    // The row a typed key leads to, or a negative code: the key was taken and
    // leads to no row, or it is no search key and goes on to the combo box.
    int search(QKeyEvent* event);
    int find(const QString& typed) const;

    FieldLink* link_;
    QPointer<DataSource> list_;
    QMetaObject::Connection listState_, listData_;
    QString keyField_;
    QString listField_;
    QStringList keys_;
    QStringList folded_;  // the names as the search compares them
    QHash<QString, int> indexOfKey_;
    bool loaded_ = false;
    QString search_;
    QElapsedTimer lastKey_;
};

}  // namespace meru::controls
