#include "switching/win32/WmiDispatch.h"

#include <oleauto.h>

namespace quorvin {

namespace {

// The strings that a failing member leaves in the exception record.
class ExceptionRecord {
public:
  ExceptionRecord() noexcept { FInfo = {}; }
  ~ExceptionRecord() {
    ::SysFreeString(FInfo.bstrSource);
    ::SysFreeString(FInfo.bstrDescription);
    ::SysFreeString(FInfo.bstrHelpFile);
  }
  ExceptionRecord(const ExceptionRecord&) = delete;
  ExceptionRecord& operator=(const ExceptionRecord&) = delete;

  EXCEPINFO* Get() noexcept { return &FInfo; }

private:
  EXCEPINFO FInfo;
};

} // namespace

HRESULT InvokeByName(IDispatch& object, const wchar_t* name, WORD flags,
                     std::vector<VARIANT>& arguments, VARIANT* result) {
  DISPID member = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object.GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &member);
  if (FAILED(hr))
    return hr;
  // DISPPARAMS lists the arguments last one first.
  std::vector<VARIANT> reversed(arguments.rbegin(), arguments.rend());
  DISPPARAMS parameters{};
  parameters.rgvarg = reversed.empty() ? nullptr : reversed.data();
  parameters.cArgs = static_cast<UINT>(reversed.size());
  ExceptionRecord exception;
  UINT argumentError = 0;
  hr = object.Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters, result,
                     exception.Get(), &argumentError);
  if (hr == DISP_E_EXCEPTION) {
    EXCEPINFO& info = *exception.Get();
    if (info.pfnDeferredFillIn)
      info.pfnDeferredFillIn(&info);
    // The record's code says more than the general "member raised".
    if (FAILED(info.scode))
      hr = info.scode;
  }
  return hr;
}

Microsoft::WRL::ComPtr<IUnknown> ObjectOf(const VARIANT& value) {
  Microsoft::WRL::ComPtr<IUnknown> object;
  if (value.vt == VT_DISPATCH)
    object = value.pdispVal;
  else if (value.vt == VT_UNKNOWN)
    object = value.punkVal;
  return object;
}

} // namespace quorvin
