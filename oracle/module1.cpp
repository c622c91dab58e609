#include "module1.h"

#include <optional>
#include <string>

#include "dao/dao_engine.h"
#include "oracle_text.h"

namespace oracle {

void ShowLot(LotView& form, const std::int16_t& lot) {
  std::optional<dao::Database> db;
  if (auto ws = dao::DBEngine().Workspaces(0)) {
    auto opened = ws.value()->OpenDatabase(form.AppPath() + std::wstring(kStoreFileName));
    if (opened) db.emplace(std::move(opened).value());
  }

  std::optional<dao::Recordset> rs;
  if (db) {
    auto opened = db->OpenRecordset(L"SELECT content FROM vesha WHERE id=" + std::to_wstring(lot),
                                    dao::dbOpenSnapshot);
    if (opened) rs.emplace(std::move(opened).value());
  }

  form.SetMaintxtVisible(true);

  std::wstring displayText;
  if (rs) {
    if (auto content = rs->Fields(L"content")) {
      if (auto bytes = content->AsBytes()) displayText = DecodeOracleText(*bytes, kTextKey);
    }
  }
  form.SetMaintxtText(displayText);
  form.SetMnupopupVisible(true);
}

}  // namespace oracle
