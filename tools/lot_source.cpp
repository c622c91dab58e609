#include "tools/lot_source.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "common/codepage.h"

namespace tools {
namespace {

constexpr int kFirstLot = 1;
constexpr int kLastLot = 384;
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string Utf8(const std::filesystem::path& p) {
  const std::u8string u = p.u8string();
  return std::string(u.begin(), u.end());
}

// "@ N": the lot number, or 0 when the line is no marker, -1 when malformed.
int MarkerNumber(std::string_view line) {
  if (line.empty() || line.front() != '@') return 0;
  line.remove_prefix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  if (line.empty() || line.size() > 3 ||
      !std::all_of(line.begin(), line.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return -1;
  return std::stoi(std::string(line));
}

void Finish(std::vector<std::wstring>& lines, int lot, LotTexts& texts) {
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += L"\r\n";
    text += lines[i];
  }
  texts[lot] = std::move(text);
  lines.clear();
}

}  // namespace

bool ReadLotFile(const std::filesystem::path& file, std::string_view content, LotTexts& texts,
                 LotSourceError& error) {
  if (content.substr(0, kUtf8Bom.size()) == kUtf8Bom) content.remove_prefix(kUtf8Bom.size());
  const std::string name = Utf8(file.filename());
  int lot = 0;
  std::vector<std::wstring> lines;
  size_t lineNo = 0;
  while (!content.empty()) {
    const size_t nl = content.find('\n');
    std::string_view line = content.substr(0, nl);
    content.remove_prefix(nl == std::string_view::npos ? content.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++lineNo;
    const std::string where = name + ":" + std::to_string(lineNo);

    const int marker = MarkerNumber(line);
    if (marker < 0 || (marker > 0 && (marker < kFirstLot || marker > kLastLot))) {
      error = {where, "a lot marker must be \"@ N\" with N from 1 to 384"};
      return false;
    }
    if (marker > 0) {
      if (lot) Finish(lines, lot, texts);
      if (texts.count(marker)) {
        error = {where, "lot " + std::to_string(marker) + " is written twice"};
        return false;
      }
      lot = marker;
      texts[lot];  // claimed, so a later duplicate is seen at once
      continue;
    }
    auto decoded = win::FromUtf8(line);
    if (!decoded) {
      error = {where, "the line is not valid UTF-8"};
      return false;
    }
    std::wstring wide = std::move(*decoded);
    if (!lot) {
      if (!wide.empty()) {
        error = {where, "text before the first lot marker"};
        return false;
      }
      continue;
    }
    lines.push_back(std::move(wide));
  }
  if (lot) Finish(lines, lot, texts);
  return true;
}

bool ReadLotFolder(const std::filesystem::path& folder, LotTexts& texts, LotSourceError& error) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (entry.is_regular_file() && entry.path().extension() == ".txt") files.push_back(entry.path());
  if (ec) {
    error = {Utf8(folder), "the folder cannot be read"};
    return false;
  }
  std::sort(files.begin(), files.end());
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) {
      error = {Utf8(file), "the file cannot be read"};
      return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (!ReadLotFile(file, content.str(), texts, error)) return false;
  }
  return true;
}

}  // namespace tools
