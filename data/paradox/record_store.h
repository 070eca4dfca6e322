#pragma once
// The records of an open table, as raw Paradox record bytes in one buffer, with
// a set of their keys for the duplicate check.
//
// Keys compare as their record bytes, left to right (memcmp). pxlib's encoding
// makes that the table's order: Alpha by its Windows-1252 bytes (NUL padding puts
// a prefix first), numbers, dates and timestamps numerically, and NULL (all zero
// bytes) before any value.

#include <QtGlobal>
#include <memory_resource>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace meru::paradox {

class RecordStore {
public:
    RecordStore(int recordSize, int keySize);
    RecordStore(const RecordStore&) = delete;
    RecordStore& operator=(const RecordStore&) = delete;

    int count() const { return count_; }
    const char* record(int i) const { return data_.data() + qsizetype(i) * recordSize_; }

    // Whether a record with the same key is held (always false for an unkeyed table).
    bool containsKey(const char* record) const;
    void add(const char* record);

    // The records' indexes in increasing key order; records with equal keys keep
    // the order in which they were added.
    std::vector<int> keyOrder() const;

private:
    std::string_view keyOf(qint32 index) const;

    struct KeyHash {
        const RecordStore* store;
        size_t operator()(qint32 i) const { return std::hash<std::string_view>{}(store->keyOf(i)); }
    };
    struct KeyEqual {
        const RecordStore* store;
        bool operator()(qint32 a, qint32 b) const { return store->keyOf(a) == store->keyOf(b); }
    };
    static constexpr qint32 kProbe = -1;  // stands for the record being looked up

    const int recordSize_;
    const int keySize_;
    int count_ = 0;
    bool inKeyOrder_ = true;
    std::vector<char> data_;
    mutable const char* probe_ = nullptr;
    std::pmr::monotonic_buffer_resource pool_;
    std::pmr::unordered_set<qint32, KeyHash, KeyEqual> keys_;
};

}  // namespace meru::paradox
