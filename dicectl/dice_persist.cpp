#include "dicectl/dice_persist.h"

#include <cstdint>

#include "common/com_call.h"
#include "common/com_ptr.h"
#include "dicectl/dice.h"
#include "dicectl/tumbix.h"

namespace dicectl {
namespace {

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

// Puts a property's value into a cleared VARIANT, as its own type.
void Put(VARIANT* v, const ControlProperty& property, LONG value) {
  V_VT(v) = VT_I4;
  V_I4(v) = value;
  ::VariantChangeType(v, v, 0, property.type);
}

// A property's value from the bag, else its default. An empty answer is
// no value: it would convert to 0 and False. The bag is asked with the
// default in place, so a bag that answers without writing leaves it.
LONG ReadValue(IPropertyBag* bag, IErrorLog* log, const ControlProperty& property) {
  win::unique_variant read;
  Put(read.get(), property, property.defaultValue);
  if (FAILED(bag->Read(property.name, read.get(), log)) || V_VT(read.get()) == VT_EMPTY ||
      FAILED(::VariantChangeType(read.get(), read.get(), 0, property.type)) ||
      FAILED(::VariantChangeType(read.get(), read.get(), 0, VT_I4)))
    return property.defaultValue;
  return V_I4(read.get());
}

// A value equal to its property's default is left out.
HRESULT WriteValue(IPropertyBag* bag, const ControlProperty& property, LONG value) {
  win::unique_variant written, standard;
  Put(written.get(), property, value);
  Put(standard.get(), property, property.defaultValue);
  if (::VarCmp(written.get(), standard.get(), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ) return S_OK;
  return bag->Write(property.name, written.get());
}

}  // namespace

STDMETHODIMP DicePersist::GetClassID(CLSID* clsid) {
  return win::ComCall([&] {
    if (!clsid) return E_POINTER;
    *clsid = CLSID_Dice;
    return S_OK;
  });
}

STDMETHODIMP DicePersist::InitNew() {
  return win::ComCall([&] {
    if (state_ == State::Loaded) return E_UNEXPECTED;
    state_ = State::New;
    dice_.SetDirty(false);
    return S_OK;
  });
}

STDMETHODIMP DicePersist::IsDirty() {
  return win::ComCall([&] { return dice_.IsDirty() ? S_OK : S_FALSE; });
}

STDMETHODIMP DicePersist::Load(IStream* stream) {
  return win::ComCall([&] {
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
  return win::ComCall([&] {
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
  return win::ComCall([&] {
    if (!size) return E_POINTER;
    size->QuadPart = sizeof(std::uint32_t) + sizeof(std::int32_t) + sizeof(VARIANT_BOOL);
    return S_OK;
  });
}

// UserControl_ReadProperties.
STDMETHODIMP DicePersist::Load(IPropertyBag* bag, IErrorLog* log) {
  return win::ComCall([&] {
    if (!bag) return E_POINTER;
    if (state_ == State::New) return E_UNEXPECTED;
    const LONG halfChance = ReadValue(bag, log, kHalfChance);
    const LONG resizeable = ReadValue(bag, log, kResizeable);
    dice_.ReadProperties(halfChance, resizeable != 0);
    dice_.SetDirty(false);
    state_ = State::Loaded;
    return S_OK;
  });
}

// UserControl_WriteProperties.
STDMETHODIMP DicePersist::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
  return win::ComCall([&] {
    if (!bag) return E_POINTER;
    HRESULT hr = WriteValue(bag, kHalfChance, dice_.HalfChance());
    if (SUCCEEDED(hr)) hr = WriteValue(bag, kResizeable, dice_.Resizeable());
    if (SUCCEEDED(hr) && clearDirty) dice_.SetDirty(false);
    return hr;
  });
}

}  // namespace dicectl
