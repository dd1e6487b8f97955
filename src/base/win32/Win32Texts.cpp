#include <windows.h>

#include "base/Texts.h"

namespace quorvin {

std::string LoadText(TextId id) {
  // The texts live in the executable's own STRINGTABLE (win32/Texts.rc).
  char buffer[1024];
  const int count = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, sizeof buffer);
  return std::string(buffer, count > 0 ? static_cast<size_t>(count) : 0);
}

} // namespace quorvin
