#include "dicectl/dice_persist.h"

#include <cstdint>
#include <utility>

#include "common/com_ptr.h"
#include "dicectl/com_call.h"
#include "dicectl/dice.h"
#include "dicectl/tumbix.h"

namespace dicectl {
namespace {

constexpr const wchar_t* kHalfChanceKey = L"HalfChance";
constexpr const wchar_t* kResizeableKey = L"Resizeable";
constexpr bool kDefaultResizeable = true;

// The stream form: a format number, then HalfChance and Resizeable.
constexpr std::uint32_t kStreamFormat = 1;
struct StreamRecord {
  std::uint32_t format;
  std::int32_t halfChance;
  VARIANT_BOOL resizeable;
};

HRESULT ReadExactly(IStream* stream, void* data, ULONG size) {
  ULONG read = 0;
  const HRESULT hr = stream->Read(data, size, &read);
  if (FAILED(hr)) return hr;
  return read == size ? S_OK : STG_E_READFAULT;
}

// value holds the key's default, of the type wanted; it is replaced only by
// a value the bag read and that converts. An empty answer is no value: it
// would convert to 0 and False. The bag is asked with the default in place,
// so a bag that answers without writing leaves it.
void ReadInto(IPropertyBag* bag, IErrorLog* log, const wchar_t* key, VARIANT& value) {
  win::unique_variant read;
  if (FAILED(::VariantCopy(read.get(), &value)) || FAILED(bag->Read(key, read.get(), log))) return;
  if (V_VT(read.get()) == VT_EMPTY || FAILED(::VariantChangeType(read.get(), read.get(), 0, V_VT(&value)))) return;
  std::swap(*read.get(), value);
}

}  // namespace

STDMETHODIMP DicePersist::GetClassID(CLSID* clsid) {
  return ComCall([&] {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Dice;
    return S_OK;
  });
}

STDMETHODIMP DicePersist::InitNew() {
  return ComCall([&] {
    if (state_ == State::Loaded) return E_UNEXPECTED;
    state_ = State::New;
    dice_.SetDirty(false);
    return S_OK;
  });
}

STDMETHODIMP DicePersist::IsDirty() {
  return ComCall([&] { return dice_.IsDirty() ? S_OK : S_FALSE; });
}

STDMETHODIMP DicePersist::Load(IStream* stream) {
  return ComCall([&] {
    if (!stream) return E_POINTER;
    if (state_ == State::New) return E_UNEXPECTED;
    StreamRecord record{};
    HRESULT hr = ReadExactly(stream, &record.format, sizeof record.format);
    if (SUCCEEDED(hr) && record.format != kStreamFormat) hr = STG_E_OLDFORMAT;
    if (SUCCEEDED(hr)) hr = ReadExactly(stream, &record.halfChance, sizeof record.halfChance);
    if (SUCCEEDED(hr)) hr = ReadExactly(stream, &record.resizeable, sizeof record.resizeable);
    if (FAILED(hr)) return hr;
    dice_.ReadProperties(record.halfChance, record.resizeable != VARIANT_FALSE);
    dice_.SetDirty(false);
    state_ = State::Loaded;
    return S_OK;
  });
}

STDMETHODIMP DicePersist::Save(IStream* stream, BOOL clearDirty) {
  return ComCall([&] {
    if (!stream) return E_POINTER;
    const StreamRecord record{kStreamFormat, dice_.HalfChance(), dice_.Resizeable() ? VARIANT_TRUE : VARIANT_FALSE};
    HRESULT hr = stream->Write(&record.format, sizeof record.format, nullptr);
    if (SUCCEEDED(hr)) hr = stream->Write(&record.halfChance, sizeof record.halfChance, nullptr);
    if (SUCCEEDED(hr)) hr = stream->Write(&record.resizeable, sizeof record.resizeable, nullptr);
    if (SUCCEEDED(hr) && clearDirty) dice_.SetDirty(false);
    return hr;
  });
}

STDMETHODIMP DicePersist::GetSizeMax(ULARGE_INTEGER* size) {
  return ComCall([&] {
    if (!size) return E_POINTER;
    size->QuadPart = sizeof(std::uint32_t) + sizeof(std::int32_t) + sizeof(VARIANT_BOOL);
    return S_OK;
  });
}

// UserControl_ReadProperties.
STDMETHODIMP DicePersist::Load(IPropertyBag* bag, IErrorLog* log) {
  return ComCall([&] {
    if (!bag) return E_POINTER;
    if (state_ == State::New) return E_UNEXPECTED;
    VARIANT halfChance;
    V_VT(&halfChance) = VT_I4;
    V_I4(&halfChance) = kNoHalfChance;
    ReadInto(bag, log, kHalfChanceKey, halfChance);
    VARIANT resizeable;
    V_VT(&resizeable) = VT_BOOL;
    V_BOOL(&resizeable) = kDefaultResizeable ? VARIANT_TRUE : VARIANT_FALSE;
    ReadInto(bag, log, kResizeableKey, resizeable);
    dice_.ReadProperties(V_I4(&halfChance), V_BOOL(&resizeable) != VARIANT_FALSE);
    dice_.SetDirty(false);
    state_ = State::Loaded;
    return S_OK;
  });
}

// UserControl_WriteProperties: a value equal to its default is left out.
STDMETHODIMP DicePersist::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  return ComCall([&] {
    if (!bag) return E_POINTER;
    HRESULT hr = S_OK;
    if (dice_.HalfChance() != kNoHalfChance) {
      VARIANT v;
      V_VT(&v) = VT_I4;
      V_I4(&v) = dice_.HalfChance();
      hr = bag->Write(kHalfChanceKey, &v);
    }
    if (SUCCEEDED(hr) && dice_.Resizeable() != kDefaultResizeable) {
      VARIANT v;
      V_VT(&v) = VT_BOOL;
      V_BOOL(&v) = dice_.Resizeable() ? VARIANT_TRUE : VARIANT_FALSE;
      hr = bag->Write(kResizeableKey, &v);
    }
    if (SUCCEEDED(hr) && clearDirty) dice_.SetDirty(false);
    return hr;
  });
}

}  // namespace dicectl
