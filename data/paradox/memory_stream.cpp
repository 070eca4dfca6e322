#include "data/paradox/memory_stream.h"

#include <cerrno>
#include <cstring>
#include <new>

namespace meru::paradox {

MemoryStream::MemoryStream(QByteArray image) : data_(std::move(image)) {
    cookie_io_functions_t io{};
    io.read = &MemoryStream::read;
    io.write = &MemoryStream::write;
    io.seek = &MemoryStream::seek;
    io.close = nullptr;
    file_ = fopencookie(this, "w+", io);
    if (!file_) throw std::bad_alloc();
}

MemoryStream::~MemoryStream() { std::fclose(file_); }

const QByteArray& MemoryStream::bytes() {
    std::fflush(file_);
    return data_;
}

ssize_t MemoryStream::read(void* self, char* buffer, size_t size) {
    auto* s = static_cast<MemoryStream*>(self);
    const qint64 available = qMax<qint64>(0, s->data_.size() - s->position_);
    const qint64 n = qMin<qint64>(available, qint64(size));
    std::memcpy(buffer, s->data_.constData() + s->position_, size_t(n));
    s->position_ += n;
    return ssize_t(n);
}

ssize_t MemoryStream::write(void* self, const char* buffer, size_t size) {
    auto* s = static_cast<MemoryStream*>(self);
    const qint64 end = s->position_ + qint64(size);
    if (end > s->data_.size()) {
        const qint64 old = s->data_.size();
        if (end > s->data_.capacity()) s->data_.reserve(qMax(end, 2 * s->data_.capacity()));
        s->data_.resize(end);
        if (s->position_ > old) std::memset(s->data_.data() + old, 0, size_t(s->position_ - old));
    }
    std::memcpy(s->data_.data() + s->position_, buffer, size);
    s->position_ = end;
    return ssize_t(size);
}

int MemoryStream::seek(void* self, off64_t* offset, int whence) {
    auto* s = static_cast<MemoryStream*>(self);
    qint64 base = 0;
    switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = s->position_; break;
    case SEEK_END: base = s->data_.size(); break;
    default: errno = EINVAL; return -1;
    }
    const qint64 target = base + *offset;
    if (target < 0) { errno = EINVAL; return -1; }
    s->position_ = target;
    *offset = target;
    return 0;
}

}  // namespace meru::paradox
