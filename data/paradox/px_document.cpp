#include "data/paradox/px_document.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <new>

namespace meru::paradox {

namespace {
void* pxMalloc(pxdoc_t*, size_t size, const char*) { return std::malloc(size); }
void* pxRealloc(pxdoc_t*, void* mem, size_t size, const char*) { return std::realloc(mem, size); }
void pxFree(pxdoc_t*, void* mem) { std::free(mem); }
}  // namespace

PxDocument::PxDocument() {
    static std::once_flag booted;
    std::call_once(booted, [] { PX_boot(); });
    doc_ = PX_new3(&PxDocument::onError, pxMalloc, pxRealloc, pxFree, this);
    if (!doc_) throw std::bad_alloc();
}

PxDocument::~PxDocument() {
    close();
    PX_delete(doc_);
}

void PxDocument::close() {
    if (!open_) return;
    open_ = false;
    PX_close(doc_);
}

QString PxDocument::lastError(const QString& fallback) const {
    if (lastError_.isEmpty()) return fallback;
    QString message = QString::fromLocal8Bit(lastError_).trimmed();
    while (message.endsWith(QLatin1Char('.'))) message.chop(1);
    return message;
}

void* PxDocument::allocate(size_t size) {
    void* p = std::calloc(1, size);
    if (!p) throw std::bad_alloc();
    return p;
}

char* PxDocument::duplicate(const QByteArray& bytes) {
    auto* p = static_cast<char*>(allocate(size_t(bytes.size()) + 1));
    std::memcpy(p, bytes.constData(), size_t(bytes.size()));
    return p;
}

void PxDocument::onError(pxdoc_t*, int level, const char* message, void* self) {
    if (level == PX_Warning) return;
    static_cast<PxDocument*>(self)->lastError_ = QByteArray(message);
}

}  // namespace meru::paradox
