// TComponent: a named object that may own others. An owner frees what it owns, last made
// first, when it is freed (a form owns the controls built from its table, its timers and
// its shadow); nothing else frees an owned component. Ownership says nothing about
// where a control is shown: that is its Parent (TControl).
//
// Free notification: a component that keeps a pointer to another one it does not own
// asks to be told when that one goes (other->FreeNotification(this)); its
// Notification(other, opRemove) then runs while the other is still whole (a form sends
// it before its controls and its window go), so it can detach itself cleanly. The link
// works both ways: whichever goes first tells the other.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qs {

enum TOperation : uint8_t { opInsert, opRemove };

class TComponent {
public:
  TComponent() = default;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;
  virtual ~TComponent();

  const std::wstring& Name() const { return FName; }
  void SetName(std::wstring name) { FName = std::move(name); }
  TComponent* Owner() const { return FOwner; }

  // Takes ownership of c and returns it.
  template <typename T>
  T* Own(std::unique_ptr<T> c) {
    T* raw = c.get();
    raw->FOwner = this;
    FComponents.push_back(std::move(c));
    return raw;
  }
  // Makes a component owned by this one.
  template <typename T, typename... Args>
  T* Make(Args&&... args) {
    return Own(std::make_unique<T>(std::forward<Args>(args)...));
  }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int i) const { return FComponents[static_cast<size_t>(i)].get(); }
  // The owned component of that name, or nullptr.
  TComponent* FindComponent(const std::wstring& name) const;
  template <typename T>
  T* Find(const std::wstring& name) const {
    return dynamic_cast<T*>(FindComponent(name));
  }

  // Asks for Notification(this, opRemove) on c when this component goes, and the other
  // way round.
  void FreeNotification(TComponent* c);
  void RemoveFreeNotification(TComponent* c);

protected:
  // Told that c is going (opRemove); c is still whole while this runs.
  virtual void Notification(TComponent* c, TOperation op) { (void)c; (void)op; }
  // Tells the components linked by FreeNotification that this one is going. Called as
  // early as its most derived class can (forms: first thing), and by ~TComponent.
  void SendFreeNotifications();
  // Frees the owned components, last made first. Owners that must free them before
  // their own teardown (forms, before their window goes) call it early.
  void DestroyComponents();

private:
  std::wstring FName;
  TComponent* FOwner = nullptr;
  std::vector<std::unique_ptr<TComponent>> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

}  // namespace qs
