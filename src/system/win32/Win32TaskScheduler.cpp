#include "system/win32/Win32TaskScheduler.h"

#include "system/win32/Win32Text.h"

#include <oleauto.h>
#include <taskschd.h>
#include <wrl/client.h>

#include <memory>
#include <new>

namespace quorvin {
namespace {

using Microsoft::WRL::ComPtr;

struct BstrFree {
  void operator()(BSTR text) const noexcept { ::SysFreeString(text); }
};
using UniqueBstr = std::unique_ptr<OLECHAR, BstrFree>;

UniqueBstr MakeBstr(std::string_view text) {
  const std::wstring wide = WideText(text);
  UniqueBstr result(::SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size())));
  if (!result)
    throw std::bad_alloc();
  return result;
}

// An empty variant holds nothing to release: Connect and RegisterTask read
// it as "not given".
VARIANT Omitted() {
  VARIANT omitted;
  ::VariantInit(&omitted);
  return omitted;
}

// The scheduler's root folder on this computer.
HRESULT RootFolder(ComPtr<ITaskFolder>& folder) {
  ComPtr<ITaskService> service;
  HRESULT result =
      ::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&service));
  if (FAILED(result))
    return result;
  result = service->Connect(Omitted(), Omitted(), Omitted(), Omitted());
  if (FAILED(result))
    return result;
  const UniqueBstr root = MakeBstr("\\");
  return service->GetFolder(root.get(), &folder);
}

std::uint32_t Status(HRESULT result) { return static_cast<std::uint32_t>(result); }

} // namespace

std::uint32_t Win32TaskScheduler::RegisterTask(const std::string& name, const std::string& xml) {
  ComPtr<ITaskFolder> folder;
  HRESULT result = RootFolder(folder);
  if (FAILED(result))
    return Status(result);
  const UniqueBstr path = MakeBstr(name);
  const UniqueBstr definition = MakeBstr(xml);
  // No account given: the definition's principal (a group) is the one the
  // task runs as, and a group needs no password.
  ComPtr<IRegisteredTask> task;
  result = folder->RegisterTask(path.get(), definition.get(), TASK_CREATE_OR_UPDATE, Omitted(), Omitted(),
                                TASK_LOGON_GROUP, Omitted(), &task);
  return Status(result);
}

std::optional<std::string> Win32TaskScheduler::TaskXml(const std::string& name) {
  ComPtr<ITaskFolder> folder;
  if (FAILED(RootFolder(folder)))
    return std::nullopt;
  const UniqueBstr path = MakeBstr(name);
  ComPtr<IRegisteredTask> task;
  if (FAILED(folder->GetTask(path.get(), &task)))
    return std::nullopt;
  BSTR raw = nullptr;
  const HRESULT result = task->get_Xml(&raw);
  const UniqueBstr xml(raw);
  if (FAILED(result))
    return std::nullopt;
  return NarrowText(xml.get());
}

std::uint32_t Win32TaskScheduler::DeleteTask(const std::string& name) {
  ComPtr<ITaskFolder> folder;
  const HRESULT result = RootFolder(folder);
  if (FAILED(result))
    return Status(result);
  const UniqueBstr path = MakeBstr(name);
  return Status(folder->DeleteTask(path.get(), 0));
}

} // namespace quorvin
