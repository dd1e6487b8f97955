#include "WmiFakeServices.h"

#include <oleauto.h>

#include <memory>

namespace quorvin::test {

using Microsoft::WRL::ComPtr;

namespace {

int gLivingFakes = 0;

std::string Narrow(const wchar_t* text) {
  if (!text || !*text)
    return {};
  const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<std::size_t>(length), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), length, nullptr, nullptr);
  result.resize(static_cast<std::size_t>(length - 1));
  return result;
}

SeenArgument See(const VARIANT& value) {
  SeenArgument seen;
  seen.Type = value.vt;
  if (value.vt == VT_BSTR) {
    seen.NullText = value.bstrVal == nullptr;
    seen.Text = Narrow(value.bstrVal);
  } else if (value.vt == VT_ERROR) {
    seen.Code = value.scode;
  } else if (value.vt == (VT_BYREF | VT_VARIANT) && value.pvarVal) {
    const VARIANT& inner = *value.pvarVal;
    seen.InnerType = inner.vt;
    if (inner.vt == (VT_ARRAY | VT_BSTR) && inner.parray) {
      seen.Dimensions = ::SafeArrayGetDim(inner.parray);
      LONG upper = -1;
      ::SafeArrayGetLBound(inner.parray, 1, &seen.LowerBound);
      ::SafeArrayGetUBound(inner.parray, 1, &upper);
      for (LONG i = seen.LowerBound; i <= upper; ++i) {
        BSTR element = nullptr;
        if (SUCCEEDED(::SafeArrayGetElement(inner.parray, &i, &element))) {
          seen.Elements.push_back(Narrow(element));
          ::SysFreeString(element);
        }
      }
    }
  }
  return seen;
}

std::vector<SeenArgument> SeeAll(const DISPPARAMS* parameters) {
  std::vector<SeenArgument> seen;
  if (parameters)
    for (UINT i = parameters->cArgs; i > 0; --i)
      seen.push_back(See(parameters->rgvarg[i - 1]));
  return seen;
}

// Reference counting and the living-fakes count for every fake.
template <class Interface>
class Fake : public Interface {
public:
  explicit Fake(const IID& iid) : FIid(iid) { ++gLivingFakes; }
  virtual ~Fake() { --gLivingFakes; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, FIid)) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FReferences; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --FReferences;
    if (left == 0)
      delete this;
    return left;
  }

private:
  const IID& FIid;
  ULONG FReferences = 1;
};

class FakeDispatch : public Fake<IDispatch> {
public:
  FakeDispatch() : Fake(IID_IDispatch) {}
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
};

class FakeAdapter : public FakeDispatch {
public:
  FakeAdapter(std::map<std::string, FakeAnswer> answers, std::vector<SeenCall>& calls)
      : FAnswers(std::move(answers)), FCalls(calls) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1)
      return E_INVALIDARG;
    FNames.push_back(Narrow(names[0]));
    ids[0] = static_cast<DISPID>(FNames.size());
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id < 1 || static_cast<std::size_t>(id) > FNames.size())
      return DISP_E_MEMBERNOTFOUND;
    const std::string& name = FNames[static_cast<std::size_t>(id) - 1];
    FCalls.push_back({name, flags, SeeAll(parameters)});
    const auto found = FAnswers.find(name);
    const FakeAnswer answer = found == FAnswers.end() ? FakeAnswer{} : found->second;
    if (FAILED(answer.Outcome))
      return answer.Outcome;
    if (result) {
      ::VariantInit(result);
      if (answer.AsText) {
        result->bstrVal = ::SysAllocString(answer.Text.c_str());
        result->vt = VT_BSTR;
      } else {
        result->vt = VT_I4;
        result->lVal = answer.Code;
      }
    }
    return S_OK;
  }

private:
  std::map<std::string, FakeAnswer> FAnswers;
  std::vector<SeenCall>& FCalls;
  std::vector<std::string> FNames;
};

// Owned copies of the elements the enumerator hands out.
using Elements = std::vector<std::shared_ptr<VARIANT>>;

