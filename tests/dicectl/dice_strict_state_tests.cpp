// The Dice control's state and traffic under a strict container: how its
// persistence starts, what odd property bags leave, frozen events, its
// connection points, drawing into devices other than the screen, and when
// its library may be unloaded.
#include <gtest/gtest.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstdio>
#include <ostream>
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

using namespace dicectl_tests;

class DiceStrictState : public StrictTest {};

struct Properties {
  LONG halfChance = NoHalfChance;
  VARIANT_BOOL resizeable = VARIANT_TRUE;
  bool operator==(const Properties&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Properties& p) {
  return out << "HalfChance " << p.halfChance << ", Resizeable " << p.resizeable;
}
constexpr Properties kDefaults;

Properties PropertiesOf(const win::com_ptr<IUnknown>& control) {
  const auto dice = control.query<_Dice>();
  DiceSixNumber halfChance{};
  Properties p;
  dice->get_HalfChance(&halfChance);
  dice->get_Resizeable(&p.resizeable);
  p.halfChance = halfChance;
  return p;
}

win::com_ptr<IStream> NewStream() {
  win::com_ptr<IStream> stream;
  ::CreateStreamOnHGlobal(nullptr, TRUE, stream.put());
  return stream;
}

void Rewind(IStream* stream) {
  const LARGE_INTEGER start{};
  stream->Seek(start, STREAM_SEEK_SET, nullptr);
}

// A control with the given properties, saved and rewound.
win::com_ptr<IStream> SavedStream(const Properties& p) {
  const auto dice = NewDice<_Dice>();
  dice->put_HalfChance(static_cast<DiceSixNumber>(p.halfChance));
  dice->put_Resizeable(p.resizeable);
  const auto stream = NewStream();
  dice.query<IPersistStreamInit>()->Save(stream.get(), TRUE);
  Rewind(stream.get());
  return stream;
}

HRESULT LoadBag(const win::com_ptr<IUnknown>& dice, IPropertyBag* bag) {
  return dice.query<IPersistPropertyBag>()->Load(bag, nullptr);
}

// InitNew and Load each start an object's life, and exclude each other
// through either persistence interface. Nothing forbids a second InitNew,
// or loading a loaded control again; a failed load starts nothing.
TEST_F(DiceStrictState, InitNewAndLoadExcludeEachOther) {
  CallLog log;
  StrictBag bag(log);
  V_VT(bag[L"HalfChance"].value.get()) = VT_I4;
  V_I4(bag[L"HalfChance"].value.get()) = Dice3;
  const Properties saved{Dice4, VARIANT_FALSE};
  const auto stream = SavedStream(saved);
  {
    const auto dice = NewDice<IUnknown>();
    ASSERT_TRUE(dice);
    const auto streamed = dice.query<IPersistStreamInit>();
    EXPECT_EQ(streamed->InitNew(), S_OK);
    EXPECT_EQ(streamed->InitNew(), S_OK);
    EXPECT_EQ(dice.query<IPersistPropertyBag>()->InitNew(), S_OK);
    EXPECT_EQ(streamed->Load(stream.get()), E_UNEXPECTED);
    EXPECT_EQ(LoadBag(dice, &bag), E_UNEXPECTED);
    EXPECT_EQ(log.Take(), Calls{}) << "a refused load reads nothing";
    EXPECT_EQ(PropertiesOf(dice), kDefaults);
  }
  {
    const auto dice = NewDice<IUnknown>();
    const auto streamed = dice.query<IPersistStreamInit>();
    ASSERT_EQ(streamed->Load(stream.get()), S_OK);
    EXPECT_EQ(PropertiesOf(dice), saved);
    EXPECT_EQ(streamed->InitNew(), E_UNEXPECTED);
    EXPECT_EQ(dice.query<IPersistPropertyBag>()->InitNew(), E_UNEXPECTED);
    Rewind(stream.get());
    EXPECT_EQ(streamed->Load(stream.get()), S_OK) << "loading again is no second start";
  }
  {
    const auto dice = NewDice<IUnknown>();
    ASSERT_EQ(LoadBag(dice, &bag), S_OK);
    EXPECT_EQ(PropertiesOf(dice).halfChance, Dice3);
    EXPECT_EQ(dice.query<IPersistStreamInit>()->InitNew(), E_UNEXPECTED);
    EXPECT_EQ(log.Take(), (Calls{"Bag.Read(HalfChance:I4)", "Bag.Read(Resizeable:BOOL)"}));
  }
  {
    const auto dice = NewDice<IUnknown>();
    EXPECT_TRUE(FAILED(dice.query<IPersistStreamInit>()->Load(NewStream().get())));
    EXPECT_EQ(dice.query<IPersistStreamInit>()->InitNew(), S_OK) << "a failed load starts nothing";
  }
  EXPECT_EQ(bag.HeldByOthers(), 0) << "a control may not keep the bag";
}

// A bag keeps only what differs from the defaults, under the properties'
// names and types, and gives it back, converting another type; a stream
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
  ASSERT_EQ(LoadBag(loaded, &bag), S_OK);
  EXPECT_EQ(PropertiesOf(loaded), (Properties{Dice4, VARIANT_FALSE}));

