#pragma once
// The lot texts as kept in data/lots: UTF-8 files, each lot opened by a
// line "@ N" and running to the next such line; lines join with CR LF and
// blank lines at a lot's end are dropped.
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace tools {

struct LotSourceError {
  std::string where;    // file and line, in UTF-8
  std::string message;  // in UTF-8
};

using LotTexts = std::map<int, std::wstring>;  // lot number to text

// Reads one file's lots into texts; false with error filled in on a fault
// (bad UTF-8, a malformed marker, a number outside 1..384, a number twice).
bool ReadLotFile(const std::filesystem::path& file, std::string_view content, LotTexts& texts,
                 LotSourceError& error);

// Reads every *.txt file of the folder, in name order.
bool ReadLotFolder(const std::filesystem::path& folder, LotTexts& texts, LotSourceError& error);

}  // namespace tools
