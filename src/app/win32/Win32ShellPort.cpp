#include "app/ShellPort.h"

#include "store/FileIo.h"

#include <windows.h>

#include <exdisp.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlobj.h>
#include <wrl/client.h>

#include <string>

namespace quorvin {
namespace {

using Microsoft::WRL::ComPtr;

// A BSTR or VARIANT of an ANSI text, freed with the object.
class TBstr {
public:
  explicit TBstr(const std::string& text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    FValue = ::SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (FValue)
      ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), FValue, length);
  }
  ~TBstr() { ::SysFreeString(FValue); }
  TBstr(const TBstr&) = delete;
  TBstr& operator=(const TBstr&) = delete;
  BSTR Get() const { return FValue; }

private:
  BSTR FValue = nullptr;
};

VARIANT TextVariant(BSTR text) {
  VARIANT variant;
  ::VariantInit(&variant);
  variant.vt = VT_BSTR;
  variant.bstrVal = text; // not owned: the TBstr frees it
  return variant;
}

// The desktop's own shell, through the window that shows the desktop:
// what it opens runs with the rights of the user's Explorer, not with this
// elevated program's, and the handler it finds is looked up as Explorer
// looks it up. Nothing when no desktop shell runs.
ComPtr<IShellDispatch2> DesktopShell() {
  ComPtr<IShellWindows> windows;
  if (FAILED(::CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&windows))))
    return nullptr;
  VARIANT empty;
  ::VariantInit(&empty);
  long desktopWindow = 0;
  ComPtr<IDispatch> found;
  if (windows->FindWindowSW(&empty, &empty, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, &found) != S_OK ||
      !found)
    return nullptr;
  ComPtr<IServiceProvider> provider;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(found.As(&provider)) ||
      FAILED(provider->QueryService(SID_STopLevelBrowser, IID_PPV_ARGS(&browser))) ||
      FAILED(browser->QueryActiveShellView(&view)) ||
      FAILED(view->GetItemObject(SVGIO_BACKGROUND, IID_PPV_ARGS(&background))) ||
      FAILED(background.As(&folderView)) || FAILED(folderView->get_Application(&application)) ||
      FAILED(application.As(&shell)))
    return nullptr;
  return shell;
}

class Win32ShellPort final : public ShellPort {
public:
  void Open(const std::string& verb, const std::string& target) override {
    const std::string resolved = ResolveShellTarget(target, GetExecutableFolder());
    if (ComPtr<IShellDispatch2> shell = DesktopShell()) {
      const TBstr file(resolved), operation(verb);
      const TBstr none("");
      VARIANT arguments = TextVariant(none.Get()), folder = TextVariant(none.Get());
      VARIANT operationVariant = TextVariant(operation.Get());
      VARIANT show;
      ::VariantInit(&show);
      show.vt = VT_I4;
      show.lVal = SW_SHOWNORMAL;
      if (file.Get() && SUCCEEDED(shell->ShellExecute(file.Get(), arguments, folder, operationVariant, show)))
        return;
    }
    // No desktop shell (another shell, a session without Explorer, or a
    // system that does not offer it): the page opens from this process,
    // with its rights, which is all that is left.
    ::ShellExecuteA(nullptr, verb.c_str(), resolved.c_str(), nullptr, nullptr, SW_SHOW);
  }
};

} // namespace

std::unique_ptr<ShellPort> CreatePlatformShellPort() { return std::make_unique<Win32ShellPort>(); }

} // namespace quorvin
