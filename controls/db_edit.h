#pragma once
// A line edit bound to one field of a data source.
//
// It shows the field's text (through the field's edit mask when it carries one)
// while the focus is in it, the field's display text (a currency amount) while
// it is not, and follows every change of the dataset. Input is taken only while the dataset
// is in edit or insert state: bound controls never start editing by themselves.
// What was typed reaches the field when the edit is left, or when a window calls
// updateRecord() before it posts. A text the field refuses keeps the focus in the
// edit and its message is shown once, after the focus has settled (FieldLink);
// exited() is then not emitted. The edit itself never throws into Qt and never
// opens a box; only updateRecord(), called by a window's handler, raises.
// It is one line: a pasted line break or tab becomes a blank. With a mask, typing
// never goes where the mask takes nothing (see MaskEdit).

#include "data/data_source.h"
#include "platform/edit_mask.h"

#include <QLineEdit>

namespace meru::controls {

class FieldLink;

class DBEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit DBEdit(QWidget* parent = nullptr);

    DataSource* dataSource() const;
    void setDataSource(DataSource* source);
    QString dataField() const;
    void setDataField(const QString& fieldName);
    Field* field() const;

    // A display field: never takes input and never writes.
    bool readOnlyDisplay() const { return displayOnly_; }
    void setReadOnlyDisplay(bool on);

    // The text the field would receive: without the mask's literals where the
    // mask drops them, unfilled positions as blanks; text() itself otherwise.
    QString fieldText() const;
    // The Delphi mask in use ("" when none).
    QString editMask() const { return mask_.source(); }

    // Writes a changed text to the field; raises the field's conversion error
    // for the calling handler to show (the edit's own box for it is withdrawn).
    void updateRecord();

signals:
    void entered();  // the focus came into the edit
    void exited();   // the focus left it, after its text was written

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showField();
    QString shownText() const;
    bool syncMask();  // true when the mask changed
    void syncAccess();
    void placeCursor(Qt::FocusReason reason);
    void keepOnOneLine();

    FieldLink* link_;
    platform::EditMask mask_;
    bool displayOnly_ = false;
    bool modified_ = false;  // typed since the field's text was last shown
    bool inside_ = false;    // entered() emitted, exited() not yet
    bool refusing_ = false;
};

}  // namespace meru::controls
