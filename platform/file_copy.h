#pragma once
// The platform's file copy. Both paths may be written with '\' and may name
// drive A: ("a:\movimento.DB"). The target is written whole or not at all: a
// full or protected disk leaves no half file behind the copy.

#include <QString>

namespace meru::platform {

// Copies source onto target; with failIfExists false an existing target is
// overwritten. Returns whether the target now holds the source's bytes.
bool CopyFileA(const QString& source, const QString& target, bool failIfExists);

}  // namespace meru::platform
