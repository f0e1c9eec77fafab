#pragma once
#include <optional>
#include <string>
#include <utility>

// A value read from the form, or the box that refuses it. The form model reads
// and checks every field up front; an operation shows a refusal at the point
// where it has always checked that field, so the order of its boxes holds.
template <class T>
struct Checked {
  std::optional<T> value;
  std::string refusal;

  static Checked Of(T v) { return {std::move(v), {}}; }
  static Checked Refused(std::string box) { return {std::nullopt, std::move(box)}; }
  bool ok() const { return value.has_value(); }
  const T& operator*() const { return *value; }
  const T* operator->() const { return &*value; }
};
