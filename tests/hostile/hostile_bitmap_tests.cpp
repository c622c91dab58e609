// Spoiled board pictures: the loader's limit in-process, and the real
// program with each of its five pictures missing, broken or outsized.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
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

// A 1 x 1 PNG: a picture, but not a bitmap.
const std::string kPng(
    "\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x01\0\0\0\x01\x08\x02\0\0\0\x90wS\xde\0\0\0\x0cIDAT\x08\xd7"
    "c\xf8\xcf\xc0\0\0\x03\x01\x01\0\x18\xdd\x8d\xb0\0\0\0\0IEND\xae B`\x82",
    67);

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

// An 8-bit run-length bitmap of one colour: each row in runs of at most
// 255 pixels, so a huge picture stays a small file.
std::string Rle8Bitmap(int width, int height) {
  constexpr std::uint32_t kFileHeader = 14, kInfoHeader = 40, kColours = 1, kRle8 = 1, kBits = 8;
  constexpr int kLongestRun = 255;
  std::string data;
  for (int y = 0; y < height; ++y) {
    for (int left = width; left > 0; left -= kLongestRun) {
      data += static_cast<char>(std::min(left, kLongestRun));
      data += '\0';  // colour index 0
    }
    data += std::string("\0\0", 2);  // end of line
  }
  data += std::string("\0\1", 2);  // end of bitmap
  const std::uint32_t offset = kFileHeader + kInfoHeader + 4 * kColours;
  std::string out = "BM";
  Put(out, offset + static_cast<std::uint32_t>(data.size()), 4);
  Put(out, 0, 4);
  Put(out, offset, 4);
  Put(out, kInfoHeader, 4);
  Put(out, static_cast<std::uint32_t>(width), 4);
  Put(out, static_cast<std::uint32_t>(height), 4);
  Put(out, 1, 2);  // planes
  Put(out, kBits, 2);
  Put(out, kRle8, 4);
  Put(out, static_cast<std::uint32_t>(data.size()), 4);
  Put(out, 0, 4);  // resolution
  Put(out, 0, 4);
  Put(out, kColours, 4);
  Put(out, 0, 4);
  Put(out, 0x0000FF00, 4);  // green: the board's transparent colour
  return out + data;
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

enum class Spoil { Missing, Empty, Png, Text, OnePixel, Huge, Narrow };

struct BitmapCase {
  const wchar_t* file;
  const char* role;
  Spoil spoil;
};

const char* SpoilName(Spoil spoil) {
  switch (spoil) {
    case Spoil::Missing:
      return "Missing";
    case Spoil::Empty:
      return "Empty";
    case Spoil::Png:
      return "PngRenamed";
    case Spoil::Text:
      return "TextRenamed";
    case Spoil::OnePixel:
      return "OneByOne";
    case Spoil::Huge:
      return "TwentyThousandSquare";
    case Spoil::Narrow:
      break;
  }
  return "NarrowerThanItsCells";
}

std::vector<BitmapCase> Cases() {
  const std::pair<const wchar_t*, const char*> pictures[] = {{L"bck_001.bmp", "Tile"},
                                                             {L"m_sh.bmp", "ShipSheet"},
                                                             {L"a_large.bmp", "LargeAsteroid"},
                                                             {L"a_med.bmp", "MediumAsteroid"},
                                                             {L"a_small.bmp", "SmallAsteroid"}};
  std::vector<BitmapCase> cases;
  for (const auto& [file, role] : pictures)
    for (Spoil spoil : {Spoil::Missing, Spoil::Empty, Spoil::Png, Spoil::Text, Spoil::OnePixel, Spoil::Huge})
      cases.push_back({file, role, spoil});
  cases.push_back({L"m_sh.bmp", "ShipSheet", Spoil::Narrow});
  return cases;
}

bool SpoilFile(const ProgramCopy& copy, const BitmapCase& c) {
  switch (c.spoil) {
    case Spoil::Missing:
      return copy.Remove(c.file);
    case Spoil::Empty:
      return copy.Replace(c.file, "");
    case Spoil::Png:
      return copy.Replace(c.file, kPng);
    case Spoil::Text:
      return copy.Replace(c.file, "这不是图片，是一段文字。\r\n");
    case Spoil::OnePixel:
      return WriteSolidBmp(copy.File(c.file), 1, 1);
    case Spoil::Huge:
      return copy.Replace(c.file, Rle8Bitmap(kHugeSide, kHugeSide));
    case Spoil::Narrow:
      break;
  }
  return WriteSolidBmp(copy.File(c.file), kNarrowWidth, kNarrowHeight);
}

void PrintTo(const BitmapCase& c, std::ostream* out) { *out << c.role << " " << SpoilName(c.spoil); }

class HostileBitmap : public ::testing::TestWithParam<BitmapCase> {};

// A picture the board cannot use is left out: no message, since the user
// cannot act on it and the oracle works without it.
TEST_P(HostileBitmap, BoardRunsSilentlyInBoundedMemoryAndTheDrawShowsALot) {
  ProgramCopy copy;
  ASSERT_TRUE(SpoilFile(copy, GetParam()));
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
                           return std::string(info.param.role) + SpoilName(info.param.spoil);
                         });

}  // namespace
