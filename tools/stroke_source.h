#pragma once
// Stroke counts from Unihan's kTotalStrokes lines ("U+4E00<TAB>kTotalStrokes
// <TAB>1", or two counts "6 7": simplified use first, traditional second).
#include <string_view>
#include <vector>

namespace tools {

struct StrokeCount {
  wchar_t character;
  int strokes;
};

// Every count of every character that code page 936 writes in two bytes;
// other lines and characters are passed over.
std::vector<StrokeCount> ReadStrokeCounts(std::string_view unihan);

}  // namespace tools
