#pragma once
// Owns one pxlib document and keeps the last error pxlib reported for it, so
// that a failing call can be turned into an engine error with pxlib's reason.

#include "data/paradox/pxlib_api.h"

#include <QByteArray>
#include <QString>

namespace meru::paradox {

class PxDocument {
public:
    PxDocument();
    ~PxDocument();
    PxDocument(const PxDocument&) = delete;
    PxDocument& operator=(const PxDocument&) = delete;

    pxdoc_t* get() const { return doc_; }
    // pxlib's last error for this document, or `fallback` when it said nothing.
    QString lastError(const QString& fallback) const;
    // Closes the file pxlib has open (writing what it still caches); idempotent.
    void close();
    // Marks the document as having an open file, so that the destructor closes it.
    void markOpen() { open_ = true; }

    // Memory that pxlib frees itself (field arrays and names) must come from here.
    static void* allocate(size_t size);
    static char* duplicate(const QByteArray& bytes);

private:
    static void onError(pxdoc_t* doc, int level, const char* message, void* self);

    pxdoc_t* doc_ = nullptr;
    bool open_ = false;
    QByteArray lastError_;
};

}  // namespace meru::paradox
