#include "sprites/m_gdi.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace sprites {
namespace {

// LoadImage makes a device bitmap of width x height at the screen's depth
// from whatever size a file states: 1.6 GB for 20000 x 20000. No board
// picture comes near this limit, 64 MB at 32 bits a pixel.
constexpr long long kLargestBitmapPixels = 4096LL * 4096;

constexpr char kBitmapMagic[] = {'B', 'M'};
constexpr std::streamoff kInfoHeaderAt = 14;   // after BITMAPFILEHEADER
constexpr std::uint32_t kCoreHeaderSize = 12;  // BITMAPCOREHEADER: 16-bit sides
constexpr std::uint32_t kSmallestLongHeader = 16;

template <class T>
bool Read(std::istream& in, T& value) {
  return static_cast<bool>(in.read(reinterpret_cast<char*>(&value), sizeof value));
}

// The sides the file's header states; nothing when it has no header.
std::optional<SIZE> StatedSize(const std::wstring& sFileName) {
  std::ifstream in(std::filesystem::path(sFileName), std::ios::binary);
  char magic[sizeof kBitmapMagic] = {};
  std::uint32_t headerSize = 0;
  if (!in.read(magic, sizeof magic) || !std::equal(std::begin(magic), std::end(magic), kBitmapMagic) ||
      !in.seekg(kInfoHeaderAt) || !Read(in, headerSize))
    return std::nullopt;
  if (headerSize == kCoreHeaderSize) {
    std::uint16_t width = 0, height = 0;
    if (!Read(in, width) || !Read(in, height)) return std::nullopt;
    return SIZE{width, height};
  }
  std::int32_t width = 0, height = 0;
  if (headerSize < kSmallestLongHeader || !Read(in, width) || !Read(in, height)) return std::nullopt;
  return SIZE{width, height};
}

// A negative height is a top-down picture of that many rows.
bool WithinLimit(SIZE size) {
  const long long width = size.cx;
  const long long height = std::llabs(static_cast<long long>(size.cy));
  return width > 0 && height > 0 && width <= kLargestBitmapPixels / height;
}

// The screen's DC, the reference for colour bitmaps; none for monochrome.
win::unique_window_dc ReferenceFor(bool bMono) {
  return bMono ? win::unique_window_dc() : win::unique_window_dc(::GetDesktopWindow());
}

}  // namespace

void BitmapDC::Free() {
  selection_.reset();
  bitmap_.reset();
  dc_.reset();
}

void BitmapDC::TakeDC(win::unique_hdc dc) {
  Free();
  dc_ = std::move(dc);
}

void BitmapDC::TakeBitmap(win::unique_hbitmap bitmap) {
  selection_.reset();
  bitmap_ = std::move(bitmap);
  selection_.emplace(dc_.get(), bitmap_.get());
}

namespace mGDI {

bool CreateBitmapDC(bool bMono, BitmapDC& out, long lWidth, long lHeight) {
  const win::unique_window_dc screen = ReferenceFor(bMono);
  out.TakeDC(win::unique_hdc(::CreateCompatibleDC(screen.get())));
  if (!out.dc()) return false;
  // A new memory DC holds a 1x1 monochrome bitmap: against it, the new
  // bitmap is monochrome too.
  HDC reference = bMono ? out.dc() : screen.get();
  win::unique_hbitmap bitmap(::CreateCompatibleBitmap(reference, lWidth, lHeight));
  if (!bitmap) return false;
  out.TakeBitmap(std::move(bitmap));
  return true;
}

bool LoadBitmapDC(bool bMono, const std::wstring& sFileName, BitmapDC& out) {
  out.Free();
  const auto stated = StatedSize(sFileName);
  if (!stated || !WithinLimit(*stated)) return false;
  // The wide loader, so a program directory outside the ANSI code page works.
  win::unique_hbitmap loaded(static_cast<HBITMAP>(::LoadImageW(
      ::GetModuleHandleW(nullptr), sFileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!loaded) return false;
  const win::unique_window_dc screen = ReferenceFor(bMono);
  out.TakeDC(win::unique_hdc(::CreateCompatibleDC(screen.get())));
  if (!out.dc()) return false;
  out.TakeBitmap(std::move(loaded));
  return true;
}

bool CopyPictureDC(bool bMono, IPicture* oPic, BitmapDC& out) {
  out.Free();
  if (!oPic) return false;
  SHORT type = PICTYPE_UNINITIALIZED;
  OLE_HANDLE handle = 0;
  if (FAILED(oPic->get_Type(&type)) || type != PICTYPE_BITMAP || FAILED(oPic->get_Handle(&handle)))
    return false;
  auto* picture = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));

  const win::unique_window_dc screen = ReferenceFor(bMono);
  win::unique_hdc pictureDC(::CreateCompatibleDC(screen.get()));
  if (!pictureDC) return false;
  HDC reference = bMono ? pictureDC.get() : screen.get();
  const auto keep = win::select(pictureDC.get(), picture);

  out.TakeDC(win::unique_hdc(::CreateCompatibleDC(reference)));
  if (!out.dc()) return false;
  BITMAP info{};
  if (!::GetObjectW(picture, sizeof info, &info)) return false;
  win::unique_hbitmap copy(::CreateCompatibleBitmap(reference, info.bmWidth, info.bmHeight));
  if (!copy) return false;
  out.TakeBitmap(std::move(copy));
  ::BitBlt(out.dc(), 0, 0, info.bmWidth, info.bmHeight, pictureDC.get(), 0, 0, SRCCOPY);
  return true;
}

void FreeBitmapDC(BitmapDC& bdc) { bdc.Free(); }

}  // namespace mGDI
}  // namespace sprites
