// lotodds: the odds of every lot under the three ways of obtaining one,
// worked out from a store with the program's own lot rules
// (oracle/lot_numbers.h) and written as the HTML fragment that the user's
// guide, package/guide.html.in, carries between its two markers.
//
//   lotodds STORE                 prints the fragment with its markers
//   lotodds STORE --check GUIDE   exit code 0 when GUIDE holds exactly it
//   lotodds STORE --update GUIDE  puts it into GUIDE between the markers
//
// When the lot texts or the stroke counts change, the test
// GuideOddsMatchTheStore fails until the guide is refreshed: build, then,
// from the source folder, with the store that build made,
//   tools/wine-exec.sh x86_64 build/x86_64/tools/lotodds.exe build/x86_64/bin/veshalib.mdb --update package/guide.html.in
// and read the change before committing it.
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/codepage.h"
#include "common/numbers.h"
#include "oracle/lot_numbers.h"
#include "oracle/oracle_text.h"
#include "store/engine.h"

namespace {

using oracle::kLotCount;

constexpr int kDiffers = 1;
constexpr int kCannotRun = 2;

constexpr std::string_view kBeginMarker = "<!-- lot odds: begin -->";
constexpr std::string_view kEndMarker = "<!-- lot odds: end -->";
constexpr size_t kShownDifferences = 10;

constexpr int kMaxCharacters = 3;  // what the character test window takes
constexpr int kDieFaces = 6;
// The program's generator draws multiples of 2^-53 (app/random_source.cpp).
constexpr int kDrawGridBits = 53;
constexpr std::uint64_t kDrawGrid = std::uint64_t{1} << kDrawGridBits;

// A lot's first line: "第一签　乾　初九　中签", fields apart by an ideographic blank.
constexpr wchar_t kHeadingBlank = L'\u3000';
constexpr size_t kHexagramField = 1;
constexpr size_t kLineField = 2;

constexpr double kPercent = 100;
constexpr const char* kPercentFormat = "%.4f";
constexpr const char* kOddsFormat = "%.0f";
constexpr size_t kNumberText = 32;
constexpr size_t kShortestRange = 3;  // shorter runs of lots are listed one by one

// Indexed by lot number; index 0 is unused.
using LotCounts = std::array<std::uint64_t, kLotCount + 1>;
using LotSet = std::bitset<kLotCount + 1>;

struct StoreFacts {
  std::uint64_t characters = 0;
  std::vector<std::uint64_t> smallestCounts;  // each count once, ascending
  std::array<std::string, kLotCount + 1> lineNames;  // UTF-8, empty when unknown
};

struct Odds {
  LotCounts draw{};  // grid points of the generator per lot
  std::array<LotSet, kMaxCharacters + 1> reachable{};  // by number of characters
  LotCounts dice{};
  std::uint64_t diceOutcomes = 0;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "lotodds: %s\n", message.c_str());
  return kCannotRun;
}

std::optional<std::uint64_t> FieldCount(const store::Recordset& rs, std::wstring_view name) {
  auto field = rs.Fields(name);
  const auto text = field ? field->AsString() : std::nullopt;
  return text ? num::ParseCount(*text) : std::nullopt;
}

// "乾 初九" from the lot's text.
std::string LineName(const std::wstring& text) {
  const std::wstring heading = text.substr(0, text.find(L'\r'));
  std::vector<std::wstring> fields;
  for (size_t start = 0;;) {
    const size_t blank = heading.find(kHeadingBlank, start);
    fields.push_back(heading.substr(start, blank - start));
    if (blank == std::wstring::npos) break;
    start = blank + 1;
  }
  if (fields.size() <= kLineField) return {};
  return win::ToUtf8(fields[kHexagramField] + L" " + fields[kLineField]);
}

// The smallest count of each character, as the character test reads it.
constexpr std::wstring_view kSmallestCountsQuery =
    L"SELECT smallest, COUNT(*) AS characters FROM "
    L"(SELECT MIN(clng(bh)) AS smallest FROM hanzi GROUP BY Zi) GROUP BY smallest ORDER BY smallest";
constexpr std::wstring_view kLotsQuery = L"SELECT id, content FROM vesha";

// Each reader gives false, with what went wrong in error, when its table
// cannot be read.
bool ReadCounts(store::Database& db, StoreFacts& facts, std::string& error) {
  auto counts = db.OpenRecordset(kSmallestCountsQuery);
  if (!counts) {
    error = "cannot read table hanzi: " + win::ToUtf8(counts.error().description);
    return false;
  }
  for (; !counts->AtEOF(); counts->MoveNext()) {
    const auto smallest = FieldCount(counts.value(), L"smallest");
    const auto characters = FieldCount(counts.value(), L"characters");
    if (!smallest || !characters) {
      error = "table hanzi holds a stroke count that is no whole number";
      return false;
    }
    facts.smallestCounts.push_back(*smallest);
    facts.characters += *characters;
  }
  return true;
}

