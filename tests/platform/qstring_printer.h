#pragma once
// Failure messages show QString values and answers as text instead of their bytes.
#include "platform/message_service.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace meru::platform {
inline void PrintTo(Answer a, std::ostream* os) {
    static const char* const names[] = {"Yes", "No", "Ok", "Cancel", "None"};
    *os << "Answer::" << names[int(a)];
}
}  // namespace meru::platform
