#pragma once
// Indexed collections of model records: dense, 0-based, in load order; lookups by ID ignore
// case and take the first match. Nothing is removed while a model is loaded, and a record's ID
// does not change once it is in a collection: lookups go through an index of the IDs that grows
// with the collection, so that looking up every record of a large model stays linear.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/Text.h"

// Owns its records; their addresses stay stable while the collection grows.
template <typename T>
class Collection {
 public:
  Collection() = default;
  Collection(Collection&&) noexcept = default;
  Collection& operator=(Collection&&) noexcept = default;
  // Deep copy: every record is copied; the copy builds an index of its own.
  Collection(const Collection& other) {
    for (const auto& item : other.items_) items_.push_back(std::make_unique<T>(*item));
  }
  Collection& operator=(const Collection& other) {
    if (this != &other) *this = Collection(other);
    return *this;
  }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  T& At(int index) { return *items_.at(static_cast<size_t>(index)); }
  const T& At(int index) const { return *items_.at(static_cast<size_t>(index)); }
  T& Append(std::unique_ptr<T> item) {
    items_.push_back(std::move(item));
    return *items_.back();
  }
  // Reordering keeps every record (the CD list is rearranged for an installation run).
  void MoveToEnd(int index) {
    auto at = items_.begin() + index;
    std::rotate(at, at + 1, items_.end());
    index_.reset();
  }
  void MoveToFront(int index) {
    auto at = items_.begin() + index;
    std::rotate(items_.begin(), at, at + 1);
    index_.reset();
  }
  int IndexOf(const std::string& id) const {
    const std::vector<int>& slots = IndexedSlots();
    size_t mask = slots.size() - 1;
    for (size_t at = HashNoCase(id) & mask;; at = (at + 1) & mask) {
      int slot = slots[at];
      if (slot < 0) return -1;
      if (EqualsNoCase(items_[static_cast<size_t>(slot)]->ID.Raw(), id)) return slot;
    }
  }
  T* Find(const std::string& id) {
    int index = IndexOf(id);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
  }
  const T* Find(const std::string& id) const {
    int index = IndexOf(id);
    return index < 0 ? nullptr : items_[static_cast<size_t>(index)].get();
  }

  class Iterator {
   public:
    explicit Iterator(typename std::vector<std::unique_ptr<T>>::const_iterator at) : at_(at) {}
    T& operator*() const { return **at_; }
    T* operator->() const { return at_->get(); }
    Iterator& operator++() {
      ++at_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return at_ != other.at_; }

   private:
    typename std::vector<std::unique_ptr<T>>::const_iterator at_;
  };
  Iterator begin() const { return Iterator(items_.begin()); }
  Iterator end() const { return Iterator(items_.end()); }

 private:
  // An open-addressing table of record indexes by ID (any case), at most half full; a slot of
  // -1 is free. Only the first record of an ID has a slot. Made at the first lookup, so that
  // collections nobody searches cost one pointer.
  struct Index {
    std::vector<int> slots;
    size_t indexed = 0;  // the records [0, indexed) have their slots
  };

  const std::vector<int>& IndexedSlots() const {
    if (!index_) index_ = std::make_unique<Index>();
    Index& index = *index_;
    if (index.indexed == items_.size() && !index.slots.empty()) return index.slots;
    if (index.slots.size() < 2 * items_.size() + 2) {
      size_t size = 16;
      while (size < 2 * items_.size() + 2) size *= 2;
      index.slots.assign(size, -1);
      index.indexed = 0;
    }
    size_t mask = index.slots.size() - 1;
    for (; index.indexed < items_.size(); ++index.indexed) {
      const std::string& id = items_[index.indexed]->ID.Raw();
      for (size_t at = HashNoCase(id) & mask;; at = (at + 1) & mask) {
        int slot = index.slots[at];
        if (slot < 0) {
          index.slots[at] = static_cast<int>(index.indexed);
          break;
        }
        if (EqualsNoCase(items_[static_cast<size_t>(slot)]->ID.Raw(), id)) break;  // the first keeps its slot
      }
    }
    return index.slots;
  }

  std::vector<std::unique_ptr<T>> items_;
  mutable std::unique_ptr<Index> index_;
};
