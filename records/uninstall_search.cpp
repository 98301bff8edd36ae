#include "records/uninstall_search.h"

#include <algorithm>

#include "platform/codepage.h"
#include "platform/registry.h"

namespace {

struct Match {
  std::string key_name;
  std::string value;  // SKEY2 read as a string, when it was asked for and exists
};

// The search every answer shares: the first record whose SKEY begins with SCHAINE, among
// the records whose key name `accepted` takes when given (the others are not opened).
// `read_value` tells whether SKEY2 is read or only tested for.
Match first_match(const std::string& SCHAINE, const std::string& SKEY, const std::string& SKEY2,
                  bool read_value, const KeyFilter* accepted = nullptr) {
  Registry registry(platform::kHkeyLocalMachine, platform::kKeyRead);
  StringList SOUS_CLES, VALEUR_CLES, LLIST2;
  if (!registry.open_read_only(SUNINST_PATH)) return {};
  registry.subkey_names(SOUS_CLES);
  const std::string wanted = platform::ansi_upper(SCHAINE);
  for (int I = 0; I < SOUS_CLES.count(); ++I) {
    if (accepted && !(*accepted)(SOUS_CLES[I])) continue;
    // Every record by its absolute path; its key is closed before the next one opens.
    if (!registry.open_read_only(std::string(SUNINST_PATH) + "\\" + SOUS_CLES[I])) continue;
    registry.value_names(VALEUR_CLES);
    for (int J = 0; J < VALEUR_CLES.count(); ++J) {
      if (VALEUR_CLES[J] != SKEY) continue;
      const std::string prefix = registry.read_string(SKEY).substr(0, SCHAINE.size());
      if (platform::ansi_upper(prefix) != wanted) continue;
      Match match;
      registry.value_names(LLIST2);
      if (LLIST2.index_of(SKEY2) < 0) return match;
      match.key_name = SOUS_CLES[I];
      if (read_value) {
        match.value = registry.read_string(SKEY2);
        match.value.erase(std::remove(match.value.begin(), match.value.end(), '"'),
                          match.value.end());
      }
      return match;
    }
    registry.close_key();
  }
  return {};
}

}  // namespace

std::string RECH_PROG(const std::string& SCHAINE, const std::string& SKEY, const std::string& SKEY2) {
  return first_match(SCHAINE, SKEY, SKEY2, true).value;
}

std::string RECUP_CLE(const std::string& SCHAINE, const std::string& SKEY, const std::string& SKEY2) {
  return first_match(SCHAINE, SKEY, SKEY2, false).key_name;
}

std::string find_value_among(const std::string& SCHAINE, const std::string& SKEY,
                             const std::string& SKEY2, const KeyFilter& accepted) {
  return first_match(SCHAINE, SKEY, SKEY2, true, &accepted).value;
}

bool RECH_APPLICATION(const std::string& SNOM_APP) {
  return !RECH_PROG(SNOM_APP, "DisplayName", "DisplayName").empty();
}

bool CHERCHE_CLE_EXIST(const std::string& SCLE) {
  Registry registry(platform::kHkeyLocalMachine);
  return registry.key_exists(SCLE);
}
