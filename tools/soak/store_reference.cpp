#include "soak/store_reference.h"

#include <algorithm>

#include "oracle/oracle_store.h"
#include "oracle/oracle_text.h"
#include "remote/running_program.h"
#include "store/database.h"

namespace soak {
namespace {

store::Recordset Query(store::Database& db, const wchar_t* sql) {
  auto rs = db.OpenRecordset(sql);
  if (!rs) throw remote::Failure("the store beside the program cannot be queried");
  return std::move(rs).value();
}

}  // namespace

StoreReference::StoreReference(const std::wstring& appPath) {
  auto db = oracle::OpenOracleStore(appPath);
  if (!db) throw remote::Failure("the store beside the program cannot be read");
  for (auto rs = Query(*db, L"SELECT id, content FROM vesha"); !rs.AtEOF(); rs.MoveNext()) {
    const auto id = rs.Fields(L"id").value().AsString();
    const auto bytes = rs.Fields(L"content").value().AsBytes();
    if (!id || !bytes) continue;
    const auto lot = static_cast<std::int16_t>(std::stoi(*id));
    texts_[lot] = oracle::DecodeOracleText(*bytes, oracle::kTextKey);
    lots_[texts_[lot]] = lot;
  }
  for (auto rs = Query(*db, L"SELECT DISTINCT Zi FROM hanzi"); !rs.AtEOF(); rs.MoveNext()) {
    const auto zi = rs.Fields(L"Zi").value().AsString();
    if (zi && zi->size() == 1) characters_.push_back(zi->front());
  }
  // The order of the rows is the store's; sorted, a seed picks the same
  // characters from any copy of it.
  std::sort(characters_.begin(), characters_.end());
  if (texts_.empty() || characters_.empty()) throw remote::Failure("the store beside the program is empty");
}

const std::wstring& StoreReference::TextOf(std::int16_t lot) const {
  static const std::wstring kNone;
  const auto found = texts_.find(lot);
  return found == texts_.end() ? kNone : found->second;
}

std::int16_t StoreReference::LotWithText(const std::wstring& text) const {
  const auto found = lots_.find(text);
  return found == lots_.end() ? 0 : found->second;
}

}  // namespace soak
