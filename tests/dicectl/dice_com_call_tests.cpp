// No C++ exception leaves the library's COM methods: ComCall turns them
// into HRESULTs. Allocation failure is forced from outside the library:
// this program replaces the global operator new, and the library's objects
// built into it from the static library allocate through it. (Inside
// tumbix.ocx, with a C++ runtime of its own, they would not.)
#include <gtest/gtest.h>
#include <ocidl.h>

#include <new>
#include <stdexcept>
#include <vector>

#include "common/com_call.h"
#include "common/com_ptr.h"
#include "dicectl/connection_point.h"
#include "dicectl/dice_property.h"

namespace {

// How many allocations may still succeed; below zero, all of them.
int g_allocationsLeft = -1;

// While it lives, operator new fails after the given number of allocations.
class AllocationsFail {
 public:
  explicit AllocationsFail(int after) noexcept { g_allocationsLeft = after; }
  AllocationsFail(const AllocationsFail&) = delete;
  AllocationsFail& operator=(const AllocationsFail&) = delete;
  ~AllocationsFail() { g_allocationsLeft = -1; }
};

}  // namespace

// The process heap, so the compiler sees no malloc paired with delete.
void* operator new(std::size_t size) {
  if (g_allocationsLeft == 0) throw std::bad_alloc();
  if (g_allocationsLeft > 0) --g_allocationsLeft;
  if (void* p = ::HeapAlloc(::GetProcessHeap(), 0, size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
  if (p) ::HeapFree(::GetProcessHeap(), 0, p);
}

void operator delete(void* p, std::size_t) noexcept { ::operator delete(p); }

namespace {

// An object answering IUnknown and one interface more, on the test's stack.
class Counted final : public IConnectionPointContainer {
 public:
  explicit Counted(REFIID answers) noexcept : answers_(answers) {}
  LONG HeldByOthers() const noexcept { return refs_ - 1; }

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    *out = iid == IID_IUnknown || iid == answers_ ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs_); }
  STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs_); }
  STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
  STDMETHODIMP FindConnectionPoint(REFIID, IConnectionPoint**) override { return E_NOTIMPL; }

 private:
  IID answers_;
  LONG refs_ = 1;
};

TEST(DiceComCall, TurnsEveryExceptionIntoAnHresult) {
  static_assert(noexcept(win::ComCall([] { return S_OK; })));
  EXPECT_EQ(win::ComCall([] { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(win::ComCall([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(win::ComCall([]() -> HRESULT { return std::vector<int>().at(1); }), E_FAIL);
  EXPECT_EQ(win::ComCall([]() -> HRESULT { throw 1; }), E_FAIL);
  HRESULT hr = S_OK;
  {
    AllocationsFail now(0);
    hr = win::ComCall([] { return std::vector<int>(1).empty() ? S_FALSE : S_OK; });
  }
  EXPECT_EQ(hr, E_OUTOFMEMORY);
}

// The point's list of sinks grows on Advise; when it cannot, the sink is
// neither connected nor kept, and no cookie names it.
TEST(DiceComCall, AnAdviseWithoutMemoryConnectsNothing) {
  Counted container(IID_IConnectionPointContainer);
  Counted sink(IID_IPropertyNotifySink);
  dicectl::ConnectionPoint point(container, IID_IPropertyNotifySink);
  DWORD cookie = 1;
  HRESULT hr = S_OK;
  {
    AllocationsFail now(0);
    hr = point.Advise(&sink, &cookie);
  }
  EXPECT_EQ(hr, E_OUTOFMEMORY);
  EXPECT_EQ(cookie, 0u);
  EXPECT_EQ(sink.HeldByOthers(), 0);
  EXPECT_TRUE(point.Sinks().empty());

  ASSERT_EQ(point.Advise(&sink, &cookie), S_OK);
  EXPECT_EQ(point.Sinks().size(), 1u);
  EXPECT_EQ(sink.HeldByOthers(), 1);
  EXPECT_EQ(point.Unadvise(cookie), S_OK);
  EXPECT_EQ(sink.HeldByOthers(), 0);
  EXPECT_EQ(container.HeldByOthers(), 0);
}

// SetObjects builds the new selection aside: without memory for it, the
// page keeps the selection it had and holds nothing of the new one.
TEST(DiceComCall, APageWithoutMemoryKeepsItsSelection) {
  win::com_ptr<IPropertyPage> page;
  ASSERT_EQ(dicectl::DiceProperty::Create(IID_IPropertyPage, page.put_void()), S_OK);
  Counted kept(IID_IUnknown), next(IID_IUnknown), other(IID_IUnknown);
  IUnknown* first[] = {&kept};
  ASSERT_EQ(page->SetObjects(1, first), S_OK);
  IUnknown* second[] = {&next, &other};
  HRESULT hr = S_OK;
  {
    AllocationsFail now(0);
    hr = page->SetObjects(2, second);
  }
  EXPECT_EQ(hr, E_OUTOFMEMORY);
  EXPECT_EQ(kept.HeldByOthers(), 1);
  EXPECT_EQ(next.HeldByOthers(), 0);
  EXPECT_EQ(other.HeldByOthers(), 0);
  EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
  EXPECT_EQ(kept.HeldByOthers(), 0);
}

}  // namespace
