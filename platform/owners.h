// Move-only owners for the handle kinds the logic opens, each with its kind's
// invalid value and release call, so every path out of a routine releases them.
#pragma once

#include <utility>

#include "platform/file_calls.h"
#include "platform/folder_calls.h"
#include "platform/registry_calls.h"
#include "platform/types.h"

namespace platform {

template <typename Traits>
class UniqueHandle {
 public:
  using Value = typename Traits::Value;

  UniqueHandle() = default;
  explicit UniqueHandle(Value value) : value_(value) {}
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  UniqueHandle(UniqueHandle&& other) noexcept : value_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~UniqueHandle() { reset(); }

  bool valid() const { return value_ != Traits::invalid(); }
  Value get() const { return value_; }
  Value release() { return std::exchange(value_, Traits::invalid()); }
  // Releases the held value (keeping the thread's last error) and takes `value`.
  void reset(Value value = Traits::invalid()) {
    if (valid()) {
      const auto error = last_error();
      Traits::close(value_);
      set_last_error(error);
    }
    value_ = value;
  }

 private:
  Value value_ = Traits::invalid();
};

struct RegKeyTraits {
  using Value = RegKey;
  static Value invalid() { return 0; }
  static void close(Value key) { reg_close_key(key); }
};
struct KernelHandleTraits {  // processes and mutexes: null when absent
  using Value = Handle;
  static Value invalid() { return kNullHandle; }
  static void close(Value handle) { close_handle(handle); }
};
struct SnapshotTraits {  // tool-help snapshots: INVALID_HANDLE_VALUE when absent
  using Value = Handle;
  static Value invalid() { return kInvalidHandle; }
  static void close(Value handle) { close_handle(handle); }
};
struct FileTraits {  // CreateFileA: INVALID_HANDLE_VALUE when absent
  using Value = Handle;
  static Value invalid() { return kInvalidHandle; }
  static void close(Value handle) { close_handle(handle); }
};
struct FindTraits {
  using Value = Handle;
  static Value invalid() { return kInvalidHandle; }
  static void close(Value handle) { find_close(handle); }
};
struct ItemListTraits {
  using Value = Handle;
  static Value invalid() { return kNullHandle; }
  static void close(Value list) { co_task_mem_free(list); }
};

using UniqueRegKey = UniqueHandle<RegKeyTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueSnapshot = UniqueHandle<SnapshotTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueItemList = UniqueHandle<ItemListTraits>;

}  // namespace platform