  StrictBag typed(log);
  V_VT(typed[L"HalfChance"].value.get()) = VT_BSTR;
  V_BSTR(typed[L"HalfChance"].value.get()) = ::SysAllocString(L"2");
  const auto converted = NewDice<IUnknown>();
  ASSERT_EQ(LoadBag(converted, &typed), S_OK);
  EXPECT_EQ(PropertiesOf(converted), (Properties{Dice2, VARIANT_TRUE}));

  const auto saved = SavedStream({Dice4, VARIANT_FALSE});
  ULARGE_INTEGER whole{};
  ASSERT_EQ(streamed->GetSizeMax(&whole), S_OK);
  std::vector<char> bytes(static_cast<size_t>(whole.QuadPart) - 1);
  const auto size = static_cast<ULONG>(bytes.size());
  const auto cut = NewStream();
  ASSERT_EQ(saved->Read(bytes.data(), size, nullptr), S_OK);
  ASSERT_EQ(cut->Write(bytes.data(), size, nullptr), S_OK);
  Rewind(cut.get());
  const auto fresh = NewDice<IUnknown>();
  EXPECT_TRUE(FAILED(fresh.query<IPersistStreamInit>()->Load(cut.get())));
  EXPECT_EQ(PropertiesOf(fresh), kDefaults) << "a refused load changes nothing";
}

// What a bag answers for each key: its result, and a value of the type
// given holding the number, or the text when there is one.
struct OddAnswer {
  const char* what;
  HRESULT result;
  VARTYPE type;
  LONG number = 0;
  const wchar_t* text = nullptr;
  bool leave = false;
  bool absent = false;
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
      {"no key at all", S_OK, VT_EMPTY, 0, nullptr, false, true},
  };
  for (const OddAnswer& odd : answers) {
    SCOPED_TRACE(odd.what);
    CallLog log;
    StrictBag bag(log);
    for (const wchar_t* key : {L"HalfChance", L"Resizeable"}) {
      if (odd.absent) break;
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
    EXPECT_EQ(LoadBag(dice, &bag), S_OK);
    EXPECT_EQ(PropertiesOf(dice), kDefaults);
    EXPECT_EQ(log.Take(), (Calls{"Bag.Read(HalfChance:I4)", "Bag.Read(Resizeable:BOOL)"}));
    EXPECT_EQ(bag.HeldByOthers(), 0);
  }
}

// A sink advised on one of an active control's connection points.
struct Advised {
  Advised(HostedDice& dice, CallLog& log, const char* name, REFIID point, std::vector<IID> answers)
      : sink(log, name, std::move(answers)) {
    dice.object.query<IConnectionPointContainer>()->FindConnectionPoint(point, this->point.put());
    if (this->point) result = this->point->Advise(sink.Unknown(), &cookie);
  }
  StrictSink sink;
  win::com_ptr<IConnectionPoint> point;
  HRESULT result = E_FAIL;
  DWORD cookie = 1;
};

