#include "soak/store_contents.h"

#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "common/codepage.h"
#include "remote/running_program.h"

namespace soak {
namespace {

constexpr wchar_t kStoreFile[] = L"veshalib.mdb";
// A lot's text is stored as its code page 936 codes in reverse order, each
// combined with this key by exclusive-or and written high byte first.
constexpr unsigned kTextKey = 47;
constexpr unsigned kFirstLeadByte = 0x81;
constexpr unsigned kLastLeadByte = 0xFE;
constexpr unsigned kByteBits = 8;
constexpr unsigned kByteMask = 0xFF;
constexpr std::uint64_t kDecimalBase = 10;

struct CloseDb {
  void operator()(sqlite3* db) const { sqlite3_close(db); }
};
struct Finalize {
  void operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }
};
using Db = std::unique_ptr<sqlite3, CloseDb>;
using Statement = std::unique_ptr<sqlite3_stmt, Finalize>;

Db Open(const std::wstring& path) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(win::ToUtf8(path).c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
  Db db(raw);
  if (rc != SQLITE_OK) throw remote::Failure("the store beside the program cannot be opened");
  return db;
}

Statement Prepare(sqlite3* db, const char* sql) {
  sqlite3_stmt* raw = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK)
    throw remote::Failure(std::string("the store beside the program cannot be queried: ") + sqlite3_errmsg(db));
  return Statement(raw);
}

std::string_view Bytes(sqlite3_stmt* s, int column) {
  const auto* data = static_cast<const char*>(sqlite3_column_blob(s, column));
  return {data ? data : "", static_cast<size_t>(sqlite3_column_bytes(s, column))};
}

std::wstring Unscramble(std::string_view stored) {
  std::vector<unsigned> codes;
  for (size_t i = 0; i < stored.size(); ++i) {
    unsigned code = static_cast<unsigned char>(stored[i]);
    if (code >= kFirstLeadByte && code <= kLastLeadByte && i + 1 < stored.size())
      code = code << kByteBits | static_cast<unsigned char>(stored[++i]);
    codes.push_back(code ^ kTextKey);
  }
  std::string plain;
  for (auto code = codes.rbegin(); code != codes.rend(); ++code) {
    if (*code > kByteMask) plain += static_cast<char>(*code >> kByteBits);
    plain += static_cast<char>(*code & kByteMask);
  }
  return win::FromCodePage936(plain);
}

// Digits only: the shipped store writes its counts so.
std::optional<std::uint64_t> Count(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::uint64_t count = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || count > (UINT64_MAX - (c - '0')) / kDecimalBase) return std::nullopt;
    count = count * kDecimalBase + static_cast<std::uint64_t>(c - '0');
  }
  return count;
}

}  // namespace

StoreContents::StoreContents(const std::wstring& appPath) {
  const Db db = Open(appPath + L"\\" + kStoreFile);
  for (auto s = Prepare(db.get(), "SELECT id, content FROM vesha"); sqlite3_step(s.get()) == SQLITE_ROW;) {
    const auto lot = static_cast<std::int16_t>(sqlite3_column_int(s.get(), 0));
    texts_[lot] = Unscramble(Bytes(s.get(), 1));
    lots_[texts_[lot]] = lot;
  }
  for (auto s = Prepare(db.get(), "SELECT Zi, bh FROM hanzi"); sqlite3_step(s.get()) == SQLITE_ROW;) {
    const auto zi = win::FromUtf8(Bytes(s.get(), 0));
    const auto bh = Bytes(s.get(), 1);
    if (!zi || zi->size() != 1) continue;
    const auto count = Count(bh);
    if (!count) throw remote::Failure("the store's stroke count \"" + std::string(bh) + "\" is no count");
    const auto [at, added] = strokes_.try_emplace(zi->front(), *count);
    if (!added) at->second = std::min(at->second, *count);
  }
  // The map's order is the characters'; so a seed picks the same ones from
  // any copy of the store.
  for (const auto& entry : strokes_) characters_.push_back(entry.first);
  if (texts_.empty() || characters_.empty()) throw remote::Failure("the store beside the program is empty");
}

const std::wstring& StoreContents::TextOf(std::int16_t lot) const {
  static const std::wstring kNone;
  const auto found = texts_.find(lot);
  return found == texts_.end() ? kNone : found->second;
}

std::int16_t StoreContents::LotWithText(const std::wstring& text) const {
  const auto found = lots_.find(text);
  return found == lots_.end() ? 0 : found->second;
}

std::optional<std::uint64_t> StoreContents::StrokesOf(wchar_t zi) const {
  const auto found = strokes_.find(zi);
  if (found == strokes_.end()) return std::nullopt;
  return found->second;
}

}  // namespace soak
