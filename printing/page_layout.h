#pragma once
// Line breaking for printed Chinese text: a line may break between any two
// characters, except that closing punctuation never begins a line, opening
// punctuation never ends one, and a Latin word moves whole to the next line.
#include <functional>
#include <string_view>
#include <vector>

namespace printing {

// Cumulative widths: element i is the width of the first i + 1 characters.
using MeasureText = std::function<std::vector<int>(std::wstring_view)>;

// The lines of the text at the given width. "\r\n", "\r" and "\n" end a
// line; an empty line stays an empty line. A character wider than the whole
// width still gets a line of its own.
std::vector<std::wstring_view> WrapLines(std::wstring_view text, int width,
                                         const MeasureText& measure);

}  // namespace printing
