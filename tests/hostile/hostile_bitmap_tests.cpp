// Spoiled board pictures: the loader's limit in-process, and the real
// program with each of its five pictures missing, broken or outsized.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "hostile/program_session.h"
#include "remote/process_usage.h"
#include "sprites/c_sprite_bitmaps.h"
#include "sprites/m_gdi.h"
#include "support/program_copy.h"
#include "support/store_maker.h"
#include "support/temp_dir.h"
#include "tools/bmp_file.h"

namespace {

using testing_support::ProgramCopy;

constexpr int kHugeSide = 20000;
constexpr int kShipCells = 12;
constexpr int kNarrowWidth = kShipCells - 1;
constexpr int kNarrowHeight = 8;
// The program's own use is tens of MB; one board picture made at the
// screen's depth from 20000 x 20000 pixels would be 1.6 GB.
constexpr std::uint64_t kPrivateBytesLimit = 400ULL << 20;
constexpr ULONGLONG kRefusalMs = 1000;
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

bool WriteSolidBmp(const std::wstring& file, int width, int height) {
  return tools::WriteBmp(file, width, height,
                         std::vector<tools::Pixel>(static_cast<size_t>(width) * height, {255, 0, 0}));
}

TEST(HostileBitmapLoader, RefusesAPictureBeyondTheLimitWithoutMakingIt) {
  testing_support::TempDir dir;
  const std::wstring file = dir.File(L"huge.bmp");
  ASSERT_TRUE(testing_support::WriteFile(file, Rle8Bitmap(kHugeSide, kHugeSide)));
  sprites::BitmapDC bdc;
  const ULONGLONG start = ::GetTickCount64();
  EXPECT_FALSE(sprites::mGDI::LoadBitmapDC(false, file, bdc));
  EXPECT_LT(::GetTickCount64() - start, kRefusalMs);
  EXPECT_EQ(bdc.dc(), nullptr);

  ASSERT_TRUE(testing_support::WriteFile(file, Rle8Bitmap(kShipCells, 1)));
  EXPECT_TRUE(sprites::mGDI::LoadBitmapDC(false, file, bdc)) << "the same kind of file, of a sane size";
}

// Cells of no width draw nothing, and draw it safely.
TEST(HostileBitmapLoader, ASheetNarrowerThanItsCellsHasEmptyCells) {
  testing_support::TempDir dir;
  sprites::BitmapDC stage;
  ASSERT_TRUE(sprites::mGDI::CreateBitmapDC(false, stage, kShipCells, kNarrowHeight));
  for (const auto& [width, height] : {std::pair{kNarrowWidth, kNarrowHeight}, std::pair{1, 1}}) {
    const std::wstring file = dir.File(L"sheet.bmp");
    ASSERT_TRUE(WriteSolidBmp(file, width, height));
    sprites::cSpriteBitmaps sheet;
    sheet.CreateFromFile(file, kShipCells, 1, L"", RGB(0, 255, 0));
    EXPECT_EQ(sheet.CellWidth(), 0) << width;
    for (long cell = 1; cell <= kShipCells; ++cell) {
      sheet.TransparentDraw(stage.dc(), 0, 0, cell);
      sheet.TransparentDraw(stage.dc(), 0, 0, cell, false);
    }
  }
}

// One way to spoil a picture of the program directory.
struct Spoil {
  const char* name;
  std::function<bool(const ProgramCopy&, const wchar_t* file)> apply;
};

const Spoil kSpoils[] = {
    {"Missing", [](const ProgramCopy& c, const wchar_t* f) { return c.Remove(f); }},
    {"Empty", [](const ProgramCopy& c, const wchar_t* f) { return c.Replace(f, ""); }},
    {"PngRenamed", [](const ProgramCopy& c, const wchar_t* f) { return c.Replace(f, kPng); }},
    {"TextRenamed", [](const ProgramCopy& c, const wchar_t* f) { return c.Replace(f, "这不是图片，是一段文字。\r\n"); }},
    {"OneByOne", [](const ProgramCopy& c, const wchar_t* f) { return WriteSolidBmp(c.File(f), 1, 1); }},
    {"TwentyThousandSquare",
     [](const ProgramCopy& c, const wchar_t* f) { return c.Replace(f, Rle8Bitmap(kHugeSide, kHugeSide)); }},
};
const Spoil kNarrowSheet = {"NarrowerThanItsCells", [](const ProgramCopy& c, const wchar_t* f) {
                              return WriteSolidBmp(c.File(f), kNarrowWidth, kNarrowHeight);
                            }};

struct BitmapCase {
  const wchar_t* file;
  const char* role;
  const Spoil* spoil;
};

std::vector<BitmapCase> Cases() {
  const std::pair<const wchar_t*, const char*> pictures[] = {{L"bck_001.bmp", "Tile"},
                                                             {L"m_sh.bmp", "ShipSheet"},
                                                             {L"a_large.bmp", "LargeAsteroid"},
                                                             {L"a_med.bmp", "MediumAsteroid"},
                                                             {L"a_small.bmp", "SmallAsteroid"}};
  std::vector<BitmapCase> cases;
  for (const auto& [file, role] : pictures)
    for (const Spoil& spoil : kSpoils) cases.push_back({file, role, &spoil});
  cases.push_back({L"m_sh.bmp", "ShipSheet", &kNarrowSheet});
  return cases;
}

void PrintTo(const BitmapCase& c, std::ostream* out) { *out << c.role << " " << c.spoil->name; }

class HostileBitmap : public ::testing::TestWithParam<BitmapCase> {};

// A picture the board cannot use is left out: no message, since the user
// cannot act on it and the oracle works without it.
TEST_P(HostileBitmap, BoardRunsSilentlyInBoundedMemoryAndTheDrawShowsALot) {
  ProgramCopy copy;
  ASSERT_TRUE(GetParam().spoil->apply(copy, GetParam().file));
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
                         [](const ::testing::TestParamInfo<BitmapCase>& info) {
                           return std::string(info.param.role) + info.param.spoil->name;
                         });

}  // namespace
