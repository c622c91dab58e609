// The Dice control's state and traffic under a strict container: how its
// persistence starts, what odd property bags leave, frozen events, its
// connection points, drawing into devices other than the screen, and when
// its library may be unloaded.
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/com_ptr.h"
#include "common/unique_handle.h"
#include "dicectl/dice_ids.h"
#include "dicectl/tumbix.h"
#include "strict/hosted_dice.h"
#include "strict/strict_bag.h"
#include "strict/strict_sink.h"
#include "strict/strict_test.h"
#include "support/dice_host.h"

namespace {

using dicectl_tests::CallLog;
using dicectl_tests::DiceLibrary;
using dicectl_tests::HostedDice;
using dicectl_tests::Logged;
using dicectl_tests::NewDice;
using dicectl_tests::StrictBag;
using dicectl_tests::StrictSink;
using Calls = std::vector<std::string>;

class DiceStrictState : public dicectl_tests::StrictTest {};

struct Properties {
  DiceSixNumber halfChance{};
  VARIANT_BOOL resizeable{};
};

Properties PropertiesOf(IUnknown* control) {
  Properties p;
  const auto dice = win::com_ptr<IUnknown>(control).query<_Dice>();
  dice->get_HalfChance(&p.halfChance);
  dice->get_Resizeable(&p.resizeable);
  return p;
}

void Rewind(IStream* stream) {
  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
}

win::com_ptr<IStream> SavedStream(DiceSixNumber halfChance, VARIANT_BOOL resizeable) {
  const auto dice = NewDice<_Dice>();
  dice->put_HalfChance(halfChance);
  dice->put_Resizeable(resizeable);
  win::com_ptr<IStream> stream;
  ::CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  dice.query<IPersistStreamInit>()->Save(stream.get(), TRUE);
  Rewind(stream.get());
  return stream;
}

// InitNew and Load each start an object's life, and exclude each other:
// InitNew after Load, and Load after InitNew, are E_UNEXPECTED, through
// either persistence interface. Nothing forbids a second InitNew, or
// loading a loaded control again.
TEST_F(DiceStrictState, InitNewAndLoadExcludeEachOther) {
  CallLog log;
  StrictBag bag(log);
  V_VT(bag[L"HalfChance"].value.get()) = VT_I4;
  V_I4(bag[L"HalfChance"].value.get()) = Dice3;
  const auto saved = SavedStream(Dice4, VARIANT_FALSE);
  {
    SCOPED_TRACE("new, then loaded");
    const auto dice = NewDice<IUnknown>();
    ASSERT_TRUE(dice);
    const auto stream = dice.query<IPersistStreamInit>();
    const auto bagged = dice.query<IPersistPropertyBag>();
    EXPECT_EQ(stream->InitNew(), S_OK);
    EXPECT_EQ(stream->InitNew(), S_OK);
    EXPECT_EQ(bagged->InitNew(), S_OK);
    EXPECT_EQ(stream->Load(saved.get()), E_UNEXPECTED);
    EXPECT_EQ(bagged->Load(&bag, nullptr), E_UNEXPECTED);
    EXPECT_EQ(log.Take(), Calls{}) << "a refused load reads nothing";
    EXPECT_EQ(PropertiesOf(dice.get()).halfChance, NoHalfChance);
    EXPECT_EQ(PropertiesOf(dice.get()).resizeable, VARIANT_TRUE);
  }
  {
    SCOPED_TRACE("loaded from a stream, then new");
    const auto dice = NewDice<IUnknown>();
    const auto stream = dice.query<IPersistStreamInit>();
    Rewind(saved.get());
    ASSERT_EQ(stream->Load(saved.get()), S_OK);
    EXPECT_EQ(PropertiesOf(dice.get()).halfChance, Dice4);
    EXPECT_EQ(stream->InitNew(), E_UNEXPECTED);
    EXPECT_EQ(dice.query<IPersistPropertyBag>()->InitNew(), E_UNEXPECTED);
    Rewind(saved.get());
    EXPECT_EQ(stream->Load(saved.get()), S_OK) << "loading again is no second start";
  }
  {
    SCOPED_TRACE("loaded from a bag, then new");
    const auto dice = NewDice<IUnknown>();
    ASSERT_EQ(dice.query<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(PropertiesOf(dice.get()).halfChance, Dice3);
    EXPECT_EQ(dice.query<IPersistStreamInit>()->InitNew(), E_UNEXPECTED);
    EXPECT_EQ(log.Take(), (Calls{"Bag.Read(HalfChance:I4)", "Bag.Read(Resizeable:BOOL)"}));
  }
  {
    SCOPED_TRACE("a failed load starts nothing");
    const auto dice = NewDice<IUnknown>();
    win::com_ptr<IStream> empty;
    ::CreateStreamOnHGlobal(nullptr, TRUE, empty.put());
    EXPECT_TRUE(FAILED(dice.query<IPersistStreamInit>()->Load(empty.get())));
    EXPECT_EQ(dice.query<IPersistStreamInit>()->InitNew(), S_OK);
  }
  EXPECT_EQ(bag.HeldByOthers(), 0) << "a control may not keep the bag";
}

// A bag keeps only what differs from the defaults, under the properties'
// names and types, and gives it back; a stream keeps both properties and
// refuses to load from less than a whole record.
TEST_F(DiceStrictState, SavedStateComesBackAndLeavesOutTheDefaults) {
  CallLog log;
  StrictBag bag(log);
  const auto dice = NewDice<_Dice>();
  ASSERT_TRUE(dice);
  const auto persist = dice.query<IPersistPropertyBag>();
  ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
  EXPECT_EQ(log.Take(), Calls{});
  dice->put_HalfChance(Dice4);
  dice->put_Resizeable(VARIANT_FALSE);
  const auto streamed = dice.query<IPersistStreamInit>();
  EXPECT_EQ(streamed->IsDirty(), S_OK);
  ASSERT_EQ(persist->Save(&bag, TRUE, FALSE), S_OK);
  EXPECT_EQ(streamed->IsDirty(), S_FALSE);
  EXPECT_EQ(log.Take(), (Calls{"Bag.Write(HalfChance:I4)", "Bag.Write(Resizeable:BOOL)"}));
  const auto loaded = NewDice<IUnknown>();
  ASSERT_EQ(loaded.query<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
  EXPECT_EQ(PropertiesOf(loaded.get()).halfChance, Dice4);
  EXPECT_EQ(PropertiesOf(loaded.get()).resizeable, VARIANT_FALSE);

  // Another type is converted.
  StrictBag typed(log);
  V_VT(typed[L"HalfChance"].value.get()) = VT_BSTR;
  V_BSTR(typed[L"HalfChance"].value.get()) = ::SysAllocString(L"2");
  const auto converted = NewDice<IUnknown>();
  ASSERT_EQ(converted.query<IPersistPropertyBag>()->Load(&typed, nullptr), S_OK);
  EXPECT_EQ(PropertiesOf(converted.get()).halfChance, Dice2);
  EXPECT_EQ(PropertiesOf(converted.get()).resizeable, VARIANT_TRUE);

  win::com_ptr<IStream> saved, cut;
  ::CreateStreamOnHGlobal(nullptr, TRUE, saved.put());
  ::CreateStreamOnHGlobal(nullptr, TRUE, cut.put());
  ASSERT_EQ(streamed->Save(saved.get(), TRUE), S_OK);
  Rewind(saved.get());
  const auto fromStream = NewDice<IUnknown>();
  ASSERT_EQ(fromStream.query<IPersistStreamInit>()->Load(saved.get()), S_OK);
  EXPECT_EQ(PropertiesOf(fromStream.get()).halfChance, Dice4);
  EXPECT_EQ(PropertiesOf(fromStream.get()).resizeable, VARIANT_FALSE);
  ULARGE_INTEGER whole{};
  ASSERT_EQ(streamed->GetSizeMax(&whole), S_OK);
  std::vector<char> bytes(static_cast<size_t>(whole.QuadPart) - 1);
  const auto size = static_cast<ULONG>(bytes.size());
  Rewind(saved.get());
  ASSERT_EQ(saved->Read(bytes.data(), size, nullptr), S_OK);
  ASSERT_EQ(cut->Write(bytes.data(), size, nullptr), S_OK);
  Rewind(cut.get());
  const auto fresh = NewDice<IUnknown>();
  EXPECT_TRUE(FAILED(fresh.query<IPersistStreamInit>()->Load(cut.get())));
  EXPECT_EQ(PropertiesOf(fresh.get()).halfChance, NoHalfChance) << "a refused load changes nothing";
}

// What a bag answers: its result, and a value of the type given holding
// the number, or the text when there is one.
struct OddAnswer {
  const char* what;
  HRESULT result;
  VARTYPE type;
  LONG number = 0;
  const wchar_t* text = nullptr;
  bool leave = false;
};

// Whatever a bag answers that is no value of its own, the control keeps
// its defaults, reads each key once in order, writes nothing and keeps no
// reference to the bag.
TEST_F(DiceStrictState, OddPropertyBagsLeaveTheDefaults) {
  const OddAnswer answers[] = {
      {"a failed read that wrote a value", E_FAIL, VT_I4, Dice5},
      {"an empty value with S_OK", S_OK, VT_EMPTY},
      {"a null value", S_OK, VT_NULL},
      {"a null dispatch", S_OK, VT_DISPATCH},
      {"a null unknown", S_OK, VT_UNKNOWN},
      {"a string of garbage", S_OK, VT_BSTR, 0, L"\x01\xFFFE garbage \x7F"},
      {"a null string", S_OK, VT_BSTR},
      {"an error value", S_OK, VT_ERROR, DISP_E_PARAMNOTFOUND},
      {"S_OK with the value left as asked", S_OK, VT_EMPTY, 0, nullptr, true},
  };
  for (const OddAnswer& odd : answers) {
    SCOPED_TRACE(odd.what);
    CallLog log;
    StrictBag bag(log);
    for (const wchar_t* key : {L"HalfChance", L"Resizeable"}) {
      VARIANT* value = bag[key].value.get();
      *value = VARIANT{};
      V_VT(value) = odd.type;
      V_I4(value) = odd.number;  // an error's code shares the number's place
      if (odd.text) V_BSTR(value) = ::SysAllocString(odd.text);
      bag[key].result = odd.result;
      bag[key].leave = odd.leave;
    }
    const auto dice = NewDice<IUnknown>();
    ASSERT_TRUE(dice);
    EXPECT_EQ(dice.query<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(PropertiesOf(dice.get()).halfChance, NoHalfChance);
    EXPECT_EQ(PropertiesOf(dice.get()).resizeable, VARIANT_TRUE);
    EXPECT_EQ(log.Take(), (Calls{"Bag.Read(HalfChance:I4)", "Bag.Read(Resizeable:BOOL)"}));
    EXPECT_EQ(bag.HeldByOthers(), 0);
  }
  {
    SCOPED_TRACE("no key at all");
    CallLog log;
    StrictBag bag(log);
    const auto dice = NewDice<IUnknown>();
    EXPECT_EQ(dice.query<IPersistPropertyBag>()->Load(&bag, nullptr), S_OK);
    EXPECT_EQ(PropertiesOf(dice.get()).halfChance, NoHalfChance);
    EXPECT_EQ(PropertiesOf(dice.get()).resizeable, VARIANT_TRUE);
  }
}

// Events are held back while the container has them frozen, however
// deeply. Once thawed, events flow again, and a thaw too many cannot leave
// them flowing through a later freeze.
TEST_F(DiceStrictState, FrozenEventsAreHeldBackUntilThawed) {
  HostedDice dice;
  ASSERT_TRUE(dice.ok());
  ASSERT_EQ(dice.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  CallLog log;
  StrictSink sink(log, "sink", {DIID___Dice});
  win::com_ptr<IConnectionPoint> point;
  ASSERT_EQ(dice.object.query<IConnectionPointContainer>()->FindConnectionPoint(DIID___Dice, point.put()), S_OK);
  DWORD cookie = 0;
  ASSERT_EQ(point->Advise(sink.Unknown(), &cookie), S_OK);
  log.Take();
  const auto control = dice.object.query<IOleControl>();
  const auto ended = [&] {
    dice.Click();
    for (int tick = 0; tick < 3; ++tick) dice.Tick();
  };
  const std::string started = Logged("sink.Invoke", dicectl::kDispidStartDice);
  const std::string endedCall = Logged("sink.Invoke", dicectl::kDispidEndDice, ":I2");

  EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
  EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
  dice.Tick();
  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
  ended();
  EXPECT_EQ(log.Take(), Calls{}) << "still frozen once";

  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
  dice.Tick();
  ended();
  EXPECT_EQ(log.Take(), (Calls{started, endedCall}));

  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK) << "always S_OK";
  EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
  dice.Tick();
  EXPECT_EQ(log.Take(), Calls{}) << "a thaw too many is no credit";
  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
  ended();
  EXPECT_EQ(log.Take(), Calls{endedCall});
  EXPECT_EQ(point->Unadvise(cookie), S_OK);
  EXPECT_EQ(sink.HeldByOthers(), 0);
  EXPECT_EQ(dice.log.Take(), (Calls{"QueryInterface(IOleInPlaceSite)", "CanInPlaceActivate()", "OnInPlaceActivate()",
                                    "GetWindow()", "GetWindowContext()", "ShowObject()"}))
      << "events are for the sink, not the site";
}

IID InterfaceOf(IConnectionPoint* point) {
  IID iid = IID_NULL;
  point->GetConnectionInterface(&iid);
  return iid;
}

TEST_F(DiceStrictState, ConnectionPointsAreEnumeratedAndFoundByInterface) {
  const auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice);
  const auto container = dice.query<IConnectionPointContainer>();
  win::com_ptr<IConnectionPoint> events, notices;
  ASSERT_EQ(container->FindConnectionPoint(DIID___Dice, events.put()), S_OK);
  ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, notices.put()), S_OK);
  for (const IID& unknown : {IID_IDispatch, IID_IUnknown, IID__Dice, IID_NULL}) {
    IConnectionPoint* none = events.get();
    EXPECT_EQ(container->FindConnectionPoint(unknown, &none), CONNECT_E_NOCONNECTION);
    EXPECT_EQ(none, nullptr);
  }
  for (const auto& point : {events, notices}) {
    win::com_ptr<IConnectionPointContainer> owner;
    ASSERT_EQ(point->GetConnectionPointContainer(owner.put()), S_OK);
    EXPECT_EQ(owner.query<IUnknown>().get(), dice.get());
  }

  win::com_ptr<IEnumConnectionPoints> all;
  ASSERT_EQ(container->EnumConnectionPoints(all.put()), S_OK);
  IConnectionPoint* got[3] = {};
  ULONG fetched = 0;
  EXPECT_EQ(all->Next(0, got, &fetched), S_OK);
  EXPECT_EQ(fetched, 0u);
  EXPECT_EQ(all->Next(3, got, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 2u);
  const auto first = win::com_ptr<IConnectionPoint>::attach(got[0]);
  const auto second = win::com_ptr<IConnectionPoint>::attach(got[1]);
  EXPECT_EQ(first.get(), events.get()) << "the enumerator hands out the points FindConnectionPoint finds";
  EXPECT_EQ(second.get(), notices.get());
  EXPECT_EQ(all->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);

  EXPECT_EQ(all->Reset(), S_OK);
  EXPECT_EQ(all->Skip(1), S_OK);
  win::com_ptr<IEnumConnectionPoints> clone;
  ASSERT_EQ(all->Clone(clone.put()), S_OK);
  win::com_ptr<IConnectionPoint> fromClone, fromOriginal;
  EXPECT_EQ(clone->Next(1, fromClone.put(), nullptr), S_OK);
  EXPECT_EQ(InterfaceOf(fromClone.get()), IID_IPropertyNotifySink) << "a clone starts where the original stands";
  EXPECT_EQ(all->Next(1, fromOriginal.put(), nullptr), S_OK);
  EXPECT_EQ(fromOriginal.get(), fromClone.get()) << "and moves on its own";
  EXPECT_EQ(clone->Skip(1), S_FALSE);
  EXPECT_EQ(all->Reset(), S_OK);
  EXPECT_EQ(all->Skip(3), S_FALSE);
  EXPECT_EQ(all->Next(1, got, &fetched), S_FALSE);
  EXPECT_EQ(fetched, 0u);
}

// Advise takes only sinks of the point's interface and calls them through
// it; Unadvise takes only live cookies of its own point, once; a sink may
// unadvise itself and others while it is called, and an unadvised sink
// hears nothing more.
TEST_F(DiceStrictState, AdviseAndUnadviseKeepTheirWord) {
  HostedDice dice;
  ASSERT_TRUE(dice.ok());
  ASSERT_EQ(dice.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  const auto container = dice.object.query<IConnectionPointContainer>();
  win::com_ptr<IConnectionPoint> events, notices;
  ASSERT_EQ(container->FindConnectionPoint(DIID___Dice, events.put()), S_OK);
  ASSERT_EQ(container->FindConnectionPoint(IID_IPropertyNotifySink, notices.put()), S_OK);
  CallLog log;

  StrictSink deaf(log, "deaf", {IID_IDispatch});
  DWORD cookie = 1;
  EXPECT_EQ(events->Advise(deaf.Unknown(), &cookie), CONNECT_E_CANNOTCONNECT);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(deaf.HeldByOthers(), 0);
  EXPECT_EQ(log.Take(), Calls{"deaf.QueryInterface(__Dice)"});

  // first answers only the event interface, not IDispatch: it is called
  // through the interface it was advised with.
  StrictSink first(log, "first", {DIID___Dice});
  StrictSink second(log, "second", {DIID___Dice, IID_IDispatch});
  StrictSink notified(log, "notified", {IID_IPropertyNotifySink});
  DWORD firstCookie = 0, secondCookie = 0, noticeCookie = 0;
  ASSERT_EQ(events->Advise(first.Unknown(), &firstCookie), S_OK);
  ASSERT_EQ(events->Advise(second.Unknown(), &secondCookie), S_OK);
  ASSERT_EQ(notices->Advise(notified.Unknown(), &noticeCookie), S_OK);
  EXPECT_NE(firstCookie, 0u);
  EXPECT_NE(firstCookie, secondCookie);
  log.Take();

  const DWORD unknownCookie = secondCookie + noticeCookie + 100;
  EXPECT_EQ(events->Unadvise(0), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(events->Unadvise(unknownCookie), CONNECT_E_NOCONNECTION);
  if (noticeCookie != firstCookie && noticeCookie != secondCookie) {
    EXPECT_EQ(events->Unadvise(noticeCookie), CONNECT_E_NOCONNECTION) << "another point's cookie";
  }

  dice.Tick();
  EXPECT_EQ(log.Take(), (Calls{Logged("first.Invoke", dicectl::kDispidStartDice),
                               Logged("second.Invoke", dicectl::kDispidStartDice)}));
  ASSERT_EQ(dice.object.query<_Dice>()->put_HalfChance(Dice2), S_OK);
  EXPECT_EQ(log.Take(), Calls{Logged("notified.OnChanged", dicectl::kHalfChance.dispid)});

  // Inside the next event, first lets go of itself and of second.
  first.onEvent = [&](DISPID) {
    EXPECT_EQ(events->Unadvise(firstCookie), S_OK);
    EXPECT_EQ(events->Unadvise(secondCookie), S_OK);
  };
  dice.Click();
  for (int tick = 0; tick < 3; ++tick) dice.Tick();
  EXPECT_EQ(log.Take(), Calls{Logged("first.Invoke", dicectl::kDispidEndDice, ":I2")})
      << "second was unadvised before its turn";
  EXPECT_EQ(first.HeldByOthers(), 0);
  EXPECT_EQ(second.HeldByOthers(), 0);
  EXPECT_EQ(events->Unadvise(firstCookie), CONNECT_E_NOCONNECTION) << "a cookie is good once";
  dice.Tick();
  EXPECT_EQ(log.Take(), Calls{});

  EXPECT_EQ(notices->Unadvise(noticeCookie), S_OK);
  EXPECT_EQ(notified.HeldByOthers(), 0);
}

constexpr COLORREF kUntouched = RGB(0, 255, 0);

// A canvas that shows where nothing was drawn.
struct Canvas : testing_support::Canvas {
  Canvas(int width, int height) : testing_support::Canvas(width, height, kUntouched) {}
};

// The share of pixels equal in two pictures of one size.
double Alike(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size() || a.empty()) return 0;
  size_t same = 0;
  for (size_t i = 0; i < a.size(); ++i) same += a[i] == b[i];
  return static_cast<double>(same) / static_cast<double>(a.size());
}

using unique_henhmetafile = win::unique_any<HENHMETAFILE, &::DeleteEnhMetaFile>;

HRESULT Draw(IViewObject* view, HDC dc, const RECTL* bounds, DWORD aspect = DVASPECT_CONTENT) {
  return view->Draw(aspect, -1, nullptr, nullptr, nullptr, dc, bounds, nullptr, nullptr, 0);
}

// A container prints or keeps a picture by drawing the control into a
// metafile or a DC with another mapping, as a printer's is; the face must
// arrive there as on the screen.
TEST_F(DiceStrictState, DrawsIntoMetafilesAndScaledDevices) {
  const auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice);
  ASSERT_EQ(testing_support::FaceOf(dice.get()), dicectl::kFirstFace);
  const auto view = dice.query<IViewObject2>();
  const int side = 40;
  const RECTL bounds{0, 0, side, side};
  Canvas screen(side, side);
  ASSERT_EQ(Draw(view.get(), screen.dc.get(), &bounds), S_OK);
  const auto face = screen.Pixels();

  {
    SCOPED_TRACE("an enhanced metafile");
    const win::unique_window_dc reference(nullptr);
    const int hundredthsOfMm =
        100 * side * ::GetDeviceCaps(reference.get(), HORZSIZE) / ::GetDeviceCaps(reference.get(), HORZRES);
    const RECT frame{0, 0, hundredthsOfMm, hundredthsOfMm};
    HDC recording = ::CreateEnhMetaFileW(reference.get(), nullptr, &frame, nullptr);
    ASSERT_NE(recording, nullptr);
    EXPECT_EQ(Draw(view.get(), recording, &bounds), S_OK);
    const unique_henhmetafile picture(::CloseEnhMetaFile(recording));
    ASSERT_TRUE(picture);
    Canvas played(side, side);
    const RECT all{0, 0, side, side};
    ASSERT_TRUE(::PlayEnhMetaFile(played.dc.get(), picture.get(), &all));
    // Playing back maps the frame through device units; allow a stray row.
    const double alike = Alike(played.Pixels(), face);
    std::printf("metafile played back: %.3f of the pixels as on screen\n", alike);
    EXPECT_GT(alike, 0.9);
  }
  {
    SCOPED_TRACE("a device of twice the resolution");
    Canvas fine(2 * side, 2 * side);
    ::SetMapMode(fine.dc.get(), MM_ANISOTROPIC);
    ::SetWindowExtEx(fine.dc.get(), side, side, nullptr);
    ::SetViewportExtEx(fine.dc.get(), 2 * side, 2 * side, nullptr);
    ASSERT_EQ(Draw(view.get(), fine.dc.get(), &bounds), S_OK);
    // GetPixel reads logical coordinates: back to device units first.
    ::SetMapMode(fine.dc.get(), MM_TEXT);
    std::vector<COLORREF> sampled;
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) sampled.push_back(::GetPixel(fine.dc.get(), 2 * x + 1, 2 * y + 1));
    EXPECT_GT(Alike(sampled, face), 0.95);
  }
  {
    SCOPED_TRACE("y growing upwards, as in the metric mapping modes");
    Canvas upwards(side, side);
    ::SetMapMode(upwards.dc.get(), MM_ANISOTROPIC);
    ::SetWindowExtEx(upwards.dc.get(), side, side, nullptr);
    ::SetViewportExtEx(upwards.dc.get(), side, -side, nullptr);
    ::SetViewportOrgEx(upwards.dc.get(), 0, side, nullptr);
    const RECTL upright{0, side, side, 0};
    ASSERT_EQ(Draw(view.get(), upwards.dc.get(), &upright), S_OK);
    ::SetMapMode(upwards.dc.get(), MM_TEXT);
    ::SetViewportOrgEx(upwards.dc.get(), 0, 0, nullptr);
    EXPECT_GT(Alike(upwards.Pixels(), face), 0.95) << "the face stands upright";
  }
  {
    SCOPED_TRACE("what cannot be drawn leaves the device as it was");
    Canvas untouched(side, side);
    const auto before = untouched.Pixels();
    for (DWORD aspect : {static_cast<DWORD>(DVASPECT_ICON), static_cast<DWORD>(DVASPECT_THUMBNAIL),
                         static_cast<DWORD>(DVASPECT_DOCPRINT), 0ul})
      EXPECT_EQ(Draw(view.get(), untouched.dc.get(), &bounds, aspect), DV_E_DVASPECT) << aspect;
    EXPECT_EQ(Draw(view.get(), untouched.dc.get(), nullptr), E_INVALIDARG);
    EXPECT_EQ(Draw(view.get(), nullptr, &bounds), E_INVALIDARG);
    EXPECT_EQ(untouched.Pixels(), before);
    SIZEL size{};
    EXPECT_EQ(view->GetExtent(DVASPECT_ICON, -1, nullptr, &size), DV_E_DVASPECT);
  }
}

HRESULT CanUnload(HMODULE library) { return testing_support::LibraryCanUnload(library); }

// Enumerators, connection points, class objects, server locks and pages
// each keep the library while they live, and only then.
TEST_F(DiceStrictState, TheLibraryStaysExactlyAsLongAsItsObjects) {
  auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice);
  const win::unique_hmodule library(::LoadLibraryW(VESHA_BIN_DIR L"\\tumbix.ocx"));
  ASSERT_EQ(library.get(), DiceLibrary());
  EXPECT_EQ(CanUnload(library.get()), S_FALSE);

