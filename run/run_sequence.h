// The run: settings, detection, lookup, removal.
#pragma once

#include <string>
#include <vector>

// The Windows Installer options every installer command line of the run carries.
extern std::string SPARAM;

// Exit status of a run that found the suite's identifiers but, in no registry view, its
// installation folder, product key and product code: nothing was removed.
inline constexpr int kSuiteNotFoundStatus = 218;

// One run over the program's arguments (the program name not included); the exit
// status of a run that no error ended. A pass per registry view: the program's own,
// then on 64-bit Windows the other one.
int RUN_SEQUENCE(const std::vector<std::string>& arguments);

// The program's entry: the run, with the one place that catches an error, shows it
// in the box (unless nobody could see the box) and ends with 217.
int quorvalis_main(const std::vector<std::string>& arguments);

// The box's text for an error: "An unhandled exception occurred at $XXXXXXXX:" and a
// line with the class name, ": " and the message.
std::string unhandled_error_text(const std::string& class_name, const std::string& message,
                                 std::uintptr_t address);
