#include "store/recordset.h"

#include <windows.h>

namespace store {

Recordset::Recordset(std::vector<std::wstring> names, std::vector<std::vector<Value>> rows)
    : names_(std::move(names)), rows_(std::move(rows)) {}

void Recordset::MoveNext() {
  if (!AtEOF()) ++current_;
}

Result<Value> Recordset::Fields(std::wstring_view name) const {
  for (size_t i = 0; i < names_.size(); ++i) {
    const auto& n = names_[i];
    const bool same = ::CompareStringOrdinal(n.data(), static_cast<int>(n.size()), name.data(),
                                             static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
    if (!same) continue;
    if (AtEOF()) return Error{ErrorCode::NoCurrentRecord, L"No current record."};
    return rows_[current_][i];
  }
  return Error{ErrorCode::ItemNotFound, L"Item not found in this collection."};
}

}  // namespace store
