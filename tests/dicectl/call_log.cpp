#include "strict/call_log.h"

#include <ocidl.h>
#include <olectl.h>

#include "dicectl/registration.h"
#include "dicectl/tumbix.h"

namespace dicectl_tests {

std::string IidName(REFIID iid) {
  struct Named {
    const IID& iid;
    const char* name;
  };
  static const Named kNames[] = {
      {IID_IUnknown, "IUnknown"},
      {IID_IDispatch, "IDispatch"},
      {IID_IOleClientSite, "IOleClientSite"},
      {IID_IOleWindow, "IOleWindow"},
      {IID_IOleInPlaceSite, "IOleInPlaceSite"},
      {IID_IOleInPlaceSiteEx, "IOleInPlaceSiteEx"},
      {IID_IOleInPlaceSiteWindowless, "IOleInPlaceSiteWindowless"},
      {IID_IOleControlSite, "IOleControlSite"},
      {IID_IOleContainer, "IOleContainer"},
      {IID_IOleInPlaceFrame, "IOleInPlaceFrame"},
      {IID_IOleInPlaceUIWindow, "IOleInPlaceUIWindow"},
      {IID_IServiceProvider, "IServiceProvider"},
      {IID_IAdviseSink, "IAdviseSink"},
      {IID_IPropertyNotifySink, "IPropertyNotifySink"},
      {IID_IPropertyBag, "IPropertyBag"},
      {IID_IMarshal, "IMarshal"},
      {DIID___Dice, "__Dice"},
  };
  for (const Named& n : kNames) {
    if (n.iid == iid) return n.name;
  }
  const std::wstring text = dicectl::GuidText(iid);
  return std::string(text.begin(), text.end());
}

std::string Logged(std::string_view method, long number, std::string_view rest) {
  std::string call(method);
  call += '(';
  call += std::to_string(number);
  call += rest;
  call += ')';
  return call;
}

std::string VarTypeName(VARTYPE type) {
  switch (type) {
    case VT_EMPTY:
      return "EMPTY";
    case VT_I2:
      return "I2";
    case VT_I4:
      return "I4";
    case VT_BOOL:
      return "BOOL";
    case VT_BSTR:
      return "BSTR";
    default:
      return std::to_string(type);
  }
}

}  // namespace dicectl_tests