// Ends a roll: a click, then the ending phase's ticks.
void EndRoll(const HostedDice& dice) {
  dice.Click();
  for (int tick = 0; tick < dicectl::kSlowTickCount; ++tick) dice.Tick();
}

// Events are held back while the container has them frozen, however
// deeply. Once thawed, events flow again, and a thaw too many cannot leave
// them flowing through a later freeze.
TEST_F(DiceStrictState, FrozenEventsAreHeldBackUntilThawed) {
  HostedDice dice;
  ASSERT_TRUE(dice.ok());
  ASSERT_EQ(dice.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  dice.log.Take();
  CallLog log;
  Advised advised(dice, log, "sink", DIID___Dice, {DIID___Dice});
  ASSERT_EQ(advised.result, S_OK);
  log.Take();
  const auto control = dice.object.query<IOleControl>();
  const std::string started = EventCall("sink", dicectl::kDispidStartDice);
  const std::string ended = EventCall("sink", dicectl::kDispidEndDice, ":I2");

  EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
  EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
  dice.Tick();
  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
  EndRoll(dice);
  EXPECT_EQ(log.Take(), Calls{}) << "still frozen once";

  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
  dice.Tick();
  EndRoll(dice);
  EXPECT_EQ(log.Take(), (Calls{started, ended}));

  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK) << "always S_OK";
  EXPECT_EQ(control->FreezeEvents(TRUE), S_OK);
  dice.Tick();
  EXPECT_EQ(log.Take(), Calls{}) << "a thaw too many is no credit";
  EXPECT_EQ(control->FreezeEvents(FALSE), S_OK);
  EndRoll(dice);
  EXPECT_EQ(log.Take(), Calls{ended});
  EXPECT_EQ(advised.point->Unadvise(advised.cookie), S_OK);
  EXPECT_EQ(advised.sink.HeldByOthers(), 0);
  EXPECT_EQ(dice.log.Take(), Calls{}) << "events are for the sink, not the site";
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
  ULONG fetched = 1;
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
  EXPECT_EQ(fromClone.get(), notices.get()) << "a clone starts where the original stands";
  EXPECT_EQ(all->Next(1, fromOriginal.put(), nullptr), S_OK);
  EXPECT_EQ(fromOriginal.get(), fromClone.get()) << "and moves on its own";
  EXPECT_EQ(clone->Skip(1), S_FALSE);
  EXPECT_EQ(all->Reset(), S_OK);
  EXPECT_EQ(all->Skip(3), S_FALSE);
}

