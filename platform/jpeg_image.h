#pragma once
// Decodes a baseline JPEG held in memory with libjpeg.

#include <QByteArray>
#include <QImage>

namespace meru::platform {

// A null image when the bytes are not a JPEG libjpeg can read.
QImage decodeJpeg(const QByteArray& bytes);

}  // namespace meru::platform
