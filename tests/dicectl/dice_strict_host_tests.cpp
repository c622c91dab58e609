// The Dice control against a container of the test's own that holds it to
// the rules of COM and OLE: object identity, refused null pointers, the
// calls it makes on its site and their order, its verbs. After each test
// every object is released and the library must agree to be unloaded.
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <string>
#include <vector>

#include "common/com_ptr.h"
#include "common/twips.h"
#include "dicectl/dice_ids.h"
#include "dicectl/dice_size.h"
#include "dicectl/tumbix.h"
#include "strict/hosted_dice.h"
#include "strict/strict_sink.h"
#include "strict/strict_test.h"

namespace {

using namespace dicectl_tests;

class DiceStrictHost : public StrictTest {};

// Not a real interface: no object may claim it.
constexpr IID kMadeUpIid = {0x5d1c0b7e, 0x61a4, 0x4f0e, {0x9b, 0x3c, 0x27, 0x0d, 0x86, 0x11, 0x4e, 0x52}};

win::com_ptr<IUnknown> Identity(IUnknown* object) {
  win::com_ptr<IUnknown> identity;
  object->QueryInterface(IID_IUnknown, identity.put_void());
  return identity;
}

// QueryInterface's rules on one object: every interface offered leads to
// every other (symmetry and transitivity) and to itself (reflexivity), all
// of them to the same IUnknown; the refused ones give E_NOINTERFACE and
// clear the out pointer; a null out pointer is E_POINTER.
void ExpectComIdentity(const char* what, IUnknown* object, const std::vector<IID>& offered,
                       const std::vector<IID>& refused) {
  SCOPED_TRACE(what);
  const auto identity = Identity(object);
  ASSERT_TRUE(identity);
  for (const IID& from : offered) {
    SCOPED_TRACE("from " + dicectl_tests::IidName(from));
    win::com_ptr<IUnknown> start;
    ASSERT_EQ(object->QueryInterface(from, start.put_void()), S_OK);
    EXPECT_EQ(Identity(start.get()).get(), identity.get());
    EXPECT_EQ(start->QueryInterface(from, nullptr), E_POINTER);
    for (const IID& to : offered) {
      win::com_ptr<IUnknown> there, back;
      EXPECT_EQ(start->QueryInterface(to, there.put_void()), S_OK) << dicectl_tests::IidName(to);
      if (there) {
        EXPECT_EQ(there->QueryInterface(from, back.put_void()), S_OK) << dicectl_tests::IidName(to);
      }
    }
    for (const IID& to : refused) {
      void* out = &out;
      EXPECT_EQ(start->QueryInterface(to, &out), E_NOINTERFACE) << dicectl_tests::IidName(to);
      EXPECT_EQ(out, nullptr);
    }
  }
}

TEST_F(DiceStrictHost, EveryObjectKeepsTheIdentityRules) {
  const auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice) << "Tumbix.Dice must be registered";
  ExpectComIdentity("the control", dice.get(),
                    {IID_IUnknown, IID_IOleObject, IID_IOleControl, IID_IOleWindow, IID_IOleInPlaceObject,
                     IID_IOleInPlaceActiveObject, IID_IViewObject, IID_IViewObject2, IID_IPersist,
                     IID_IPersistStreamInit, IID_IPersistPropertyBag, IID_IConnectionPointContainer, IID_IDispatch,
                     IID__Dice, IID_IProvideClassInfo, IID_IProvideClassInfo2, IID_ISpecifyPropertyPages},
                    {kMadeUpIid, IID_IOleLink, IID_IPersistStorage, IID_IPersistStream, IID_IDataObject,
                     IID_IOleInPlaceObjectWindowless, IID_IQuickActivate, IID_IClassFactory, IID_IConnectionPoint,
                     IID_IPropertyNotifySink, DIID___Dice, IID__DiceProperty, IID_IPropertyPage});
  const auto container = dice.query<IConnectionPointContainer>();
  win::com_ptr<IEnumConnectionPoints> points;
  ASSERT_EQ(container->EnumConnectionPoints(points.put()), S_OK);
  ExpectComIdentity("the enumerator of connection points", points.get(), {IID_IUnknown, IID_IEnumConnectionPoints},
                    {kMadeUpIid, IID_IConnectionPointContainer, IID_IEnumConnections});
  win::com_ptr<IConnectionPoint> events;
  ASSERT_EQ(container->FindConnectionPoint(DIID___Dice, events.put()), S_OK);
  ExpectComIdentity("a connection point", events.get(), {IID_IUnknown, IID_IConnectionPoint},
                    {kMadeUpIid, IID_IConnectionPointContainer, IID_IOleObject, DIID___Dice});
  EXPECT_NE(Identity(events.get()).get(), Identity(dice.get()).get()) << "a point is an object of its own";
  win::com_ptr<IClassFactory> factory;
  ASSERT_EQ(::CoGetClassObject(CLSID_Dice, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
  ExpectComIdentity("the class factory", factory.get(), {IID_IUnknown, IID_IClassFactory},
                    {kMadeUpIid, IID_IClassFactory2});
  win::com_ptr<IPropertyPage> page;
  ASSERT_EQ(::CoCreateInstance(CLSID_DiceProperty, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.put_void()),
            S_OK);
  ExpectComIdentity("the property page", page.get(),
                    {IID_IUnknown, IID_IPropertyPage, IID_IDispatch, IID__DiceProperty},
                    {kMadeUpIid, IID_IPropertyPage2, IID__Dice, IID_IOleObject, IID_IPersistPropertyBag});
}

TEST_F(DiceStrictHost, NullOutPointersAreRefusedEverywhere) {
  const auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice);
  const auto object = dice.query<IOleObject>();
  SIZEL size{};
  EXPECT_EQ(object->GetClientSite(nullptr), E_POINTER);
  EXPECT_EQ(object->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, OLEWHICHMK_OBJFULL, nullptr), E_POINTER);
  EXPECT_EQ(object->GetClipboardData(0, nullptr), E_POINTER);
  EXPECT_EQ(object->EnumVerbs(nullptr), E_POINTER);
  EXPECT_EQ(object->GetUserClassID(nullptr), E_POINTER);
  EXPECT_EQ(object->GetUserType(USERCLASSTYPE_FULL, nullptr), E_POINTER);
  EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, nullptr), E_POINTER);
  EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, nullptr), E_POINTER);
  EXPECT_EQ(object->GetExtent(DVASPECT_ICON, &size), DV_E_DVASPECT) << "the die has no icon";
  EXPECT_EQ(object->EnumAdvise(nullptr), E_POINTER);
  EXPECT_EQ(object->GetMiscStatus(DVASPECT_CONTENT, nullptr), E_POINTER);
  EXPECT_EQ(object->Advise(nullptr, nullptr), E_POINTER);
  DWORD connection = 1;
  EXPECT_EQ(object->Advise(nullptr, &connection), E_INVALIDARG) << "no connection to nothing";
  EXPECT_EQ(connection, 0u);
  EXPECT_EQ(dice.query<IOleControl>()->GetControlInfo(nullptr), E_POINTER);

  const auto inPlace = dice.query<IOleInPlaceObject>();
  EXPECT_EQ(inPlace->GetWindow(nullptr), E_POINTER);
  EXPECT_EQ(inPlace->SetObjectRects(nullptr, nullptr), E_POINTER);

  const auto view = dice.query<IViewObject2>();
  EXPECT_EQ(view->GetColorSet(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(view->Freeze(DVASPECT_CONTENT, -1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(view->GetExtent(DVASPECT_CONTENT, -1, nullptr, nullptr), E_POINTER);
  // GetAdvise's three results are each optional.
  EXPECT_EQ(view->GetAdvise(nullptr, nullptr, nullptr), S_OK);

  const auto stream = dice.query<IPersistStreamInit>();
  EXPECT_EQ(stream->GetClassID(nullptr), E_POINTER);
  EXPECT_EQ(stream->Load(nullptr), E_POINTER);
  EXPECT_EQ(stream->Save(nullptr, TRUE), E_POINTER);
  EXPECT_EQ(stream->GetSizeMax(nullptr), E_POINTER);
  const auto bag = dice.query<IPersistPropertyBag>();
  EXPECT_EQ(bag->Load(nullptr, nullptr), E_POINTER);
  EXPECT_EQ(bag->Save(nullptr, TRUE, TRUE), E_POINTER);

  const auto container = dice.query<IConnectionPointContainer>();
  EXPECT_EQ(container->EnumConnectionPoints(nullptr), E_POINTER);
  EXPECT_EQ(container->FindConnectionPoint(DIID___Dice, nullptr), E_POINTER);
  win::com_ptr<IConnectionPoint> point;
  ASSERT_EQ(container->FindConnectionPoint(DIID___Dice, point.put()), S_OK);
  EXPECT_EQ(point->GetConnectionInterface(nullptr), E_POINTER);
  EXPECT_EQ(point->GetConnectionPointContainer(nullptr), E_POINTER);
  EXPECT_EQ(point->EnumConnections(nullptr), E_POINTER);
  {
    CallLog log;
    StrictSink sink(log, "sink", {DIID___Dice});
    EXPECT_EQ(point->Advise(sink.Unknown(), nullptr), E_POINTER);
    DWORD cookie = 1;
    EXPECT_EQ(point->Advise(nullptr, &cookie), E_POINTER);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(sink.HeldByOthers(), 0);
  }
  win::com_ptr<IEnumConnectionPoints> points;
  ASSERT_EQ(container->EnumConnectionPoints(points.put()), S_OK);
  IConnectionPoint* two[2] = {};
  EXPECT_EQ(points->Next(1, nullptr, nullptr), E_POINTER);
  EXPECT_EQ(points->Next(2, two, nullptr), E_POINTER) << "more than one needs a count of those fetched";
  EXPECT_EQ(two[0], nullptr);
  EXPECT_EQ(points->Clone(nullptr), E_POINTER);

  const auto info = dice.query<IProvideClassInfo2>();
  EXPECT_EQ(info->GetClassInfo(nullptr), E_POINTER);
  EXPECT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, nullptr), E_POINTER);
  EXPECT_EQ(dice.query<ISpecifyPropertyPages>()->GetPages(nullptr), E_POINTER);

  const auto automation = dice.query<_Dice>();
  EXPECT_EQ(automation->GetTypeInfoCount(nullptr), E_POINTER);
  EXPECT_EQ(automation->GetTypeInfo(0, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
  wchar_t runName[] = L"Run";
  LPOLESTR names[] = {runName};
  EXPECT_EQ(automation->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
  DISPID id = 0;
  EXPECT_EQ(automation->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id), E_POINTER);
  EXPECT_TRUE(FAILED(automation->Invoke(dicectl::kHalfChance.dispid, IID_NULL, LOCALE_USER_DEFAULT,
                                        DISPATCH_PROPERTYGET, nullptr, nullptr, nullptr, nullptr)))
      << "no argument list is refused, not read";
  EXPECT_EQ(automation->get_HalfChance(nullptr), E_POINTER);
  EXPECT_EQ(automation->get_Resizeable(nullptr), E_POINTER);

  win::com_ptr<IClassFactory> factory;
  ASSERT_EQ(::CoGetClassObject(CLSID_Dice, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, nullptr), E_POINTER);
  void* aggregated = &aggregated;
  EXPECT_EQ(factory->CreateInstance(dice.get(), IID_IUnknown, &aggregated), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(aggregated, nullptr);
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  const auto entry =
      reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(::GetProcAddress(DiceLibrary(), "DllGetClassObject")));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry(CLSID_Dice, IID_IClassFactory, nullptr), E_POINTER);
  void* none = &none;
  EXPECT_EQ(entry(kMadeUpIid, IID_IClassFactory, &none), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(none, nullptr);

  win::com_ptr<IPropertyPage> page;
  ASSERT_EQ(::CoCreateInstance(CLSID_DiceProperty, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.put_void()),
            S_OK);
  EXPECT_EQ(page->GetPageInfo(nullptr), E_POINTER);
  EXPECT_EQ(page->SetObjects(1, nullptr), E_POINTER);
  EXPECT_EQ(page->Activate(nullptr, nullptr, TRUE), E_POINTER);
  EXPECT_EQ(page->Move(nullptr), E_POINTER);
  EXPECT_EQ(page->TranslateAccelerator(nullptr), E_POINTER);
  EXPECT_EQ(page.query<IDispatch>()->GetTypeInfoCount(nullptr), E_POINTER);
}

// A container may call on a control before it has a site; nothing may
// fail that needs no site, and nothing that needs one may crash.
TEST_F(DiceStrictHost, BeforeItHasASiteTheControlAnswersSensibly) {
  const auto object = NewDice<IOleObject>();
  ASSERT_TRUE(object);
  win::com_ptr<IOleClientSite> site;
  EXPECT_EQ(object->GetClientSite(site.put()), S_OK);
  EXPECT_FALSE(site);
  EXPECT_EQ(object->SetHostNames(L"strict", nullptr), S_OK);
  SIZEL extent{win::TwipsToHimetric(900), win::TwipsToHimetric(900)};
  EXPECT_EQ(object->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
  SIZEL now{};
  EXPECT_EQ(object->GetExtent(DVASPECT_CONTENT, &now), S_OK);
  EXPECT_EQ(win::HimetricToTwips(now.cx), 900);
  const RECT place = HostedDice::Place();
  EXPECT_EQ(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, nullptr, &place), E_UNEXPECTED);
  EXPECT_EQ(object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, nullptr, 0, nullptr, &place), E_UNEXPECTED);
  EXPECT_EQ(object->DoVerb(OLEIVERB_PRIMARY, nullptr, nullptr, 0, nullptr, nullptr), E_UNEXPECTED);
  EXPECT_EQ(object->DoVerb(OLEIVERB_HIDE, nullptr, nullptr, 0, nullptr, nullptr), S_OK);
  EXPECT_EQ(object->Update(), S_OK);
  EXPECT_EQ(object->IsUpToDate(), S_OK);
  win::com_ptr<IEnumSTATDATA> advises;
  EXPECT_EQ(object->EnumAdvise(advises.put()), S_OK);
  STATDATA data{};
  ULONG fetched = 1;
  ASSERT_TRUE(advises) << "success comes with an enumerator";
  EXPECT_EQ(advises->Next(1, &data, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(object->Unadvise(1), OLE_E_NOCONNECTION);

  const auto inPlace = object.query<IOleInPlaceObject>();
  HWND window = ::GetDesktopWindow();
  EXPECT_EQ(inPlace->GetWindow(&window), E_FAIL);
  EXPECT_EQ(window, nullptr);
  EXPECT_EQ(inPlace->SetObjectRects(&place, &place), OLE_E_NOT_INPLACEACTIVE);
  EXPECT_EQ(inPlace->UIDeactivate(), S_OK);
  EXPECT_EQ(inPlace->InPlaceDeactivate(), S_OK);
  EXPECT_EQ(object->Close(OLECLOSE_SAVEIFDIRTY), S_OK);
  EXPECT_EQ(object->SetClientSite(nullptr), S_OK);
}

TEST_F(DiceStrictHost, ActivationCallsTheSiteInOrderAndLetsItGo) {
  HostedDice dice;
  ASSERT_TRUE(dice.ok());
  DWORD misc = 0;
  ASSERT_EQ(dice.object->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
  EXPECT_TRUE(misc & OLEMISC_SETCLIENTSITEFIRST);
  EXPECT_TRUE(misc & OLEMISC_INSIDEOUT);
  EXPECT_EQ(dice.log.Take(), Calls{}) << "taking the site and starting afresh ask the site nothing";

  EXPECT_EQ(dice.object->SetHostNames(L"strict", L"dice"), S_OK);
  SIZEL extent{win::TwipsToHimetric(dicectl::kDesignSizeTwips), win::TwipsToHimetric(dicectl::kDesignSizeTwips)};
  EXPECT_EQ(dice.object->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
  EXPECT_EQ(dice.log.Take(), Calls{});

  ASSERT_EQ(dice.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  EXPECT_EQ(dice.log.Take(), (Calls{"QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate()", "OnInPlaceActivate()",
                                    "GetWindow()", "GetWindowContext()", "ShowObject()"}));
  HWND window = dice.Window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(::GetParent(window), dice.host.get());
  EXPECT_TRUE(::IsWindowVisible(window));
  RECT placed{};
  ::GetWindowRect(window, &placed);
  ::MapWindowPoints(nullptr, dice.host.get(), reinterpret_cast<POINT*>(&placed), 2);
  const RECT place = HostedDice::Place();
  EXPECT_TRUE(::EqualRect(&placed, &place));

  EXPECT_EQ(dice.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  EXPECT_EQ(dice.log.Take(), Calls{}) << "an active control is not activated again";

  ASSERT_EQ(dice.DoVerb(OLEIVERB_UIACTIVATE), S_OK);
  EXPECT_EQ(dice.log.Take(), (Calls{"OnUIActivate()", "Frame.SetActiveObject(object,null)"}));

  // A wider rectangle: the height decides, and the control asks for its square.
  const int side = 2 * (place.bottom - place.top);
  const RECT wider{place.left, place.top, place.left + side + side / 2, place.top + side};
  ASSERT_EQ(dice.object.query<IOleInPlaceObject>()->SetObjectRects(&wider, &wider), S_OK);
  const int squared = win::TwipsToPixelsX(win::PixelsToTwipsY(side));
  EXPECT_EQ(dice.log.Take(),
            (Calls{"OnPosRectChange(" + std::to_string(place.left) + "," + std::to_string(place.top) + "," +
                   std::to_string(place.left + squared) + "," + std::to_string(place.top + side) + ")"}));

  EXPECT_EQ(dice.object->Close(OLECLOSE_NOSAVE), S_OK);
  EXPECT_EQ(dice.log.Take(),
            (Calls{"Frame.SetActiveObject(null,null)", "OnUIDeactivate(FALSE)", "OnInPlaceDeactivate()"}));
  EXPECT_FALSE(::IsWindowVisible(window));
  EXPECT_EQ(dice.site.HeldByOthers(), 1) << "only the client site is kept after closing";
  EXPECT_EQ(dice.frame.HeldByOthers(), 0);
  EXPECT_EQ(dice.object->SetClientSite(nullptr), S_OK);
  EXPECT_EQ(dice.site.HeldByOthers(), 0);
  EXPECT_EQ(dice.log.Take(), Calls{});

  // A site that refuses in-place activation is not activated, and is told nothing more.
  ASSERT_EQ(dice.object->SetClientSite(&dice.site), S_OK);
  dice.site.canActivate = S_FALSE;
  EXPECT_TRUE(FAILED(dice.DoVerb(OLEIVERB_INPLACEACTIVATE)));
  EXPECT_EQ(dice.log.Take(), (Calls{"QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate()"}));
  EXPECT_EQ(dice.Window(), nullptr);
}

// The die lists no verbs of its own, wherever and however it was
// registered, and takes the standard ones; an unknown positive verb is its
// primary verb, reported as unknown; an unknown negative verb is refused
// and does nothing.
TEST_F(DiceStrictHost, StandardVerbsWorkAndUnknownVerbsFollowTheRules) {
  {
    HostedDice dice;
    ASSERT_TRUE(dice.ok());
    IEnumOLEVERB* verbs = reinterpret_cast<IEnumOLEVERB*>(&verbs);
    EXPECT_EQ(dice.object->EnumVerbs(&verbs), OLEOBJ_E_NOVERBS);
    EXPECT_EQ(verbs, nullptr);
  }
  for (LONG verb : {OLEIVERB_PRIMARY, OLEIVERB_SHOW, OLEIVERB_INPLACEACTIVATE, OLEIVERB_UIACTIVATE}) {
    SCOPED_TRACE("verb " + std::to_string(verb));
    HostedDice dice;
    EXPECT_EQ(dice.DoVerb(verb), S_OK);
    EXPECT_NE(dice.Window(), nullptr);
    EXPECT_EQ(dice.DoVerb(OLEIVERB_HIDE), S_OK);
    EXPECT_EQ(dice.Window(), nullptr);
  }
  const LONG unknownPositive = 7;
  {
    HostedDice dice;
    EXPECT_EQ(dice.DoVerb(unknownPositive), OLEOBJ_S_INVALIDVERB);
    EXPECT_NE(dice.Window(), nullptr) << "done as the primary verb";
  }
  const LONG unknownNegative = -100;
  for (LONG verb : {OLEIVERB_OPEN, OLEIVERB_DISCARDUNDOSTATE, OLEIVERB_PROPERTIES, unknownNegative}) {
    SCOPED_TRACE("verb " + std::to_string(verb));
    HostedDice dice;
    EXPECT_EQ(dice.DoVerb(verb), E_NOTIMPL);
    EXPECT_EQ(dice.Window(), nullptr);
    EXPECT_EQ(dice.log.Take(), Calls{});
  }
}

}  // namespace
