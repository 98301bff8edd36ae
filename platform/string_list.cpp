#include "platform/string_list.h"

#include "platform/codepage.h"

int StringList::index_of(const std::string& text) const {
  auto upper = [](std::string s) {
    platform::char_upper_buff(s.data(), static_cast<std::uint32_t>(s.size()));
    return s;
  };
  const std::string wanted = upper(text);
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (upper(items_[i]) == wanted) return static_cast<int>(i);
  return -1;
}
