#pragma once
// The site of one ActiveX control in a window of ours: it creates the
// control from its ProgID, places it in place-active in the host window,
// answers its ambient properties, passes on its property-changed notices
// and its events, and closes it again. Positions and sizes are twips in
// the host's client area; the control itself is told HIMETRIC.
#include <ocidl.h>

#include <functional>

#include "common/com_object.h"
#include "common/com_ptr.h"

namespace app {

class OleControlSite final : public win::ComObject<OleControlSite, IOleClientSite, IOleInPlaceSite, IOleControlSite,
                                                   IDispatch, IPropertyNotifySink> {
 public:
  static win::InterfaceList<OleControlSite> Interfaces() noexcept;

  using EventHandler = std::function<void(DISPID event, const DISPPARAMS& params)>;
  using ChangeHandler = std::function<void(DISPID property)>;

  struct Placement {
    int left, top, width, height;  // twips
  };

  // Null when the control cannot be created or activated; nothing is left behind then.
  static win::com_ptr<OleControlSite> Create(HWND host, const wchar_t* progId, Placement at, EventHandler onEvent,
                                             ChangeHandler onChanged = {});

  // Disconnects, deactivates and releases the control. The site itself goes
  // with its last reference.
  void Close();

  IDispatch* Control() const noexcept { return dispatch_.get(); }
  IOleObject* Object() const noexcept { return object_.get(); }
  // The control's own window while it is in-place active.
  HWND Window() const;
  // The rectangle the control occupies, in host pixels.
  RECT PixelRect() const noexcept { return pos_; }

  // A method without arguments, late-bound by its dispatch identifier.
  HRESULT InvokeMethod(DISPID id);
  // Offers the control a new size; the control may answer with another.
  HRESULT Resize(int widthTwips, int heightTwips);

  // IOleClientSite.
  STDMETHODIMP SaveObject() override;
  STDMETHODIMP GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  STDMETHODIMP GetContainer(IOleContainer** container) override;
  STDMETHODIMP ShowObject() override;
  STDMETHODIMP OnShowWindow(BOOL show) override;
  STDMETHODIMP RequestNewObjectLayout() override;

  // IOleWindow and IOleInPlaceSite.
  STDMETHODIMP GetWindow(HWND* hwnd) override;
  STDMETHODIMP ContextSensitiveHelp(BOOL enter) override;
  STDMETHODIMP CanInPlaceActivate() override;
  STDMETHODIMP OnInPlaceActivate() override;
  STDMETHODIMP OnUIActivate() override;
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override;
  STDMETHODIMP Scroll(SIZE extent) override;
  STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
  STDMETHODIMP OnInPlaceDeactivate() override;
  STDMETHODIMP DiscardUndoState() override;
  STDMETHODIMP DeactivateAndUndo() override;
  STDMETHODIMP OnPosRectChange(LPCRECT pos) override;

  // IOleControlSite.
  STDMETHODIMP OnControlInfoChanged() override;
  STDMETHODIMP LockInPlaceActive(BOOL lock) override;
  STDMETHODIMP GetExtendedControl(IDispatch** control) override;
  STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
  STDMETHODIMP TranslateAccelerator(MSG* msg, DWORD modifiers) override;
  STDMETHODIMP OnFocus(BOOL gotFocus) override;
  STDMETHODIMP ShowPropertyFrame() override;

  // IDispatch: the ambient properties.
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* excep, UINT* argErr) override;

  // IPropertyNotifySink.
  STDMETHODIMP OnChanged(DISPID id) override;
  STDMETHODIMP OnRequestEdit(DISPID id) override;

 private:
  // The control's events arrive on an IDispatch of their own, apart from
  // the ambient properties; it shares the site's lifetime.
  class EventSink final : public win::ComTied<EventSink, IDispatch> {
   public:
    explicit EventSink(OleControlSite& site) noexcept : ComTied(static_cast<IOleClientSite&>(site)), site_(site) {}
    static win::InterfaceList<EventSink> Interfaces() noexcept;
    // The control's event interface, once the site has learnt it.
    IUnknown* RuntimeInterface(REFIID iid) noexcept;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* excep, UINT* argErr) override;

   private:
    OleControlSite& site_;
  };

  struct Connection {
    win::com_ptr<IConnectionPoint> point;
    DWORD cookie = 0;
  };

  OleControlSite(HWND host, EventHandler onEvent, ChangeHandler onChanged);
  ~OleControlSite() override = default;

  HRESULT Load(const wchar_t* progId, Placement at);
  Connection Connect(REFIID iid, IUnknown* sink);
  static void Disconnect(Connection& connection);

  HWND host_;
  EventHandler onEvent_;
  ChangeHandler onChanged_;
  EventSink events_{*this};
  IID eventIid_ = IID_NULL;
  RECT pos_{};
  win::com_ptr<IOleObject> object_;
  win::com_ptr<IOleInPlaceObject> inPlace_;
  win::com_ptr<IDispatch> dispatch_;
  Connection propertyConnection_;
  Connection eventConnection_;
};

}  // namespace app
