#include "errors.h"

#include <utility>

const char* const RSBLANKSEARCHSTRING = "Search string cannot be blank";
const char* const RSARGUMENTOUTOFRANGE = "Argument out of range";

Exception::Exception(std::string class_name, std::string message, std::uintptr_t address)
    : class_name_(std::move(class_name)), message_(std::move(message)), address_(address) {}

// Each constructor is kept out of line so that its return address is the raise site.
#define QUORVALIS_RAISE_ADDRESS \
  reinterpret_cast<std::uintptr_t>(__builtin_extract_return_addr(__builtin_return_address(0)))

__attribute__((noinline)) ERegistryException::ERegistryException(std::string message)
    : Exception("ERegistryException", std::move(message), QUORVALIS_RAISE_ADDRESS) {}

__attribute__((noinline)) EFOpenError::EFOpenError(std::string message)
    : Exception("EFOpenError", std::move(message), QUORVALIS_RAISE_ADDRESS) {}

__attribute__((noinline)) EJclStringError::EJclStringError(std::string message)
    : Exception("EJclStringError", std::move(message), QUORVALIS_RAISE_ADDRESS) {}
