#pragma once
// A snapshot recordset: the rows of a query, read when it was opened.
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"
#include "store/value.h"

namespace store {

// Recordset types of the desktop engine; the layer offers snapshots only.
inline constexpr int dbOpenSnapshot = 4;

class Recordset {
 public:
  Recordset(std::vector<std::wstring> names, std::vector<std::vector<Value>> rows);

  // The engine calls this test EOF; the C library owns that name as a macro.
  bool AtEOF() const { return current_ >= rows_.size(); }
  void MoveNext();

  // The current row's value of the named field (names in any case).
  Result<Value> Fields(std::wstring_view name) const;

 private:
  std::vector<std::wstring> names_;
  std::vector<std::vector<Value>> rows_;
  size_t current_ = 0;
};

}  // namespace store
