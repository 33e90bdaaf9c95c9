#include "base/Error.h"

#include "base/Text.h"

namespace qs {

std::wstring ExceptionText(const std::exception& e) {
  if (auto* own = dynamic_cast<const EQsError*>(&e)) return own->Message();
  return AnsiToWide(e.what());
}

}  // namespace qs
