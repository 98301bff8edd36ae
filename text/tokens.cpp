// Splitting text at a separator character.
#include "fonction.h"

std::string STRTOKEN(std::string& S, char SEPARATOR) {
  const std::size_t I = S.find(SEPARATOR);
  if (I == std::string::npos) {
    std::string result = S;
    S.clear();
    return result;
  }
  std::string result = S.substr(0, I);
  S.erase(0, I + 1);
  return result;
}

void STRTOKENTOSTRINGS(std::string S, char SEPARATOR, StringList* LIST) {
  if (!LIST) return;
  const UpdateBracket bracket(*LIST);
  LIST->clear();
  while (!S.empty()) LIST->add(STRTOKEN(S, SEPARATOR));
}
