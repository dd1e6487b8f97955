#include "switching/win32/WmiVariant.h"

#include "base/win32/ErrorChecks.h"

#include <limits>
#include <new>
#include <type_traits>

namespace quorvin {

namespace {

struct SafeArrayDeleter {
  void operator()(SAFEARRAY* array) const noexcept { ::SafeArrayDestroy(array); }
};
using UniqueSafeArray = std::unique_ptr<SAFEARRAY, SafeArrayDeleter>;

UniqueSafeArray MakeBstrArray(const TextList& texts) {
  UniqueSafeArray array(::SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(texts.size())));
  if (!array)
    throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(texts.size()); ++i) {
    // SafeArrayPutElement copies the string, so ours is freed here.
    const UniqueBstr element = MakeBstr(texts[i]);
    ThrowIfFailed(::SafeArrayPutElement(array.get(), &i, element.get()), "Unable to build an address list");
  }
  return array;
}

} // namespace

UniqueBstr MakeBstr(std::string_view text) {
  if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    throw std::bad_alloc();
  const int sourceLength = static_cast<int>(text.size());
  const int wideLength =
      sourceLength == 0 ? 0 : ::MultiByteToWideChar(CP_ACP, 0, text.data(), sourceLength, nullptr, 0);
  UniqueBstr result(::SysAllocStringLen(nullptr, static_cast<UINT>(wideLength)));
  if (!result)
    throw std::bad_alloc();
  if (wideLength > 0)
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), sourceLength, result.get(), wideLength);
  return result;
}

WmiArguments::WmiArguments(const MethodArguments& arguments) {
  FPassed.reserve(arguments.size());
  for (const MethodArgument& argument : arguments) {
    VARIANT passed;
    ::VariantInit(&passed);
    std::visit(
        [&](const auto& value) {
          using Kind = std::decay_t<decltype(value)>;
          if constexpr (std::is_same_v<Kind, std::string>) {
            VARIANT& owned = *FOwned.emplace_back().Get();
            owned.bstrVal = MakeBstr(value).release();
            owned.vt = VT_BSTR;
            passed = owned;
          } else if constexpr (std::is_same_v<Kind, TextList>) {
            VARIANT& owned = *FOwned.emplace_back().Get();
            owned.parray = MakeBstrArray(value).release();
            owned.vt = VT_ARRAY | VT_BSTR;
            passed.vt = VT_BYREF | VT_VARIANT;
            passed.pvarVal = &owned;
          } else {
            passed.vt = VT_ERROR;
            passed.scode = DISP_E_PARAMNOTFOUND;
          }
        },
        argument);
    FPassed.push_back(passed);
  }
}

} // namespace quorvin
