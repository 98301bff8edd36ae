// Vocabulary shared by every platform wrapper: opaque handles, wide text and the
// Win32 error codes the logic tests for. No Windows header is needed to use them.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// A kernel object, find handle or shell item list, as an opaque number.
using Handle = std::uintptr_t;
inline constexpr Handle kNullHandle = 0;
inline constexpr Handle kInvalidHandle = ~Handle{0};  // INVALID_HANDLE_VALUE

// UTF-16 text as the registry's W calls take and give it.
using WideString = std::u16string;

// Win32 error codes the logic and the sim speak of.
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorFileNotFound = 2;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorInvalidHandle = 6;
inline constexpr std::uint32_t kErrorNotEnoughMemory = 8;
inline constexpr std::uint32_t kErrorNoMoreFiles = 18;
inline constexpr std::uint32_t kErrorSharingViolation = 32;
inline constexpr std::uint32_t kErrorInvalidParameter = 87;
inline constexpr std::uint32_t kErrorInvalidName = 123;
inline constexpr std::uint32_t kErrorDirNotEmpty = 145;
inline constexpr std::uint32_t kErrorBadPathname = 161;
inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;
inline constexpr std::uint32_t kErrorNotOwner = 288;
inline constexpr std::uint32_t kErrorInstallFailure = 1603;

// GetLastError and SetLastError of the calling thread.
std::uint32_t last_error();
void set_last_error(std::uint32_t code);

// CloseHandle: true on success.
bool close_handle(Handle handle);

}  // namespace platform
