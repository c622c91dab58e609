#include "oracle/show_lot.h"

#include <optional>
#include <string>

#include "oracle/oracle_store.h"
#include "oracle/oracle_text.h"

namespace oracle {
namespace {

// A lot's text runs to a few hundred characters. Megabytes are no lot's
// text, and the text view would take many seconds to lay them out.
constexpr size_t kLongestStoredText = 64 * 1024;

}  // namespace

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
      auto bytes = content->AsBytes();
      if (bytes && bytes->size() <= kLongestStoredText) displayText = DecodeOracleText(*bytes, kTextKey);
    }
  }
  form.SetText(displayText);
  form.SetMenuBarVisible(true);
}

}  // namespace oracle
