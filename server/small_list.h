// A list that keeps up to N elements inside itself and moves to the heap only
// beyond that: the arguments of one automation call, which are almost always
// few, so that a call through IDispatch or a dual vtable allocates nothing for
// them.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace zs::server {

template <class T, std::size_t N>
class SmallList {
 public:
  explicit SmallList(std::size_t n = 0) { resize(n); }

  // New elements are value-initialised (a null pointer, an empty argument).
  void resize(std::size_t n) {
    if (!spilled_ && n <= N) {
      for (std::size_t i = n; i < size_; ++i) inline_[i] = T{};
    } else {
      if (!spilled_) heap_.assign(inline_.begin(), inline_.begin() + static_cast<std::ptrdiff_t>(size_));
      spilled_ = true;
      heap_.resize(n);
    }
    size_ = n;
  }
  void push_back(const T& value) {
    resize(size_ + 1);
    (*this)[size_ - 1] = value;
  }

  std::size_t size() const { return size_; }
  T* data() { return spilled_ ? heap_.data() : inline_.data(); }
  T& operator[](std::size_t i) { return data()[i]; }
  std::span<T> all() { return {data(), size_}; }

 private:
  std::array<T, N> inline_{};
  std::vector<T> heap_;
  std::size_t size_ = 0;
  bool spilled_ = false;
};

}  // namespace zs::server
