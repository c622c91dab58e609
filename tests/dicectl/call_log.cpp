#include "strict/call_log.h"

#include <ocidl.h>

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
      {IID_IOleInPlaceSite, "IOleInPlaceSite"},
      {IID_IOleInPlaceSiteEx, "IOleInPlaceSiteEx"},
      {IID_IOleInPlaceSiteWindowless, "IOleInPlaceSiteWindowless"},
      {IID_IOleControlSite, "IOleControlSite"},
      {IID_IPropertyNotifySink, "IPropertyNotifySink"},
      {DIID___Dice, "__Dice"},
  };
  for (const Named& n : kNames) {
    if (n.iid == iid) return n.name;
  }
  const std::wstring text = dicectl::GuidText(iid);
  return std::string(text.begin(), text.end());
}

std::string VarTypeName(VARTYPE type) {
  static const std::pair<VARTYPE, const char*> kNames[] = {
      {VT_EMPTY, "EMPTY"}, {VT_I2, "I2"}, {VT_I4, "I4"}, {VT_BOOL, "BOOL"}, {VT_BSTR, "BSTR"}};
  for (const auto& [named, name] : kNames) {
    if (named == type) return name;
  }
  return std::to_string(type);
}

std::string EventCall(const std::string& sink, DISPID id, const std::string& types) {
  return sink + ".Invoke(" + std::to_string(id) + types + ")";
}

}  // namespace dicectl_tests
