#pragma once

#include <memory>
#include <type_traits>

namespace zb {

// Lives inside an object that others may reference without owning it (a sprite, a particle
// system). When the object goes, every TWeakRef taken from it reads as empty, so a reference a
// game object keeps can never reach freed memory.
template <class Base>
class TLifeline {
 public:
  explicit TLifeline(Base* self) : cell_(std::make_shared<Base*>(self)) {}
  ~TLifeline() { *cell_ = nullptr; }
  TLifeline(const TLifeline&) = delete;
  TLifeline& operator=(const TLifeline&) = delete;

  std::shared_ptr<Base* const> Cell() const { return cell_; }

 private:
  std::shared_ptr<Base*> cell_;
};

// A checked, non-owning reference to a T whose base keeps a TLifeline<Base> reachable through
// `Lifeline()`. `Get` is null once the object is freed (or when nothing was referenced).
template <class T, class Base>
class TWeakRef {
  static_assert(std::is_base_of_v<Base, T>);

 public:
  TWeakRef() = default;
  TWeakRef(std::nullptr_t) {}  // NOLINT: an empty reference reads like a null pointer
  TWeakRef(T* object) : cell_(object ? object->Lifeline().Cell() : nullptr) {}  // NOLINT
  TWeakRef(T& object) : cell_(object.Lifeline().Cell()) {}                       // NOLINT
  template <class U>
    requires(std::is_base_of_v<T, U> && !std::is_same_v<T, U>)
  TWeakRef(const TWeakRef<U, Base>& other) : cell_(other.cell_) {}  // NOLINT: upcast

  T* Get() const { return cell_ ? static_cast<T*>(*cell_) : nullptr; }
  bool Alive() const { return Get() != nullptr; }
  explicit operator bool() const { return Alive(); }
  void Reset() { cell_.reset(); }

  // Two references are equal when they name the same live object, or are both empty.
  friend bool operator==(const TWeakRef& a, const TWeakRef& b) { return a.Get() == b.Get(); }

 private:
  template <class U, class B>
  friend class TWeakRef;
  std::shared_ptr<Base* const> cell_;
};

}  // namespace zb
