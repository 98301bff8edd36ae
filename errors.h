// The system's error classes. The class name is what the user reads in the box.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

// Base of every error the system raises; remembers the code address that raised it.
class Exception : public std::exception {
 public:
  Exception(std::string class_name, std::string message, std::uintptr_t address);
  const std::string& class_name() const { return class_name_; }
  const std::string& message() const { return message_; }
  std::uintptr_t address() const { return address_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string class_name_;
  std::string message_;
  std::uintptr_t address_;
};

// A registry enumeration or read that failed, or a value of the wrong type.
class ERegistryException : public Exception {
 public:
  explicit ERegistryException(std::string message);
};

// A file that exists but cannot be opened for reading.
class EFOpenError : public Exception {
 public:
  explicit EFOpenError(std::string message);
};

// The text helpers' misuse errors.
class EJclStringError : public Exception {
 public:
  explicit EJclStringError(std::string message);
};

// "Search string cannot be blank" and "Argument out of range".
extern const char* const RSBLANKSEARCHSTRING;
extern const char* const RSARGUMENTOUTOFRANGE;
