#include "form.h"

#include "data/data_source.h"
#include "platform/guarded.h"
#include "shell/child_accelerators.h"
#include "shell/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace meru {

using platform::guarded;

FormBase::FormBase(QWidget* self, QWidget* owner, FormStyle style) : self_(self), owner_(owner), style_(style) {}

FormBase::~FormBase() = default;

void FormBase::bindOnCreate(DataSource* source, Dataset* dataset, std::function<void()> onStateChange) {
    bindings_.push_back({source, dataset, std::move(onStateChange)});
}

void FormBase::create() {
    if (created_) return;
    created_ = true;
    for (Binding& b : bindings_) {
        if (b.onStateChange) QObject::connect(b.source, &DataSource::stateChanged, self_, guarded(b.onStateChange));
        b.source->setDataSet(b.dataset);
    }
    bindings_.clear();
    guarded([this] { FormCreate(); })();

    if (style_ != FormStyle::MdiChild || !frm_menu || !frm_menu->mdiArea()) return;
    frame_ = frm_menu->mdiArea()->addSubWindow(self_);
    frame_->setAttribute(Qt::WA_DeleteOnClose);
    QMdiSubWindow* frame = frame_;
    // An MDI child becomes active when its sub-window does, not when the frame does.
    QObject::connect(frame, &QMdiSubWindow::windowStateChanged, self_,
                     [this](Qt::WindowStates before, Qt::WindowStates now) {
                         if (!(before & Qt::WindowActive) && (now & Qt::WindowActive))
                             guarded([this] { FormActivate(); })();
                     });
    if (owner_ && owner_ != frm_menu)
        QObject::connect(owner_, &QObject::destroyed, frame, [frame] { delete frame; });
}

bool FormBase::dispatchEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::WindowActivate:
        // An MDI child hears of every activation of the frame; its own comes
        // from its sub-window.
        if (style_ != FormStyle::MdiChild) guarded([this] { FormActivate(); })();
        return false;
    case QEvent::ShortcutOverride:
        return style_ == FormStyle::MdiChild && claimChildAccelerator(self_, static_cast<QKeyEvent*>(event));
    default:
        return false;
    }
}

void FormBase::dispatchClose(QCloseEvent* event) {
    CloseAction action = CloseAction::Free;
    bool failed = false;
    guarded([&] {
        try {
            FormClose(action);
        } catch (...) {
            failed = true;  // a failure in the close handler keeps the window open
            throw;
        }
    })();
    const bool close = !failed && action == CloseAction::Free;
    event->setAccepted(close);
    // A closed MDI child takes its sub-window with it.
    if (close && frame_) frame_->deleteLater();
}

void createForm(FormBase* form) { form->create(); }

}  // namespace meru
