// TComponent: a named object that may own others. An owner frees what it owns, last made
// first, when it is freed (a form owns the controls built from its table, its timers and
// its shadow); nothing else frees an owned component. Ownership says nothing about
// where a control is shown: that is its Parent (TControl).
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qs {

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

protected:
  // Frees the owned components, last made first. Owners that must free them before
  // their own teardown (forms, before their window goes) call it early.
  void DestroyComponents();

private:
  std::wstring FName;
  TComponent* FOwner = nullptr;
  std::vector<std::unique_ptr<TComponent>> FComponents;
};

}  // namespace qs
