#include "oracle/show_lot.h"

#include <optional>
#include <string>

#include "oracle/oracle_store.h"
#include "oracle/oracle_text.h"

namespace oracle {

void ShowLot(LotView& form, const std::int16_t& lot) {
  auto db = OpenOracleStore(form.AppPath());

  std::optional<store::Recordset> rs;
  if (db) {
    auto opened = db->OpenRecordset(L"SELECT content FROM vesha WHERE id=" + std::to_wstring(lot),
                                    store::dbOpenSnapshot);
    if (opened) rs.emplace(std::move(opened).value());
  }

  form.SetTextVisible(true);

  std::wstring displayText;
  if (rs) {
    if (auto content = rs->Fields(L"content")) {
      if (auto bytes = content->AsBytes()) displayText = DecodeOracleText(*bytes, kTextKey);
    }
  }
  form.SetText(displayText);
  form.SetMenuBarVisible(true);
}

}  // namespace oracle
