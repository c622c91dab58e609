#pragma once
// The oracle store, veshalib.mdb in the program directory. For the rules
// only: its users outside the oracle cannot see the store layer.
#include <optional>
#include <string>
#include <string_view>

#include "store/database.h"

namespace oracle {

inline constexpr std::wstring_view kStoreFileName = L"\\veshalib.mdb";

// The store opened for reading, or nothing when it cannot be.
std::optional<store::Database> OpenOracleStore(const std::wstring& appPath, std::wstring_view connect = {});

}  // namespace oracle
