// The simulated Windows machine behind the host build's platform wrappers.
//
// One Machine is current at a time (`sim::machine()`); tests build it in a few
// lines, run the core over it and read its state and logs afterwards. It follows
// Windows where Wine differs. Vocabulary:
//  - registry: HKLM with HKCR as its SOFTWARE\Classes (a machine without per-user
//    classes), names compared without regard to case and kept as written, subkeys
//    enumerated in sorted order, values in creation order, data kept byte for byte;
//  - files: drives of case-insensitive trees with attributes, share-locked files,
//    folder links, short names, a type per drive, substituted drives, this machine's
//    shares, and a Recycle Bin (platform/sim/paths.h reads paths as Windows does);
//  - the process's environment variables;
//  - processes, programs (what a launch does), named mutexes, the thread's message queue;
//  - faults: "fail the Nth call of this kind on this target with this code, once or
//    from then on", counted as they are injected.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_calls.h"
#include "platform/launch_calls.h"
#include "platform/types.h"

namespace sim {

using platform::Handle;
using platform::WideString;

// Every wrapper call that can fail on Windows, by name.
enum class Call {
  RegOpenKey, RegQueryInfoKey, RegEnumKey, RegEnumValue, RegQueryValue,
  ClsidFromProgId,
  GetFileAttributes, SetFileAttributes, DeleteFile, RemoveDirectory, ReadFile,
  FindFirstFile, FindNextFile, ShFileOperation,
  CreateSnapshot, ProcessFirst, ProcessNext, OpenProcess, TerminateProcess,
  OpenMutex, ReleaseMutex,
  ShellExecute, WaitForInputIdle, WaitForSingleObject, GetExitCodeProcess,
  GetSystemDirectory, ShGetSpecialFolderLocation, ShGetPathFromIdList,
  CreateFile, GetFinalPathName, GetDriveType, ExpandEnvironmentStrings,
  IsWow64Process,
  Count_
};
const char* call_name(Call call);

// A planned failure: the `nth` call of `call` whose target matches (the target is
// the key path, "key path\value name", file path or program name the call works on;
// empty matches every call) fails with `code`, and every later one too when
// `persistent`.
struct Fault {
  Call call = Call::RegOpenKey;
  std::uint32_t code = platform::kErrorAccessDenied;
  int nth = 1;
  bool persistent = false;
  std::string target;
  int seen = 0;
  int injected = 0;
  std::vector<std::string> injected_at;  // the target of each injected failure
};

// ---- registry -------------------------------------------------------------
struct RegValue {
  WideString name;
  std::uint32_t type = 0;
  std::string data;  // the stored bytes, exactly
};
struct RegKeyNode {
  WideString name;
  WideString upper;  // name upper-cased: the sort and lookup key
  std::vector<std::shared_ptr<RegKeyNode>> subkeys;  // kept sorted by upper-cased name
  std::vector<RegValue> values;                       // in creation order
  bool deleted = false;
  bool open_denied = false;  // every open of this key answers 5
};

// ---- files ----------------------------------------------------------------
struct FileNode {
  std::string name;
  std::uint32_t attributes = 0;  // kFileAttributeDirectory marks a folder
  std::string content;
  bool locked = false;        // opened elsewhere without sharing: opens fail with 32
  std::string link_target;    // a folder link (junction or symbolic link) when not empty
  std::string short_name;     // its 8.3 alias ("PROGRA~1"), when it has one
  std::vector<std::unique_ptr<FileNode>> children;  // sorted by upper-cased name
  bool is_folder() const;
};
struct RecycledItem {
  std::string original_path;
  std::unique_ptr<FileNode> node;
};
// One SHFileOperationA call as the shell received it (the `from` list byte for byte).
struct FileOperationRecord {
  Handle owner = platform::kNullHandle;
  std::uint32_t function = 0;
  std::string from;
  std::uint32_t flags = 0;
};

// ---- processes and programs -------------------------------------------------
struct Process {
  std::uint32_t id = 0;
  std::string exe_file;  // as the snapshot lists it: the bare file name
  bool terminable = true;
  bool running = true;
  std::uint32_t exit_code = platform::kStillActive;
  // A launched program: the 10 ms waits still to time out before it ends, and its
  // ending (its effect), which answers the exit code. Empty: it runs until ended.
  int waits_left = 0;
  std::function<std::uint32_t()> finish;
  bool console = false;  // WaitForInputIdle answers WAIT_FAILED at once
};

struct LaunchRecord {
  std::string file;
  std::optional<std::string> parameters, verb, directory;  // nullopt: a null pointer
  int show = 0;
  std::uint32_t mask = 0;
  std::uint32_t size = 0;  // cbSize as given
};

struct Machine;
// What happens when a program is launched. Keyed by the file name as launched.
struct Program {
  bool starts = true;          // false: ShellExecuteExA fails with `start_error`
  std::uint32_t start_error = platform::kErrorFileNotFound;
  bool gives_process = true;   // false: success without a process handle
  bool console = false;        // WaitForInputIdle answers WAIT_FAILED at once
  int waits = 0;               // 10 ms waits that time out before it ends
  std::uint32_t exit_code = 0;
  std::function<void(Machine&, const LaunchRecord&)> effect;  // runs when it ends
};

// An installed Windows Installer product: what "msiexec /x{code}" takes away.
struct Product {
  std::string code;
  std::vector<std::pair<platform::Handle, std::string>> keys;  // root, path: deleted trees
  std::vector<std::string> files;                              // deleted files
  std::uint32_t removal_exit_code = 0;  // non-zero: the removal fails, nothing changes
  std::uint32_t removed_exit_code = 0;  // a removal's status: 3010 or 1641 asks for a restart
  bool in_32bit_view = false;  // an x86 package on 64-bit Windows: its record under Wow6432Node
  // Braced; when set, add_product lists the product under it in the installer's
  // UpgradeCodes key (shared by both views) and its removal takes it off again.
  std::string upgrade_code;
};

struct QueuedMessage {
  std::uint32_t message = 0;
  int arrives_at_wait = 0;  // posted during this 10 ms wait (1-based); 0: already there
};
struct DispatchedMessage {
  std::uint32_t message = 0;
  int after_wait = 0;  // how many waits had run out when it was dispatched
};

struct MessageBoxRecord {
  std::string text, caption;
  std::uint32_t type = 0;
};

struct Machine {
  Machine();
  ~Machine();
  Machine(const Machine&) = delete;
  Machine& operator=(const Machine&) = delete;

