#include "child_accelerators.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>

namespace meru {

namespace {

QAbstractButton* buttonWithMnemonic(QWidget* child, const QKeySequence& keys) {
    for (QAbstractButton* b : child->findChildren<QAbstractButton*>())
        if (b->isVisible() && b->isEnabled() && QKeySequence::mnemonic(b->text()) == keys) return b;
    return nullptr;
}

// Takes the next key press away from the focus widget (which would otherwise
// type the letter) and clicks the button instead; then removes itself.
class PendingClick : public QObject {
public:
    PendingClick(QAbstractButton* button, int key) : button_(button), key_(key) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* press = static_cast<QKeyEvent*>(event);
        qApp->removeEventFilter(this);
        deleteLater();
        if (press->key() != key_ || !(press->modifiers() & Qt::AltModifier)) return false;
        if (button_ && button_->isEnabled()) button_->animateClick();
        return true;
    }

private:
    QPointer<QAbstractButton> button_;
    int key_;
};

}  // namespace

bool claimChildAccelerator(QWidget* child, QKeyEvent* event) {
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::AltModifier) return false;
    const QKeySequence keys(QKeyCombination(Qt::AltModifier, Qt::Key(event->key())));
    QAbstractButton* button = buttonWithMnemonic(child, keys);
    if (!button) return false;
    event->accept();
    new PendingClick(button, event->key());
    return true;
}

}  // namespace meru
