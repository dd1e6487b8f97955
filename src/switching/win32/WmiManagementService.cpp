#include "switching/win32/WmiManagementService.h"

#include "base/QuorvinError.h"
#include "base/win32/ErrorChecks.h"
#include "switching/win32/WmiDispatch.h"
#include "switching/win32/WmiVariant.h"

#include <objbase.h>

namespace quorvin {

using Microsoft::WRL::ComPtr;

namespace {

constexpr wchar_t kNamespaceMoniker[] = L"winmgmts:\\\\.\\root\\cimv2";
constexpr const char* kConnectFailed = "Unable to reach the management service";
constexpr const char* kQueryFailed = "The management service refused the query";
constexpr const char* kEnumerateFailed = "Unable to walk the management query's result";

class WmiObject : public ManagedObject {
public:
  explicit WmiObject(ComPtr<IDispatch> object) : FObject(std::move(object)) {}

  std::int32_t CallMethod(const std::string& name, const MethodArguments& arguments) override {
    // An element that is no object cannot take the call; that counts as a
    // failed call on this adapter, not as the end of the walk.
    if (!FObject)
      throw QuorvinError("The query returned no object", static_cast<std::uint32_t>(E_NOINTERFACE));
    const UniqueBstr methodName = MakeBstr(name);
    WmiArguments passed(arguments);
    UniqueVariant result;
    const HRESULT hr = InvokeByName(*FObject.Get(), methodName.get(), DISPATCH_METHOD,
                                    passed.Passed(), result.Put());
    ThrowIfFailed(hr, "The management method failed");
    UniqueVariant number;
    ThrowIfFailed(::VariantChangeType(number.Put(), result.Get(), 0, VT_I4),
                  "The management method returned no number");
    return number.Get()->lVal;
  }

private:
  ComPtr<IDispatch> FObject;
};

class WmiCursor : public ManagedObjectCursor {
public:
  WmiCursor(ComPtr<IDispatch> collection, ComPtr<IEnumVARIANT> enumerator)
      : FCollection(std::move(collection)), FEnumerator(std::move(enumerator)) {}

  std::unique_ptr<ManagedObject> Next() override {
    UniqueVariant element;
    ULONG fetched = 0;
    if (FEnumerator->Next(1, element.Put(), &fetched) != S_OK)
      return nullptr;
    ComPtr<IDispatch> object;
    if (const ComPtr<IUnknown> unknown = ObjectOf(*element.Get()))
      unknown.As(&object);
    return std::make_unique<WmiObject>(std::move(object));
  }

private:
  ComPtr<IDispatch> FCollection;
  ComPtr<IEnumVARIANT> FEnumerator;
};

class WmiSession : public ManagementSession {
public:
  explicit WmiSession(ComPtr<IDispatch> services) : FServices(std::move(services)) {}

  std::unique_ptr<ManagedObjectCursor> ExecQuery(const std::string& query) override {
    const MethodArguments queryArguments{query};
    WmiArguments passed(queryArguments);
    UniqueVariant result;
    ThrowIfFailed(InvokeByName(*FServices.Get(), L"ExecQuery", DISPATCH_METHOD | DISPATCH_PROPERTYGET, passed.Passed(),
                               result.Put()),
                  kQueryFailed);
    ComPtr<IDispatch> collection;
    const ComPtr<IUnknown> returned = ObjectOf(*result.Get());
    ThrowIfFailed(returned ? returned.As(&collection) : E_NOINTERFACE, kQueryFailed);

    std::vector<VARIANT> none;
    UniqueVariant enumeratorHolder;
    ThrowIfFailed(InvokeByName(*collection.Get(), L"_NewEnum", DISPATCH_METHOD | DISPATCH_PROPERTYGET, none,
                               enumeratorHolder.Put()),
                  kEnumerateFailed);
    ComPtr<IEnumVARIANT> enumerator;
    const ComPtr<IUnknown> enumeratorObject = ObjectOf(*enumeratorHolder.Get());
    ThrowIfFailed(enumeratorObject ? enumeratorObject.As(&enumerator) : E_NOINTERFACE, kEnumerateFailed);
    return std::make_unique<WmiCursor>(std::move(collection), std::move(enumerator));
  }

private:
  ComPtr<IDispatch> FServices;
};

} // namespace

std::unique_ptr<ManagementSession> MakeWmiSession(ComPtr<IDispatch> services) {
  return std::make_unique<WmiSession>(std::move(services));
}

ComPtr<IDispatch> BindWmiServices() {
  ComPtr<IBindCtx> context;
  ThrowIfFailed(::CreateBindCtx(0, &context), kConnectFailed);
  ComPtr<IMoniker> moniker;
  ULONG eaten = 0;
  // COM's own parser (ole32) knows "ProgID:" names such as "winmgmts:";
  // the URL monikers of urlmon's MkParseDisplayNameEx are not needed, and
  // urlmon, no KnownDLL, is not imported.
  ThrowIfFailed(::MkParseDisplayName(context.Get(), kNamespaceMoniker, &eaten, &moniker), kConnectFailed);
  ComPtr<IUnknown> bound;
  ThrowIfFailed(
      moniker->BindToObject(context.Get(), nullptr, IID_IUnknown, reinterpret_cast<void**>(bound.GetAddressOf())),
      kConnectFailed);
  ComPtr<IDispatch> services;
  ThrowIfFailed(bound.As(&services), kConnectFailed);
  return services;
}

std::unique_ptr<ManagementSession> WmiManagementService::Connect() {
  return MakeWmiSession(BindWmiServices());
}

} // namespace quorvin
