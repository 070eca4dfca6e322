#pragma once

#include <QCoreApplication>
#include <QEvent>

namespace meru::test {

// Lets deferred deletions (windows closed with delete-on-close) happen.
inline void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

}  // namespace meru::test
