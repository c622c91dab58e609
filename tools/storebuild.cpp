// Writes the oracle store: table vesha with the scrambled lot texts, table
// hanzi with the stroke counts. Scrambles with the program's own code and
// refuses any text that would not come back unchanged.
#include <windows.h>

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "common/codepage.h"
#include "oracle/oracle_text.h"
#include "tools/lot_source.h"
#include "tools/stroke_source.h"

namespace {

int Fail(const std::string& message) {
  std::fprintf(stderr, "storebuild: %s\n", message.c_str());
  return 1;
}

class Store {
 public:
  explicit Store(const std::wstring& path) {
    if (sqlite3_open_v2(win::ToUtf8(path).c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK)
      Close();
  }
  Store(const Store&) = delete;
  Store& operator=(const Store&) = delete;
  ~Store() { Close(); }

  bool ok() const { return db_ != nullptr; }
  std::string LastError() const { return db_ ? sqlite3_errmsg(db_) : "cannot open"; }
  bool Exec(const char* sql) { return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) == SQLITE_OK; }

  bool InsertLot(int id, const std::string& content) {
    return Insert("INSERT INTO vesha (id, content) VALUES (?1, ?2)", [&](sqlite3_stmt* s) {
      sqlite3_bind_int(s, 1, id);
      sqlite3_bind_blob(s, 2, content.data(), static_cast<int>(content.size()), SQLITE_TRANSIENT);
    });
  }

  bool InsertStrokes(wchar_t zi, int strokes) {
    const std::string z = win::ToUtf8(std::wstring_view(&zi, 1));
    const std::string bh = std::to_string(strokes);
    return Insert("INSERT INTO hanzi (Zi, bh) VALUES (?1, ?2)", [&](sqlite3_stmt* s) {
      sqlite3_bind_text(s, 1, z.c_str(), -1, SQLITE_TRANSIENT);
      sqlite3_bind_text(s, 2, bh.c_str(), -1, SQLITE_TRANSIENT);
    });
  }

 private:
  template <class Bind>
  bool Insert(const char* sql, Bind bind) {
    sqlite3_stmt* s = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK) return false;
    bind(s);
    const bool ok = sqlite3_step(s) == SQLITE_DONE;
    sqlite3_finalize(s);
    return ok;
  }
  void Close() {
    if (db_) sqlite3_close(db_);
    db_ = nullptr;
  }

  sqlite3* db_ = nullptr;
};

constexpr const char* kSchema =
    "CREATE TABLE vesha (id INTEGER PRIMARY KEY, content BLOB NOT NULL);"
    "CREATE TABLE hanzi (Zi TEXT NOT NULL, bh TEXT NOT NULL);"
    "CREATE INDEX hanzi_Zi ON hanzi (Zi);";

std::string Scrambled(int lot, const std::wstring& text, std::string& error) {
  size_t unheld = 0;
  const auto stored = oracle::ScrambleOracleText(text, oracle::kTextKey, &unheld);
  if (!stored || oracle::DecodeOracleText(*stored, oracle::kTextKey) != text) {
    const wchar_t c = stored ? L'?' : text[unheld];
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    error = "lot " + std::to_string(lot) + ": the character " + win::ToUtf8(std::wstring_view(&c, 1)) +
            " (" + code + ") cannot be stored";
    return {};
  }
  return *stored;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return Fail("usage: storebuild <kTotalStrokes file> <lots folder> <store>");
  const std::filesystem::path strokesFile(argv[1]), lotsFolder(argv[2]), storePath(argv[3]);

  tools::LotTexts texts;
  tools::LotSourceError sourceError;
  if (!tools::ReadLotFolder(lotsFolder, texts, sourceError))
    return Fail(sourceError.where + ": " + sourceError.message);

  std::ifstream in(strokesFile, std::ios::binary);
  if (!in.is_open()) return Fail("cannot read the stroke counts");
  std::ostringstream unihan;
  unihan << in.rdbuf();
  const auto strokes = tools::ReadStrokeCounts(unihan.str());
  if (strokes.empty()) return Fail("no stroke counts found");

  // Every text is checked before anything is written.
  std::map<int, std::string> contents;
  for (const auto& [lot, text] : texts) {
    std::string error;
    contents[lot] = Scrambled(lot, text, error);
    if (!error.empty()) return Fail(error);
  }

  // Written beside the target and moved over it only when complete.
  std::filesystem::path temp = storePath;
  temp += L".tmp";
  std::error_code ec;
  std::filesystem::remove(temp, ec);
  std::string error;
  {
    Store store(temp.wstring());
    if (!store.ok() || !store.Exec(kSchema) || !store.Exec("BEGIN")) {
      error = "cannot create the store: " + store.LastError();
    } else {
      for (const auto& [lot, content] : contents)
        if (error.empty() && !store.InsertLot(lot, content)) error = "cannot write lot " + std::to_string(lot);
      for (const auto& c : strokes)
        if (error.empty() && !store.InsertStrokes(c.character, c.strokes)) error = "cannot write table hanzi";
      if (error.empty() && !store.Exec("COMMIT")) error = "cannot write the store: " + store.LastError();
    }
  }
  if (!error.empty()) {
    std::filesystem::remove(temp, ec);
    return Fail(error);
  }
  if (!::MoveFileExW(temp.c_str(), storePath.c_str(), MOVEFILE_REPLACE_EXISTING))
    return Fail("cannot replace the store");
  std::printf("storebuild: %zu lots, %zu stroke counts\n", texts.size(), strokes.size());
  return 0;
}
