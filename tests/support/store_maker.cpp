#include "support/store_maker.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "common/codepage.h"
#include "oracle/oracle_text.h"
#include "oracle/store_writer.h"

namespace testing_support {

bool WriteStore(const std::wstring& path, const std::vector<StoreLot>& lots,
                const std::vector<StoreChar>& chars) {
  std::string error;
  auto store = oracle::StoreWriter::Create(path, error);
  if (!store) return false;
  for (const auto& lot : lots) {
    const auto stored = oracle::ScrambleOracleText(lot.text, oracle::kTextKey);
    if (!stored || !store->AddLot(lot.id, *stored)) return false;
  }
  for (const auto& c : chars)
    if (!store->AddCharacter(c.zi, c.bh)) return false;
  return store->Commit();
}

bool ExecOnStore(const std::wstring& path, const std::string& sql) {
  sqlite3* raw = nullptr;
  const int rc = sqlite3_open_v2(win::ToUtf8(path).c_str(), &raw, SQLITE_OPEN_READWRITE, nullptr);
  const std::unique_ptr<sqlite3, decltype(&sqlite3_close)> db(raw, &sqlite3_close);
  return rc == SQLITE_OK && sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool LoosenStore(const std::wstring& path) {
  return ExecOnStore(path,
                     "CREATE TEMP TABLE v AS SELECT id, content FROM vesha;"
                     "CREATE TEMP TABLE h AS SELECT Zi, bh FROM hanzi;"
                     "DROP TABLE vesha; DROP TABLE hanzi;"
                     "CREATE TABLE vesha (id INTEGER, content BLOB); CREATE TABLE hanzi (Zi TEXT, bh);"
                     "INSERT INTO vesha SELECT id, content FROM v ORDER BY id;"
                     "INSERT INTO hanzi SELECT Zi, bh FROM h ORDER BY rowid;");
}

bool WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace testing_support
