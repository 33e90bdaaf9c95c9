// Ownership of components.
#include "ui/Component.h"

namespace qs {

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  // One at a time from the end, so a component freeing others it owns (or looking its
  // siblings up) never meets a half-emptied list.
  while (!FComponents.empty()) {
    std::unique_ptr<TComponent> last = std::move(FComponents.back());
    FComponents.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  for (const auto& c : FComponents)
    if (c->FName == name) return c.get();
  return nullptr;
}

}  // namespace qs
