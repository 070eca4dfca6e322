#pragma once
// One base for every window.
//
//     class Tfrm_x : public Form<QDialog> {          // or Form<QWidget>
//         Tfrm_x(QWidget* owner);                     // builds the widgets only
//         void FormCreate() override;                 // runs when the opener creates it
//     };
//     openByReuseRule(frm_x, [&] { return new Tfrm_x(owner); });
//
// The constructor only builds the widgets and declares its data-source bindings.
// The opener then binds the data sources (their state-change handlers run for the
// first time), runs FormCreate and shows the window, so a derived window's
// replacements of these handlers run at creation. Activation and closing reach
// FormActivate and FormClose through one guarded dispatch. A window frees itself
// when it is closed, unless FormClose says otherwise; the windows it owns go with it.

#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <vector>

class QCloseEvent;

namespace meru {

class DataSource;
class Dataset;

// What closing does with the window: nothing (it stays open) or free it.
enum class CloseAction { None, Free };

// Where a window stands: on its own (a top-level window or dialog owned by its
// owner), or as an MDI child inside the main window's frame.
enum class FormStyle { Normal, MdiChild };

class FormBase {
public:
    virtual ~FormBase();

    virtual void FormCreate() {}
    virtual void FormActivate() {}
    virtual void FormClose(CloseAction& Action) { (void)Action; }

    QWidget* widget() const { return self_; }
    FormStyle formStyle() const { return style_; }
    // The window whose freeing frees this one.
    QWidget* owner() const { return owner_; }
    // The MDI sub-window that frames an MDI child once it is created.
    QMdiSubWindow* mdiFrame() const { return frame_; }

protected:
    FormBase(QWidget* self, QWidget* owner, FormStyle style);

    // Binds `source` to `dataset` when the window is created; `onStateChange` (a
    // call of the window's virtual handler) then runs on every change of state,
    // the binding's first one included.
    void bindOnCreate(DataSource* source, Dataset* dataset, std::function<void()> onStateChange = {});

    // The dispatch, called by Form<Frame>. True when the event was consumed.
    bool dispatchEvent(QEvent* event);
    void dispatchClose(QCloseEvent* event);

private:
    friend void createForm(FormBase* form);
    void create();

    struct Binding {
        DataSource* source;
        Dataset* dataset;
        std::function<void()> onStateChange;
    };

    QWidget* self_;
    QPointer<QWidget> owner_;
    FormStyle style_;
    QPointer<QMdiSubWindow> frame_;
    std::vector<Binding> bindings_;
    bool created_ = false;
};

template <class Frame>
class Form : public Frame, public FormBase {
public:
    // A window on its own, Qt child of its owner (freed with it).
    explicit Form(QWidget* owner, Qt::WindowFlags flags = Qt::Window)
        : Frame(owner, flags), FormBase(this, owner, FormStyle::Normal) {
        this->setAttribute(Qt::WA_DeleteOnClose);
    }
    // With FormStyle::MdiChild, an MDI child of the main window's frame, freed
    // with its owner.
    Form(QWidget* owner, FormStyle style)
        : Frame(style == FormStyle::MdiChild ? nullptr : owner,
                style == FormStyle::MdiChild ? Qt::WindowFlags() : Qt::WindowFlags(Qt::Window)),
          FormBase(this, owner, style) {
        this->setAttribute(Qt::WA_DeleteOnClose);
    }

protected:
    bool event(QEvent* e) override { return dispatchEvent(e) || Frame::event(e); }
    void closeEvent(QCloseEvent* e) override { dispatchClose(e); }
};

// Creates a window just constructed: binds its data sources, runs FormCreate and,
// for an MDI child, places it in the main window's frame. Does not show it.
void createForm(FormBase* form);

}  // namespace meru
