// Ownership of components.
#include "ui/Component.h"

#include <algorithm>

namespace qs {

TComponent::~TComponent() {
  SendFreeNotifications();
  DestroyComponents();
}

void TComponent::FreeNotification(TComponent* c) {
  if (!c || c == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), c) == FFreeNotifies.end()) FFreeNotifies.push_back(c);
  if (std::find(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this) == c->FFreeNotifies.end())
    c->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* c) {
  if (!c) return;
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), c), FFreeNotifies.end());
  c->FFreeNotifies.erase(std::remove(c->FFreeNotifies.begin(), c->FFreeNotifies.end(), this), c->FFreeNotifies.end());
}

void TComponent::SendFreeNotifications() {
  // Each one is unlinked before it is told, so its handler may unlink or link others.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    RemoveFreeNotification(other);
    other->Notification(this, opRemove);
  }
}

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
