#pragma once

#include <memory>
#include <new>
#include <type_traits>
#include <utility>
#include <vector>

namespace zb {

// An allocator whose construction without arguments leaves a trivial element uninitialised, so
// that growing a buffer that is written whole right after (an inflated record, converted pixels)
// does not first fill it with zeros: on large buffers that fill costs as much as the write.
template <typename T, typename Base = std::allocator<T>>
class DefaultInitAllocator : public Base {
  using Traits = std::allocator_traits<Base>;

 public:
  template <typename U>
  struct rebind {
    using other = DefaultInitAllocator<U, typename Traits::template rebind_alloc<U>>;
  };

  using Base::Base;

  template <typename U>
  void construct(U* place) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(place)) U;
  }
  template <typename U, typename... Args>
  void construct(U* place, Args&&... args) {
    Traits::construct(static_cast<Base&>(*this), place, std::forward<Args>(args)...);
  }
};

// `resize` leaves new elements unset; use it only where every new element is written next.
template <typename T>
using UninitVector = std::vector<T, DefaultInitAllocator<T>>;

}  // namespace zb