  // -- registry: paths are ANSI, "\"-separated, relative to the root given.
  RegKeyNode& add_key(Handle root, const std::string& path);
  void set_value(Handle root, const std::string& path, const std::string& name,
                 std::uint32_t type, std::string data);
  // A REG_SZ (or another string type) stored as UTF-16 with its NUL, as RegSetValueExW does.
  void set_string(Handle root, const std::string& path, const std::string& name,
                  const std::string& ansi_text, std::uint32_t type = 1);
  void set_dword(Handle root, const std::string& path, const std::string& name,
                 std::uint32_t value);
  bool delete_key(Handle root, const std::string& path);  // the whole tree
  RegKeyNode* find_key(Handle root, const std::string& path);
  bool key_exists(Handle root, const std::string& path) { return find_key(root, path); }
  // The string value as ANSI, or nullopt when key or value is missing.
  std::optional<std::string> string_value(Handle root, const std::string& path,
                                          const std::string& name);
  // An uninstall record under HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall.
  void add_uninstall_record(const std::string& key_name, const std::string& display_name,
                            const std::optional<std::string>& uninstall_string);
  // A dump of every key and value, one line each, for comparing whole states.
  std::vector<std::string> registry_lines() const;

  // -- files: full paths such as "C:\dir\file".
  FileNode& add_folder(const std::string& path, std::uint32_t attributes = 0);
  FileNode& add_file(const std::string& path, std::string content = {},
                     std::uint32_t attributes = platform::kFileAttributeArchive);
  FileNode& add_folder_link(const std::string& path, const std::string& target);
  FileNode* find_node(const std::string& path);
  bool file_exists(const std::string& path);
  bool folder_exists(const std::string& path);
  // Every path on every drive, folders marked with a trailing "\", for whole-state checks.
  std::vector<std::string> file_lines() const;
  // GetDriveTypeA's answer for a drive that exists; a drive not listed is fixed (3).
  std::map<char, std::uint32_t> drive_types;  // key: upper-case letter
  std::uint32_t drive_type(char letter) const;
  // Drive letters that stand for a folder ("subst S: C:\Windows"), key upper-case.
  std::map<char, std::string> substituted_drives;
  // Names that reach this machine in a UNC path; each drive X is shared as "X$".
  std::vector<std::string> local_names = {"localhost", "127.0.0.1", "QUORVALIS-PC"};
  // Further shares of this machine: name (upper-case) to the folder shared.
  std::map<std::string, std::string> shares;
  std::vector<RecycledItem> recycle_bin;
  std::vector<FileOperationRecord> file_operations;  // every shell file operation, in order
  std::string current_directory = "C:\\";

  // -- the process's environment: names compared without regard to case.
  void set_environment(const std::string& name, const std::string& value);
  std::map<std::string, std::string> environment;  // key: upper-cased name

  // -- shell folders and the system folder ("" for one that is absent).
  std::string system_directory = "C:\\Windows\\system32";
  std::map<int, std::string> shell_folders;

