// SPDX-License-Identifier: GPL-3.0-or-later
// The game's actor lists: doubly linked, with a current-element cursor. Many behaviours depend on
// these exact rules (a walk that adds elements does not visit them; deleting while walking goes
// on with the follower), so every list of the game is one of these.
#pragma once

#include <iterator>
#include <list>

template <class T>
class List {
 public:
  // Inserts a zero-filled element directly after the current one (at the front when there is
  // none) and makes it current.
  T& Add() {
    auto where = atStart_ ? items_.begin() : std::next(current_);
    current_ = items_.insert(where, T{});
    atStart_ = false;
    return *current_;
  }

  // Inserts a zero-filled element after the last one, wherever the cursor is, and makes it
  // current: the actors that are added from anywhere (effects, capsules) go to the end.
  T& Append() {
    current_ = items_.insert(items_.end(), T{});
    atStart_ = false;
    return *current_;
  }

  // Puts the cursor before the first element.
  void Reset() { atStart_ = true; }

  // Moves on; false at the end, where the cursor stays on the last element.
  bool Next() {
    auto candidate = atStart_ ? items_.begin() : std::next(current_);
    if (candidate == items_.end()) return false;
    current_ = candidate;
    atStart_ = false;
    return true;
  }

  // Removes the current element; the one before it becomes current, so Next() continues with
  // the element that followed the deleted one.
  void Delete() {
    if (atStart_ || items_.empty()) return;
    auto after = items_.erase(current_);
    if (after == items_.begin()) {
      atStart_ = true;
    } else {
      current_ = std::prev(after);
    }
  }

  void Clear() {
    items_.clear();
    atStart_ = true;
  }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }

  // Makes element i (from 0) current; false when there is none.
  bool Select(int i) {
    if (i < 0 || i >= Count()) return false;
    current_ = std::next(items_.begin(), i);
    atStart_ = false;
    return true;
  }

  // Index of the current element, -1 before the first.
  int Index() const {
    if (atStart_) return -1;
    return static_cast<int>(std::distance(items_.begin(), typename std::list<T>::const_iterator(current_)));
  }

  bool HasCurrent() const { return !atStart_ && !items_.empty(); }
  T& Current() { return *current_; }
  const T& Current() const { return *current_; }

  // Plain iteration for code that does not move the cursor (drawing, tests).
  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::list<T> items_;
  typename std::list<T>::iterator current_ = items_.end();
  bool atStart_ = true;
};
