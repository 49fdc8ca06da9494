#pragma once
// A deterministic spread of number-like texts for the property tests: signs, blanks, leading
// zeros, halves at every rounding position, long digit strings and trailing junk.

#include <string>
#include <vector>

inline std::vector<std::string> GeneratedNumberTexts() {
  const char* signs[] = {"", "-", "+", " "};
  const char* ints[] = {"", "0", "00", "7", "12", "999", "1710034065", "12345678901234567890"};
  const char* fracs[] = {"", ".", ".0", ".4", ".5", ".449", ".5000", ".995", ".0049", ".9999999"};
  const char* tails[] = {"", " ", "x", ",5"};
  std::vector<std::string> out;
  for (const char* s : signs)
    for (const char* i : ints)
      for (const char* f : fracs)
        for (const char* t : tails) out.push_back(std::string(s) + i + f + t);
  return out;
}