bool ReadLineNames(store::Database& db, StoreFacts& facts, std::string& error) {
  auto lots = db.OpenRecordset(kLotsQuery);
  if (!lots) {
    error = "cannot read table vesha: " + win::ToUtf8(lots.error().description);
    return false;
  }
  for (; !lots->AtEOF(); lots->MoveNext()) {
    const auto id = FieldCount(lots.value(), L"id");
    auto content = lots->Fields(L"content");
    const auto bytes = content ? content->AsBytes() : std::nullopt;
    if (id && *id >= 1 && *id <= static_cast<std::uint64_t>(kLotCount) && bytes)
      facts.lineNames[*id] = LineName(oracle::DecodeOracleText(*bytes, oracle::kTextKey));
  }
  return true;
}

std::optional<StoreFacts> ReadStore(const std::wstring& path, std::string& error) {
  auto ws = store::DBEngine().Workspaces(0);
  auto db = ws ? ws.value()->OpenDatabase(path) : store::Result<store::Database>(ws.error());
  if (!db) {
    error = "cannot open the store " + win::ToUtf8(path) + ": " + win::ToUtf8(db.error().description);
    return std::nullopt;
  }
  StoreFacts facts;
  if (!ReadCounts(db.value(), facts, error) || !ReadLineNames(db.value(), facts, error)) return std::nullopt;
  return facts;
}

// By r, the draw's lots climb 384 (r times 384 rounds to 0), 1, 2 ... 383,
// 384; that first 384 ranks 0, so the ranks climb and can be bisected.
int DrawRank(std::uint64_t gridPoint) {
  const int lot = oracle::LotOfDraw(std::ldexp(static_cast<double>(gridPoint), -kDrawGridBits));
  return lot == kLotCount && gridPoint < kDrawGrid / 2 ? 0 : lot;
}