// Advise takes only sinks of the point's interface and calls them through
// it; Unadvise takes only live cookies of its own point, once; a sink may
// unadvise itself and others while it is called, and an unadvised sink
// hears nothing more. A refused value is no change to notify.
TEST_F(DiceStrictState, AdviseAndUnadviseKeepTheirWord) {
  HostedDice dice;
  ASSERT_TRUE(dice.ok());
  ASSERT_EQ(dice.DoVerb(OLEIVERB_INPLACEACTIVATE), S_OK);
  CallLog log;
  {
    Advised deaf(dice, log, "deaf", DIID___Dice, {IID_IDispatch});
    EXPECT_EQ(deaf.result, CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(deaf.cookie, 0u);
    EXPECT_EQ(deaf.sink.HeldByOthers(), 0);
    EXPECT_EQ(log.Take(), Calls{"deaf.QueryInterface(__Dice)"});
  }
  // first answers only the event interface, not IDispatch: it is called
  // through the interface it was advised with.
  Advised first(dice, log, "first", DIID___Dice, {DIID___Dice});
  Advised second(dice, log, "second", DIID___Dice, {DIID___Dice, IID_IDispatch});
  Advised notified(dice, log, "notified", IID_IPropertyNotifySink, {IID_IPropertyNotifySink});
  ASSERT_EQ(first.result, S_OK);
  ASSERT_EQ(second.result, S_OK);
  ASSERT_EQ(notified.result, S_OK);
  EXPECT_NE(first.cookie, 0u);
  EXPECT_NE(first.cookie, second.cookie);
  log.Take();

  const auto& events = first.point;
  EXPECT_EQ(events->Unadvise(0), CONNECT_E_NOCONNECTION);
  EXPECT_EQ(events->Unadvise(second.cookie + notified.cookie + 100), CONNECT_E_NOCONNECTION);
  if (notified.cookie != first.cookie && notified.cookie != second.cookie) {
    EXPECT_EQ(events->Unadvise(notified.cookie), CONNECT_E_NOCONNECTION) << "another point's cookie";
  }

  dice.Tick();
  EXPECT_EQ(log.Take(), (Calls{EventCall("first", dicectl::kDispidStartDice),
                               EventCall("second", dicectl::kDispidStartDice)}));
  const auto automation = dice.object.query<_Dice>();
  ASSERT_EQ(automation->put_HalfChance(Dice2), S_OK);
  EXPECT_TRUE(FAILED(automation->put_HalfChance(static_cast<DiceSixNumber>(dicectl::kLastFace + 1))));
  EXPECT_EQ(log.Take(), Calls{"notified.OnChanged(" + std::to_string(dicectl::kHalfChance.dispid) + ")"});

  // Inside the next event, first lets go of itself and of second.
  first.sink.onEvent = [&](DISPID) {
    EXPECT_EQ(events->Unadvise(first.cookie), S_OK);
    EXPECT_EQ(events->Unadvise(second.cookie), S_OK);
  };
  EndRoll(dice);
  EXPECT_EQ(log.Take(), Calls{EventCall("first", dicectl::kDispidEndDice, ":I2")})
      << "second was unadvised before its turn";
  EXPECT_EQ(first.sink.HeldByOthers(), 0);
  EXPECT_EQ(second.sink.HeldByOthers(), 0);
  EXPECT_EQ(events->Unadvise(first.cookie), CONNECT_E_NOCONNECTION) << "a cookie is good once";
  dice.Tick();
  EXPECT_EQ(log.Take(), Calls{});

  EXPECT_EQ(notified.point->Unadvise(notified.cookie), S_OK);
  EXPECT_EQ(notified.sink.HeldByOthers(), 0);
}

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

// Draws into a DC whose logical side maps to the given viewport, then
// reads it back side by side in logical units.
std::vector<COLORREF> DrawnMapped(IViewObject* view, int side, int scale, bool upwards) {
  testing_support::Canvas canvas(scale * side, scale * side);
  HDC dc = canvas.dc.get();
  ::SetMapMode(dc, MM_ANISOTROPIC);
  ::SetWindowExtEx(dc, side, side, nullptr);
  ::SetViewportExtEx(dc, scale * side, upwards ? -scale * side : scale * side, nullptr);
  ::SetViewportOrgEx(dc, 0, upwards ? scale * side : 0, nullptr);
  const RECTL bounds{0, upwards ? side : 0, side, upwards ? 0 : side};
  EXPECT_EQ(Draw(view, dc, &bounds), S_OK);
  // GetPixel reads logical coordinates: back to device units first.
  ::SetMapMode(dc, MM_TEXT);
  ::SetViewportOrgEx(dc, 0, 0, nullptr);
  std::vector<COLORREF> sampled;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) sampled.push_back(::GetPixel(dc, scale * x + scale / 2, scale * y + scale / 2));
  return sampled;
}

