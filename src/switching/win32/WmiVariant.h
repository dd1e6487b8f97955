#pragma once
// Owners for the OLE strings and variants of late-bound calls, and the
// translation of method arguments into the variants the service expects.

#include "switching/ManagementSession.h"

#include <windows.h>
#include <oleauto.h>

#include <deque>
#include <memory>
#include <string_view>
#include <vector>

namespace quorvin {

struct BstrDeleter {
  void operator()(BSTR text) const noexcept { ::SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrDeleter>;

// An OLE string of an 8-bit text in the system's code page. An empty text
// gives an empty string, not a null one: the service must see "" passed.
UniqueBstr MakeBstr(std::string_view text);

// A variant that is cleared (releasing what it holds) when it goes.
class UniqueVariant {
public:
  UniqueVariant() noexcept { ::VariantInit(&FValue); }
  ~UniqueVariant() { ::VariantClear(&FValue); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* Get() noexcept { return &FValue; }
  const VARIANT* Get() const noexcept { return &FValue; }
  // Clears the variant and hands it out to be filled.
  VARIANT* Put() noexcept {
    ::VariantClear(&FValue);
    return &FValue;
  }

private:
  VARIANT FValue;
};

// The variants of one call in the caller's order. Texts go by value as
// BSTR; lists go by reference to a variant holding a zero-based array of
// BSTR; an omitted argument is VT_ERROR with DISP_E_PARAMNOTFOUND.
class WmiArguments {
public:
  explicit WmiArguments(const MethodArguments& arguments);
  WmiArguments(const WmiArguments&) = delete;
  WmiArguments& operator=(const WmiArguments&) = delete;

  std::vector<VARIANT>& Passed() noexcept { return FPassed; }

private:
  // A deque keeps its elements in place, so by-reference arguments can
  // point into it.
  std::deque<UniqueVariant> FOwned;
  std::vector<VARIANT> FPassed;
};

} // namespace quorvin
