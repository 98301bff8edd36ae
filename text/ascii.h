// Letter case of the ASCII letters a-z only; every other byte compares exactly.
#pragma once

#include <string>

char ascii_upper(char c);
std::string ascii_upper(std::string text);
bool ascii_equal_ignoring_case(const std::string& a, const std::string& b);
