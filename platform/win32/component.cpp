// The identifier lookup over ole32. CLSIDFromProgID reads the registry only, so the
// thread needs no CoInitialize.
#include "platform/component.h"

#include "platform/win32/windows_gateway.h"
// After the gateway: the lean windows.h leaves the component library out.
#include <objbase.h>

namespace platform {

std::int32_t clsid_from_prog_id(const WideString& prog_id) {
  CLSID clsid;
  return CLSIDFromProgID(reinterpret_cast<LPCOLESTR>(prog_id.c_str()), &clsid);
}

}  // namespace platform
