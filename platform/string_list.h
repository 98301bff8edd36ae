// An ordered list of strings that keeps insertion order (for names read from the
// registry: the registry's enumeration order).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class StringList {
 public:
  int count() const { return static_cast<int>(items_.size()); }
  const std::string& operator[](int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void clear() { items_.clear(); }
  void add(std::string item) { items_.push_back(std::move(item)); }
  // Position of the first item equal to `text` without regard to letter case, or -1.
  int index_of(const std::string& text) const;
  const std::vector<std::string>& items() const { return items_; }

  // An update bracket: begin_update ... end_update, nested brackets count.
  void begin_update() { ++updating_; }
  void end_update() { --updating_; }
  bool updating() const { return updating_ > 0; }

 private:
  std::vector<std::string> items_;
  int updating_ = 0;
};

// Holds a list's update bracket open for one scope, also when an error leaves it.
class UpdateBracket {
 public:
  explicit UpdateBracket(StringList& list) : list_(list) { list_.begin_update(); }
  ~UpdateBracket() { list_.end_update(); }
  UpdateBracket(const UpdateBracket&) = delete;
  UpdateBracket& operator=(const UpdateBracket&) = delete;

 private:
  StringList& list_;
};
