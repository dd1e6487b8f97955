#include "base/Texts.h"

namespace quorvin {

std::string LoadText(TextId id) {
  switch (id) {
#define QUORVIN_TEXT(number, name, text) \
  case TextId::name: return text;
#include "base/TextTable.inc"
#undef QUORVIN_TEXT
  }
  return {};
}

} // namespace quorvin