// A container prints or keeps a picture by drawing the control into a
// metafile or a DC with another mapping, as a printer's is; the face must
// arrive there as on the screen, upright.
TEST_F(DiceStrictState, DrawsIntoMetafilesAndScaledDevices) {
  const auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice);
  ASSERT_EQ(testing_support::FaceOf(dice.get()), dicectl::kFirstFace);
  const auto view = dice.query<IViewObject2>();
  const int side = 40;
  const RECTL bounds{0, 0, side, side};
  const testing_support::Canvas screen(side, side);
  ASSERT_EQ(Draw(view.get(), screen.dc.get(), &bounds), S_OK);
  const auto face = screen.Pixels();

  const win::unique_window_dc reference(nullptr);
  const int hundredthsOfMm =
      100 * side * ::GetDeviceCaps(reference.get(), HORZSIZE) / ::GetDeviceCaps(reference.get(), HORZRES);
  const RECT frame{0, 0, hundredthsOfMm, hundredthsOfMm};
  HDC recording = ::CreateEnhMetaFileW(reference.get(), nullptr, &frame, nullptr);
  ASSERT_NE(recording, nullptr);
  EXPECT_EQ(Draw(view.get(), recording, &bounds), S_OK);
  const unique_henhmetafile picture(::CloseEnhMetaFile(recording));
  ASSERT_TRUE(picture);
  const testing_support::Canvas played(side, side);
  const RECT all{0, 0, side, side};
  ASSERT_TRUE(::PlayEnhMetaFile(played.dc.get(), picture.get(), &all));
  // Playing back maps the frame through device units; allow a stray row.
  const double alike = Alike(played.Pixels(), face);
  std::printf("metafile played back: %.3f of the pixels as on screen\n", alike);
  EXPECT_GT(alike, 0.9);
  EXPECT_GT(Alike(DrawnMapped(view.get(), side, 2, false), face), 0.95) << "a device of twice the resolution";
  EXPECT_GT(Alike(DrawnMapped(view.get(), side, 1, true), face), 0.95) << "y growing upwards";

  // What cannot be drawn leaves the device as it was.
  const testing_support::Canvas untouched(side, side, RGB(0, 255, 0));
  const auto before = untouched.Pixels();
  for (DWORD aspect : {DWORD{DVASPECT_ICON}, DWORD{DVASPECT_THUMBNAIL}, DWORD{DVASPECT_DOCPRINT}, DWORD{0}})
    EXPECT_EQ(Draw(view.get(), untouched.dc.get(), &bounds, aspect), DV_E_DVASPECT) << aspect;
  EXPECT_EQ(Draw(view.get(), untouched.dc.get(), nullptr), E_INVALIDARG);
  EXPECT_EQ(Draw(view.get(), nullptr, &bounds), E_INVALIDARG);
  EXPECT_EQ(untouched.Pixels(), before);
  SIZEL size{};
  EXPECT_EQ(view->GetExtent(DVASPECT_ICON, -1, nullptr, &size), DV_E_DVASPECT);
}

HRESULT CanUnload(HMODULE library) { return testing_support::LibraryCanUnload(library); }

win::com_ptr<IClassFactory> Factory(const CLSID& clsid) {
  win::com_ptr<IClassFactory> factory;
  ::CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.put_void());
  return factory;
}

// Enumerators, connection points, class objects, server locks and pages
// each keep the library while they live, and only then.
TEST_F(DiceStrictState, TheLibraryStaysExactlyAsLongAsItsObjects) {
  auto dice = NewDice<IUnknown>();
  ASSERT_TRUE(dice);
  const win::unique_hmodule library(::LoadLibraryW(VESHA_BIN_DIR L"\\tumbix.ocx"));
  ASSERT_EQ(library.get(), DiceLibrary());
  EXPECT_EQ(CanUnload(library.get()), S_FALSE);

  win::com_ptr<IEnumConnectionPoints> points, clone;
  ASSERT_EQ(dice.query<IConnectionPointContainer>()->EnumConnectionPoints(points.put()), S_OK);
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
    auto factory = Factory(clsid);
    ASSERT_TRUE(factory);
    EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "a class object is held";
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    win::com_ptr<IUnknown> made;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IUnknown, made.put_void()), S_OK);
    factory.reset();
    EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "locked, and an object lives";
    made.reset();
    EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "locked";
    EXPECT_EQ(Factory(clsid)->LockServer(FALSE), S_OK);
    EXPECT_EQ(CanUnload(library.get()), S_OK);
  }

  // An unlock without a lock may not be set against a live object.
  EXPECT_EQ(Factory(CLSID_Dice)->LockServer(FALSE), S_OK);
  dice = NewDice<IUnknown>();
  EXPECT_EQ(CanUnload(library.get()), S_FALSE) << "a live control keeps the library";
  dice.reset();
  EXPECT_EQ(CanUnload(library.get()), S_OK);
}

}  // namespace
