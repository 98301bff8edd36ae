// The identifier lookup over the sim's HKCR, answering as CLSIDFromProgID does.
#include "platform/component.h"

#include <cctype>

#include "platform/codepage.h"
#include "platform/registry_calls.h"
#include "platform/sim/machine.h"

namespace platform {

namespace {

bool is_guid(const std::string& text) {
  static const char pattern[] = "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}";
  if (text.size() != sizeof(pattern) - 1) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (pattern[i] == 'x' ? !std::isxdigit(static_cast<unsigned char>(text[i]))
                          : text[i] != pattern[i])
      return false;
  }
  return true;
}

}  // namespace

std::int32_t clsid_from_prog_id(const WideString& prog_id) {
  auto& m = sim::machine();
  const std::string name = wide_to_ansi(prog_id);
  if (auto code = m.check(sim::Call::ClsidFromProgId, name)) return static_cast<std::int32_t>(*code);
  const auto clsid = m.string_value(kHkeyClassesRoot, name + "\\CLSID", "");
  return clsid && is_guid(*clsid) ? 0 : kCoEClassString;
}

}  // namespace platform
