#pragma once
// The 64 hexagrams in the received order, read from data/hexagrams.txt,
// and the names that lot titles take from them.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tools {

inline constexpr int kHexagramCount = 64;
inline constexpr int kLinesPerHexagram = 6;

struct Hexagram {
  int number;
  std::wstring name;
  std::string pinyin;
  std::array<bool, kLinesPerHexagram> solid;  // from the bottom line up
};

// The table's rows; nothing when the file is missing or a row is malformed.
std::optional<std::vector<Hexagram>> ReadHexagramTable(const std::filesystem::path& file);

// A line's name from its kind and place: 初九 … 上九, 初六 … 上六, with
// 九二 … 九五 or 六二 … 六五 between. Position 1 is the bottom line.
std::wstring LineName(const Hexagram& h, int position);

// 1 to 999 in Chinese numerals: 十一, 二十, 一百零五, 三百八十四.
std::wstring ChineseNumber(int n);

}  // namespace tools