std::uint64_t FirstOfRank(int rank) {
  std::uint64_t low = 0;
  std::uint64_t high = kDrawGrid;
  while (low < high) {
    const std::uint64_t middle = low + (high - low) / 2;
    if (DrawRank(middle) < rank) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return low;
}

LotCounts DrawCounts() {
  LotCounts counts{};
  std::uint64_t start = FirstOfRank(1);
  counts[kLotCount] = start;  // the low end, where r times 384 rounds to 0
  for (int lot = 1; lot <= kLotCount; ++lot) {
    const std::uint64_t next = lot < kLotCount ? FirstOfRank(lot + 1) : kDrawGrid;
    counts[lot] += next - start;
    start = next;
  }
  return counts;
}

// Every choice of one to three counts, repeats allowed: all a user can type.
void Reach(const std::vector<std::uint64_t>& counts, std::vector<std::uint64_t>& typed,
           std::array<LotSet, kMaxCharacters + 1>& reachable) {
  if (!typed.empty()) reachable[typed.size()].set(static_cast<size_t>(oracle::LotOfStrokeCounts(typed)));
  if (typed.size() == kMaxCharacters) return;
  for (std::uint64_t count : counts) {
    typed.push_back(count);
    Reach(counts, typed, reachable);
    typed.pop_back();
  }
}

Odds WorkOut(const StoreFacts& store) {
  Odds odds;
  odds.draw = DrawCounts();
  std::vector<std::uint64_t> typed;
  Reach(store.smallestCounts, typed, odds.reachable);

  std::vector<std::int32_t> castSums;  // one entry per equally likely cast of two dice
  for (int first = 1; first <= kDieFaces; ++first)
    for (int second = 1; second <= kDieFaces; ++second) castSums.push_back(first + second);
  for (std::int32_t s1 : castSums)
    for (std::int32_t s2 : castSums)
      for (std::int32_t s3 : castSums) {
        const std::array<std::int32_t, oracle::kDiceCasts> sums = {s1, s2, s3};
        ++odds.dice[static_cast<size_t>(oracle::LotOfDiceSums(sums).value())];
        ++odds.diceOutcomes;
      }
  return odds;
}

std::string Number(const char* format, double value) {
  char text[kNumberText];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Percent(std::uint64_t part, std::uint64_t whole) {
  return Number(kPercentFormat, kPercent * static_cast<double>(part) / static_cast<double>(whole)) + "%";
}

std::string OneIn(std::uint64_t part, std::uint64_t whole) {
  return "1/" + Number(kOddsFormat, static_cast<double>(whole) / static_cast<double>(part));
}

// "第 22、36、306–320 签", runs of three or more lots as ranges.
std::string LotList(const std::vector<int>& lots) {
  std::string text = "第 ";
  for (size_t i = 0; i < lots.size();) {
    size_t end = i + 1;
    while (end < lots.size() && lots[end] == lots[end - 1] + 1) ++end;
    if (i > 0) text += "、";
    if (end - i >= kShortestRange) {
      text += std::to_string(lots[i]) + "–" + std::to_string(lots[end - 1]);
    } else {
      text += std::to_string(lots[i]);
      if (end - i > 1) text += "、" + std::to_string(lots[i + 1]);
    }
    i = end;
  }
  return text + " 签";
}

std::vector<int> Lots(const LotSet& set, bool member) {
  std::vector<int> lots;
  for (int lot = 1; lot <= kLotCount; ++lot)
    if (set.test(static_cast<size_t>(lot)) == member) lots.push_back(lot);
  return lots;
}

std::vector<int> LotsWithCount(const LotCounts& counts, std::uint64_t count) {
  std::vector<int> lots;
  for (int lot = 1; lot <= kLotCount; ++lot)
    if (counts[lot] == count) lots.push_back(lot);
  return lots;
}

std::string Escaped(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void WriteDraw(std::ostream& out, const Odds& odds) {
  std::uint64_t fewest = kDrawGrid;
  std::uint64_t most = 0;
  for (int lot = 1; lot <= kLotCount; ++lot) {
    fewest = std::min(fewest, odds.draw[lot]);
    most = std::max(most, odds.draw[lot]);
  }
  // Shown as one figure when the lots' shares differ too little to print.
  const std::string likeliest = OneIn(most, kDrawGrid);
  const std::string rarest = OneIn(fewest, kDrawGrid);
  const std::string chance = likeliest == rarest ? likeliest : likeliest + " 至 " + rarest;
  out << "<h3>抽一支签</h3>\n<p>每支签的机会都是 " << chance << "（约 " << Percent(most, kDrawGrid)
      << "）。程序的随机数是 2<sup>" << kDrawGridBits
      << "</sup> 个等距取值之一；按抽签的规则找出每支签的取值范围，各签分到 " << fewest << " 至 " << most
      << " 个取值。</p>\n";
}

void WriteCharacters(std::ostream& out, const StoreFacts& store, const Odds& odds) {
  out << "<h3>测字</h3>\n<p>字库收有 " << store.characters << " 个字，按各字最少的笔画数算，共有 "
      << store.smallestCounts.size() << " 种笔画数";
  if (!store.smallestCounts.empty())
    out << "（" << store.smallestCounts.front() << " 至 " << store.smallestCounts.back() << " 画）";
  out << "。</p>\n<table>\n<tr><th>字数</th><th>能测得的签</th><th>明细</th></tr>\n";
  LotSet all;
  for (int characters = 1; characters <= kMaxCharacters; ++characters) {
    const LotSet& reached = odds.reachable[characters];
    all |= reached;
    const std::vector<int> hit = Lots(reached, true);
    const std::vector<int> missing = Lots(reached, false);
    out << "<tr><td>" << characters << " 个字</td><td>" << hit.size() << " 支</td><td>";
    // Whichever list is shorter.
    if (hit.empty()) {
      out << "无";
    } else if (hit.size() <= missing.size()) {
      out << "可得" << LotList(hit);
    } else {
      out << "得不到" << LotList(missing);
    }
    out << "</td></tr>\n";
  }
  const std::vector<int> missed = Lots(all, false);
  out << "</table>\n<p>一至三个字合计能测得 " << kLotCount - missed.size() << " 支签（共 " << kLotCount
      << " 支）";
  if (missed.empty()) {
    out << "。</p>\n";
  } else {
    out << "，测不到的是" << LotList(missed) << "。</p>\n";
  }
}

void WriteDiceExtreme(std::ostream& out, const Odds& odds, std::uint64_t count) {
  out << LotList(LotsWithCount(odds.dice, count)) << "：" << count << "/" << odds.diceOutcomes << "，约 "
      << Percent(count, odds.diceOutcomes) << "，即 " << OneIn(count, odds.diceOutcomes);
}

void WriteDice(std::ostream& out, const Odds& odds) {
  std::uint64_t fewest = odds.diceOutcomes;
  std::uint64_t most = 0;
  for (int lot = 1; lot <= kLotCount; ++lot) {
    fewest = std::min(fewest, odds.dice[lot]);
    most = std::max(most, odds.dice[lot]);
  }
  out << "<h3>掷骰</h3>\n<p>两枚骰子掷三次，共有 " << odds.diceOutcomes
      << " 种同样可能的结果；逐一按掷骰的规则算出签号。最常见的是";
  WriteDiceExtreme(out, odds, most);
  out << "；最少见的是";
  WriteDiceExtreme(out, odds, fewest);
  out << "。</p>\n";
}

void WriteTable(std::ostream& out, const StoreFacts& store, const Odds& odds) {
  LotSet reachable;
  for (const LotSet& reached : odds.reachable) reachable |= reached;
  out << "<h3>各签一览</h3>\n<table class=\"odds\">\n"
         "<tr><th>签号</th><th>卦爻</th><th>掷骰概率</th><th>约合</th><th>测字能得</th></tr>\n";
  for (int lot = 1; lot <= kLotCount; ++lot) {
    const std::uint64_t cast = odds.dice[lot];
    out << "<tr><td>" << lot << "</td><td>" << Escaped(store.lineNames[lot]) << "</td><td>"
        << Percent(cast, odds.diceOutcomes) << "</td><td>" << (cast ? OneIn(cast, odds.diceOutcomes) : "—")
        << "</td><td>" << (reachable.test(static_cast<size_t>(lot)) ? "能" : "不能") << "</td></tr>\n";
  }
  out << "</table>\n";
}

// What stands between the markers: a line break, then whole lines.
std::string Fragment(const StoreFacts& store, const Odds& odds) {
  std::ostringstream out;
  out << "\n";
  WriteDraw(out, odds);
  WriteCharacters(out, store, odds);
  WriteDice(out, odds);
  WriteTable(out, store, odds);
  return out.str();
}

std::vector<std::string> Lines(std::string_view text) {
  std::vector<std::string> lines;
  std::istringstream in{std::string(text)};
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The guide's text between the markers, with where it begins and ends.
struct Between {
  size_t begin;
  size_t end;
};

std::optional<Between> FindFigures(const std::string& guide) {
  const size_t begin = guide.find(kBeginMarker);
  if (begin == std::string::npos) return std::nullopt;
  const size_t end = guide.find(kEndMarker, begin);
  if (end == std::string::npos) return std::nullopt;
  return Between{begin + kBeginMarker.size(), end};
}

int Check(const std::string& guide, const std::string& fragment) {
  const auto figures = FindFigures(guide);
  if (!figures) {
    std::fprintf(stderr, "lotodds: the guide has no figures between \"%s\" and \"%s\"\n",
                 std::string(kBeginMarker).c_str(), std::string(kEndMarker).c_str());
    return kDiffers;
  }
  const std::string_view found(guide.data() + figures->begin, figures->end - figures->begin);
  if (found == fragment) return 0;
  const auto guideLines = Lines(found);
  const auto storeLines = Lines(fragment);
  size_t shown = 0;
  for (size_t i = 0; i < std::max(guideLines.size(), storeLines.size()) && shown < kShownDifferences; ++i) {
    const std::string had = i < guideLines.size() ? guideLines[i] : "(nothing)";
    const std::string wanted = i < storeLines.size() ? storeLines[i] : "(nothing)";
    if (had == wanted) continue;
    std::printf("line %zu of the figures\n  guide: %s\n  store: %s\n", i + 1, had.c_str(), wanted.c_str());
    ++shown;
  }
  std::printf("the guide's figures (%zu lines) differ from the store's (%zu lines); refresh them with --update\n",
              guideLines.size(), storeLines.size());
  return kDiffers;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The fragment goes out byte for byte: no CR before each LF.
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring_view mode = argc == 4 ? argv[2] : L"";
  if (argc != 2 && mode != L"--check" && mode != L"--update")
    return Fail("usage: lotodds STORE [--check GUIDE | --update GUIDE]");

  std::string error;
  const auto store = ReadStore(argv[1], error);
  if (!store) return Fail(error);
  const std::string fragment = Fragment(*store, WorkOut(*store));
  if (argc == 2) {
    const std::string block = std::string(kBeginMarker) + fragment + std::string(kEndMarker) + "\n";
    std::fwrite(block.data(), 1, block.size(), stdout);
    return 0;
  }

  const std::filesystem::path guidePath(argv[3]);
  std::ifstream in(guidePath, std::ios::binary);
  if (!in.is_open()) return Fail("cannot read the guide " + win::ToUtf8(guidePath.wstring()));
  std::ostringstream text;
  text << in.rdbuf();
  std::string guide = text.str();
  if (mode == L"--check") return Check(guide, fragment);

  const auto figures = FindFigures(guide);
  if (!figures) return Fail("the guide has no markers for the figures");
  guide.replace(figures->begin, figures->end - figures->begin, fragment);
  in.close();
  std::ofstream out(guidePath, std::ios::binary | std::ios::trunc);
  if (!(out << guide)) return Fail("cannot write the guide");
  return 0;
}
