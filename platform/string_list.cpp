#include "platform/string_list.h"

#include "platform/codepage.h"

int StringList::index_of(const std::string& text) const {
  const std::string wanted = platform::ansi_upper(text);
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (platform::ansi_upper(items_[i]) == wanted) return static_cast<int>(i);
  return -1;
}
