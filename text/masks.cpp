// Wildcard masks: "*" for any run of characters, "?" for exactly one.
#include "fonction.h"

#include "errors.h"
#include "platform/codepage.h"

bool STRMATCHES(const std::string& SUBSTR, const std::string& S, int INDEX) {
  if (SUBSTR.empty()) throw EJclStringError(RSBLANKSEARCHSTRING);
  const bool any = SUBSTR == "*";
  if (any || S.empty()) return any;
  if (INDEX <= 0 || INDEX > static_cast<int>(S.size())) throw EJclStringError(RSARGUMENTOUTOFRANGE);

  // Both texts are walked as NUL-terminated: the cursor at the end stands on the NUL.
  const char* string_cursor = S.c_str() + (INDEX - 1);
  const char* mask_cursor = SUBSTR.c_str();
  const char* string_restart = nullptr;
  const char* mask_restart = nullptr;

  for (;;) {
    // Phase A: the mask and the text go along together.
    for (;;) {
      const char m = *mask_cursor;
      if (m == '\0') {
        const bool matched = *string_cursor == '\0';
        if (matched || !string_restart || !mask_restart) return matched;
        string_cursor = string_restart;
        mask_cursor = mask_restart;
        break;
      }
      if (m == '*') {
        mask_restart = ++mask_cursor;
        break;
      }
      if (*string_cursor == '\0') return false;
      if (m != '?' && m != *string_cursor) {
        if (!string_restart || !mask_restart) return false;
        string_cursor = string_restart;
        mask_cursor = mask_restart;
        break;
      }
      ++string_cursor;
      ++mask_cursor;
    }
    // Phase B: after a "*", look for the mask's next character further on in the text.
    for (;;) {
      const char m = *mask_cursor;
      if (m == '\0') return true;
      if (m == '*') {
        mask_restart = ++mask_cursor;
        continue;
      }
      if (m == '?') {
        if (*string_cursor == '\0') return false;
        ++string_cursor;
        ++mask_cursor;
        continue;
      }
      while (*string_cursor != m) {
        if (*string_cursor == '\0') return false;
        ++string_cursor;
      }
      string_restart = ++string_cursor;
      ++mask_cursor;
      break;
    }
  }
}

bool ISFILENAMEMATCH(std::string FILENAME, const std::string& MASK, bool CASESENSITIVE) {
  if (MASK.empty() || MASK == "*" || MASK == "*.*") return true;
  // A name without an extension ends in "." so that "*." finds it.
  if (FILENAME.find('.') == std::string::npos) FILENAME += '.';
  if (CASESENSITIVE) return STRMATCHES(MASK, FILENAME, 1);
  return STRMATCHES(platform::ansi_upper(MASK), platform::ansi_upper(FILENAME), 1);
}
