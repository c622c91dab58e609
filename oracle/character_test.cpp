#include "oracle/character_test.h"

#include <vector>

#include "common/numbers.h"
#include "oracle/lot_numbers.h"
#include "oracle/oracle_store.h"

namespace oracle {
namespace {

constexpr std::wstring_view kConnect = L"; pwd= 52804163 ";
// The typed character is bound to the "?", so no text can change the query.
constexpr std::wstring_view kStrokeQuery = L"SELECT bh FROM hanzi WHERE  Zi=?  ORDER BY clng(bh) ";

}  // namespace

std::variant<std::int16_t, CharacterRefusal> LotOfCharacters(const std::wstring& appPath,
                                                              std::wstring_view characters) {
  if (characters.empty()) return CharacterRefusal{CharacterRefusal::NoCharacters};
  auto db = OpenOracleStore(appPath, kConnect);
  if (!db) return CharacterRefusal{CharacterRefusal::StoreUnreadable};

  auto qd = db->CreateQueryDef(L"", kStrokeQuery);
  if (!qd) return CharacterRefusal{CharacterRefusal::StoreUnreadable};
  auto ziParameter = qd->Parameters(0);
  if (!ziParameter) return CharacterRefusal{CharacterRefusal::StoreUnreadable};

  std::vector<std::uint64_t> strokes;
  for (const wchar_t zi : characters) {
    *ziParameter.value() = store::Value(std::wstring(1, zi));
    auto rs = qd->OpenRecordset(store::dbOpenSnapshot);
    if (!rs) return CharacterRefusal{CharacterRefusal::StrokeCountUnreadable, zi};
    if (rs->AtEOF()) return CharacterRefusal{CharacterRefusal::CharacterMissing, zi};
    auto field = rs->Fields(L"bh");
    const auto bh = field ? field->AsString() : std::nullopt;
    // A count too long for 64 bits is as unreadable as one with a letter in it.
    const auto count = bh ? num::ParseCount(*bh) : std::nullopt;
    if (!count) return CharacterRefusal{CharacterRefusal::StrokeCountUnreadable, zi};
    strokes.push_back(*count);
  }
  return LotOfStrokeCounts(strokes);
}

}  // namespace oracle
