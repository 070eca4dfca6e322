#pragma once

namespace meru {

enum class DatasetState { Inactive, Browse, Edit, Insert };

inline bool isEditing(DatasetState s) { return s == DatasetState::Edit || s == DatasetState::Insert; }

}  // namespace meru