  // -- processes and programs
  Process& add_process(const std::string& exe_file, bool terminable = true);
  std::vector<Process> processes;
  std::vector<std::string> running_process_names() const;
  Process* find_process(std::uint32_t id);
  // Process handles (HandleKind::Process) name the process by its id.
  Handle open_process_handle(std::uint32_t id);
  Process* process_of(Handle handle);
  std::uint32_t next_process_id = 1000;
  // Programs by launched file name (case-insensitive). Unknown files fail to start.
  void add_program(const std::string& file, Program program);
  Program* find_program(const std::string& file);
  std::map<std::string, Program> programs;  // key: upper-cased file name
  std::vector<LaunchRecord> launches;
  // The installer tool (system folder + "\Msiexec.exe") knows these products.
  void add_product(Product product);
  // A product with its uninstall record ("MsiExec.exe /X{code}"); its keys and files
  // are created here and are what the removal takes away.
  Product& add_installed_product(const std::string& code, const std::string& display_name,
                                 std::vector<std::pair<Handle, std::string>> keys,
                                 std::vector<std::string> files);
  std::vector<Product> products;
  std::uint32_t installer_exit_code_for_unknown = 1605;  // ERROR_UNKNOWN_PRODUCT

  // -- named mutexes, world state: one another program owns ("Global\_MSIExecute"
  // while the installer runs a transaction) or one that merely exists, unowned; names
  // compare with their letter case, as Windows' do. A wait on an unowned one makes this
  // program its owner until it releases it.
  struct NamedMutex {
    std::string name;
    bool owned_elsewhere = true;
    int owned_here = 0;  // waits not yet released
  };
  void add_mutex(const std::string& name, bool owned_elsewhere = true) {
    mutexes.push_back({name, owned_elsewhere, 0});
  }
  NamedMutex* find_mutex(const std::string& name);
  std::vector<NamedMutex> mutexes;

  // -- the thread's messages
  std::vector<QueuedMessage> message_queue;
  std::vector<DispatchedMessage> dispatched;
  int waits_run_out = 0;  // 10 ms waits that timed out so far, over the whole run

  // -- the Windows simulated and the program on it: 32-bit both unless set. On 64-bit
  // Windows HKLM\SOFTWARE has two views (see registry_views.h); a 64-bit program needs
  // 64-bit Windows. The program's record sizes follow its architecture.
  bool windows_is_64_bit = false;
  bool program_is_64_bit = false;

  // -- user interface
  bool interactive = true;
  std::vector<MessageBoxRecord> message_boxes;

  // -- faults and counters
  Fault& fail(Call call, std::uint32_t code, int nth = 1, bool persistent = false,
              const std::string& target = {});
  // Called by every wrapper: counts the call and answers the injected code, if any.
  std::optional<std::uint32_t> check(Call call, const std::string& target);
  std::vector<Fault> faults;
  // Every call with its target, as given (letter case kept), when asked for.
  bool record_calls = false;
  std::vector<std::pair<Call, std::string>> call_log;
  int calls[static_cast<int>(Call::Count_)] = {};
  int call_count(Call call) const { return calls[static_cast<int>(call)]; }
  int registry_calls() const;
  int faults_injected() const;

  // -- open handles, by kind, so a test can tell that everything was released.
  enum class HandleKind { RegKey, Snapshot, Process, Find, ItemList, File, Mutex };
  Handle open_handle(HandleKind kind, std::shared_ptr<void> object);
  void* handle_object(Handle handle, HandleKind kind);
  bool close(Handle handle, HandleKind kind);
  int open_handles(HandleKind kind) const;
  int open_handles() const;
  struct OpenObject {
    HandleKind kind;
    std::shared_ptr<void> object;
  };
  std::map<Handle, OpenObject> handles;
  Handle next_handle = 0x100;

  std::uint32_t last_error = 0;

  // Registry roots (HKCR resolves into HKLM\SOFTWARE\Classes).
  std::shared_ptr<RegKeyNode> hklm;
  std::shared_ptr<RegKeyNode> root_node(Handle root);
  std::map<char, std::unique_ptr<FileNode>> drives;  // key: upper-case letter
};

// The current machine; a fresh one after reset().
Machine& machine();
Machine& reset();

// The subkey of that upper-cased name, or null (binary search: subkeys stay sorted).
std::shared_ptr<RegKeyNode> find_subkey(const RegKeyNode& key, const WideString& upper);

// Case folding the sim uses for names (ASCII and Latin-1 letters).
char16_t fold_wide(char16_t c);
WideString upper_wide(const WideString& text);
std::string upper_ansi(const std::string& text);
bool equal_ignoring_case(const std::string& a, const std::string& b);

}  // namespace sim
