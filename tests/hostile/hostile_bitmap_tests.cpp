// Spoiled board pictures: the real program with each of its five pictures
// missing, broken or outsized.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "hostile/program_session.h"
#include "remote/process_usage.h"
#include "support/program_copy.h"

namespace {

using testing_support::ProgramCopy;

constexpr int kHugeSide = 20000;
constexpr int kShipCells = 12;
// The program's own use is tens of MB; one board picture made at the
// screen's depth from 20000 x 20000 pixels would be 1.6 GB.
constexpr std::uint64_t kPrivateBytesLimit = 400ULL << 20;
constexpr WORD kBitmapSignature = 'B' | 'M' << 8;

// A 1 x 1 PNG: a picture, but not a bitmap.
const std::string kPng(
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90wS\xde\0\0\0\x0cIDAT\x08\xd7"
    "c\xf8\xcf\xc0\0\0\x03\x01\x01\0\x18\xdd\x8d\xb0\0\0\0\0IEND\xae B`\x82",
    67);

template <class T>
std::string BytesOf(const T& header) {
  return std::string(reinterpret_cast<const char*>(&header), sizeof header);
}

// An 8-bit run-length bitmap of one colour, green, the board's transparent
// colour: each row in runs of at most 255 pixels, so a huge picture stays
// a small file.
std::string Rle8Bitmap(int width, int height) {
  constexpr int kLongestRun = 255;
  const std::string endOfLine("\0\0", 2), endOfBitmap("\0\1", 2);
  std::string data;
  for (int y = 0; y < height; ++y) {
    for (int left = width; left > 0; left -= kLongestRun)
      data += {static_cast<char>(std::min(left, kLongestRun)), '\0'};  // the run's length, colour 0
    data += endOfLine;
  }
  data += endOfBitmap;
  const RGBQUAD green{0, UCHAR_MAX, 0, 0};
  const BITMAPINFOHEADER info{sizeof(BITMAPINFOHEADER), width, height, 1, CHAR_BIT, BI_RLE8,
                              static_cast<DWORD>(data.size()), 0, 0, 1, 0};
  const DWORD offset = sizeof(BITMAPFILEHEADER) + sizeof info + sizeof green;
  const BITMAPFILEHEADER file{kBitmapSignature, static_cast<DWORD>(offset + data.size()), 0, 0, offset};
  return BytesOf(file) + BytesOf(info) + BytesOf(green) + data;
}

// The program directory's five pictures, each spoiled each way: its bytes
// replaced, or it is missing. A ship sheet narrower than its cells has
// cells of no width, which must draw nothing, safely.
struct BitmapCase {
  std::wstring file;
  std::string name;
  std::optional<std::string> bytes;
};

std::vector<BitmapCase> Cases() {
  const std::pair<const char*, std::optional<std::string>> spoils[] = {
      {"Missing", std::nullopt},  {"Empty", ""}, {"PngRenamed", kPng}, {"TextRenamed", "这不是图片，是一段文字。\r\n"},
      {"OneByOne", Rle8Bitmap(1, 1)}, {"TwentyThousandSquare", Rle8Bitmap(kHugeSide, kHugeSide)}};
  const std::pair<const wchar_t*, const char*> pictures[] = {{L"bck_001.bmp", "Tile"},
                                                             {L"m_sh.bmp", "ShipSheet"},
                                                             {L"a_large.bmp", "LargeAsteroid"},
                                                             {L"a_med.bmp", "MediumAsteroid"},
                                                             {L"a_small.bmp", "SmallAsteroid"}};
  std::vector<BitmapCase> cases;
  for (const auto& [file, role] : pictures)
    for (const auto& [spoil, bytes] : spoils) cases.push_back({file, std::string(role) + spoil, bytes});
  cases.push_back({L"m_sh.bmp", "ShipSheetNarrowerThanItsCells", Rle8Bitmap(kShipCells - 1, 1)});
  return cases;
}

void PrintTo(const BitmapCase& c, std::ostream* out) { *out << c.name; }

class HostileBitmap : public ::testing::TestWithParam<BitmapCase> {};

// A picture the board cannot use is left out: no message, since the user
// cannot act on it and the oracle works without it.
TEST_P(HostileBitmap, BoardRunsSilentlyInBoundedMemoryAndTheDrawShowsALot) {
  const BitmapCase& c = GetParam();
  ProgramCopy copy;
  ASSERT_TRUE(c.bytes ? copy.Replace(c.file, *c.bytes) : copy.Remove(c.file));
  copy.Record();
  hostile::ProgramSession session(copy.Exe());
  ASSERT_TRUE(session.Answers());
  EXPECT_EQ(session.TakeMessage(), std::nullopt);
  const auto usage = remote::UsageOf(session.program().process(), session.program().pid());
  EXPECT_LT(usage.privateBytes, kPrivateBytesLimit);
  const auto draw = session.Draw();
  EXPECT_EQ(draw.message, std::nullopt);
  ASSERT_TRUE(draw.shown);
  EXPECT_THAT(*draw.shown, ::testing::StartsWith(L"第"));
  EXPECT_TRUE(session.Answers());
  session.program().Close();
  EXPECT_THAT(copy.Changes(), ::testing::IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(EveryPicture, HostileBitmap, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<BitmapCase>& info) { return info.param.name; });

}  // namespace