class FakeEnum : public Fake<IEnumVARIANT> {
public:
  explicit FakeEnum(Elements elements) : Fake(IID_IEnumVARIANT), FElements(std::move(elements)) {}

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* out, ULONG* fetched) override {
    ULONG given = 0;
    for (; given < count && FNext < FElements.size(); ++given, ++FNext) {
      ::VariantInit(&out[given]);
      ::VariantCopy(&out[given], FElements[FNext].get());
    }
    if (fetched)
      *fetched = given;
    return given == count ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT**) override { return E_NOTIMPL; }

private:
  Elements FElements;
  std::size_t FNext = 0;
};

class FakeObjectSet : public FakeDispatch {
public:
  FakeObjectSet(Elements elements, HRESULT newEnumOutcome)
      : FElements(std::move(elements)), FNewEnumOutcome(newEnumOutcome) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1 || Narrow(names[0]) != "_NewEnum")
      return DISP_E_UNKNOWNNAME;
    ids[0] = DISPID_NEWENUM;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id != DISPID_NEWENUM || !result || (parameters && parameters->cArgs != 0))
      return DISP_E_MEMBERNOTFOUND;
    if (FAILED(FNewEnumOutcome))
      return FNewEnumOutcome;
    ::VariantInit(result);
    result->punkVal = new FakeEnum(FElements);
    result->vt = VT_UNKNOWN;
    return S_OK;
  }

private:
  Elements FElements;
  HRESULT FNewEnumOutcome;
};

std::shared_ptr<VARIANT> HoldVariant(VARIANT value) {
  return std::shared_ptr<VARIANT>(new VARIANT(value), [](VARIANT* held) {
    ::VariantClear(held);
    delete held;
  });
}

class FakeServices : public FakeDispatch {
public:
  FakeServices(FakeScript script, FakeRecord& record) : FScript(std::move(script)), FRecord(record) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (count != 1 || Narrow(names[0]) != "ExecQuery")
      return DISP_E_UNKNOWNNAME;
    ids[0] = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* parameters,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (id != 1 || !result)
      return DISP_E_MEMBERNOTFOUND;
    const std::vector<SeenArgument> arguments = SeeAll(parameters);
    FRecord.QueryArguments = arguments;
    if (!arguments.empty())
      FRecord.Queries.push_back(arguments[0].Text);
    if (FAILED(FScript.QueryOutcome))
      return FScript.QueryOutcome;
    FRecord.Calls.resize(FScript.Adapters.size());
    Elements elements;
    for (std::size_t i = 0; i < FScript.Adapters.size(); ++i) {
      VARIANT element;
      element.vt = VT_DISPATCH;
      element.pdispVal = new FakeAdapter(FScript.Adapters[i], FRecord.Calls[i]);
      elements.push_back(HoldVariant(element));
    }
    for (int i = 0; i < FScript.NonObjectElements; ++i) {
      VARIANT element;
      element.vt = VT_I4;
      element.lVal = i;
      elements.push_back(HoldVariant(element));
    }
    ::VariantInit(result);
    result->pdispVal = new FakeObjectSet(std::move(elements), FScript.NewEnumOutcome);
    result->vt = VT_DISPATCH;
    return S_OK;
  }

private:
  FakeScript FScript;
  FakeRecord& FRecord;
};

} // namespace

FakeAnswer ReturnCode(std::int32_t code) { return {S_OK, false, code, {}}; }
FakeAnswer ReturnText(const wchar_t* text) { return {S_OK, true, 0, text}; }
FakeAnswer Fail(HRESULT outcome) { return {outcome, false, 0, {}}; }

ComPtr<IDispatch> MakeFakeServices(const FakeScript& script, FakeRecord& record) {
  // mingw-w64's ComPtr::Attach adds a reference (WRL's does not), so the
  // pointer takes its own reference and the creation's one is dropped.
  auto* created = new FakeServices(script, record);
  ComPtr<IDispatch> services(created);
  created->Release();
  return services;
}

int LivingFakes() { return gLivingFakes; }

} // namespace quorvin::test
