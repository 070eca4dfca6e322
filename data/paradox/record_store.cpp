#include "data/paradox/record_store.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace meru::paradox {

RecordStore::RecordStore(int recordSize, int keySize)
    : recordSize_(recordSize), keySize_(keySize), keys_(64, KeyHash{this}, KeyEqual{this}, &pool_) {}

std::string_view RecordStore::keyOf(qint32 index) const {
    const char* p = index == kProbe ? probe_ : record(index);
    return {p, size_t(keySize_)};
}

bool RecordStore::containsKey(const char* rec) const {
    if (keySize_ == 0) return false;
    probe_ = rec;
    return keys_.find(kProbe) != keys_.end();
}

void RecordStore::add(const char* rec) {
    if (keySize_ > 0 && count_ > 0 && inKeyOrder_ &&
        std::memcmp(rec, record(count_ - 1), size_t(keySize_)) < 0)
        inKeyOrder_ = false;
    data_.insert(data_.end(), rec, rec + recordSize_);
    if (keySize_ > 0) keys_.insert(count_);
    ++count_;
}

std::vector<int> RecordStore::keyOrder() const {
    std::vector<int> order(static_cast<size_t>(count_));
    std::iota(order.begin(), order.end(), 0);
    if (!inKeyOrder_) {
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
            return std::memcmp(record(a), record(b), size_t(keySize_)) < 0;
        });
    }
    return order;
}

}  // namespace meru::paradox
