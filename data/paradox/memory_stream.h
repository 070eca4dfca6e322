#pragma once
// A FILE* over a byte buffer in memory. pxlib seeks back to the header and
// re-reads it around every record it puts; on a disk file each of those is a
// system call, in memory it is a copy. The finished image is then written to
// disk in one piece.

#include <QByteArray>
#include <cstdio>

namespace meru::paradox {

class MemoryStream {
public:
    // An empty stream for writing, or one that reads (and may rewrite) `image`.
    explicit MemoryStream(QByteArray image = {});
    ~MemoryStream();
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;

    FILE* file() const { return file_; }
    // Everything written so far, after flushing the stream's buffer.
    const QByteArray& bytes();

private:
    static ssize_t read(void* self, char* buffer, size_t size);
    static ssize_t write(void* self, const char* buffer, size_t size);
    static int seek(void* self, off64_t* offset, int whence);

    QByteArray data_;
    qint64 position_ = 0;
    FILE* file_ = nullptr;
};

}  // namespace meru::paradox