  win::com_ptr<IEnumConnectionPoints> points;
  ASSERT_EQ(dice.query<IConnectionPointContainer>()->EnumConnectionPoints(points.put()), S_OK);
  win::com_ptr<IEnumConnectionPoints> clone;
  ASSERT_EQ(points->Clone(clone.put()), S_OK);
  win::com_ptr<IConnectionPoint> point;
  ASSERT_EQ(points->Next(1, point.put(), nullptr), S_OK);
  dice.reset();
  EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "the enumerators keep the control";
  points.reset();
  clone.reset();
  EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "a connection point keeps its control";
  point.reset();
  EXPECT_EQ(CanUnload(library.get()), S_OK);

  for (const CLSID& clsid : {CLSID_Dice, CLSID_DiceProperty}) {
    win::com_ptr<IClassFactory> factory;
    ASSERT_EQ(::CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "a class object is held";
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    win::com_ptr<IUnknown> made;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, made.put_void()), S_OK);
    factory.reset();
    EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "locked, and an object lives";
    made.reset();
    EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "locked";
    ASSERT_EQ(::CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory.reset();
    EXPECT_EQ(CanUnload(library.get()), S_OK);
  }

  // An unlock without a lock may not be set against a live object.
  win::com_ptr<IClassFactory> factory;
  ASSERT_EQ(::CoGetClassObject(CLSID_Dice, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void()), S_OK);
  EXPECT_EQ(factory->LockServer(FALSE), S_OK);
  factory.reset();
  dice = NewDice<IUnknown>();
  EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "a live control keeps the library";
  dice.reset();
  EXPECT_EQ(CanUnload(library.get()), S_OK);
}

}  // namespace
