#pragma once
// Late-bound calls through IDispatch: a member is found by its name and
// invoked with positional arguments.

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <vector>

namespace quorvin {

// Invokes the member called name with the arguments in the caller's order
// (not the reversed order of DISPPARAMS) and puts its value into *result.
// Returns the first failing HRESULT; exception details are freed here.
HRESULT InvokeByName(IDispatch& object, const wchar_t* name, WORD flags,
                     std::vector<VARIANT>& arguments, VARIANT* result);

// The object held by a variant (VT_DISPATCH or VT_UNKNOWN); null when the
// variant holds no object.
Microsoft::WRL::ComPtr<IUnknown> ObjectOf(const VARIANT& value);

} // namespace quorvin
