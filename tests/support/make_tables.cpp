// Writes the tables of a generated match into a folder:
//   tvx-make-tables FOLDER [sample | typical | maximum]
// "sample" is the small match in examples/, "typical" 150 competitors on 12
// stages, "maximum" 512 competitors on 32 stages with every pair scored.
#include <cstdio>
#include <cstring>

#include "match_tables.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fputs("usage: tvx-make-tables FOLDER [sample | typical | maximum]\n", stderr);
    return 2;
  }
  tvx::testing::MatchShape shape;  // the sample match
  const char* kind = argc == 3 ? argv[2] : "sample";
  if (std::strcmp(kind, "typical") == 0) {
    shape = {150, 12, 1, 2, 20, 3, 5, true, 7};
  } else if (std::strcmp(kind, "maximum") == 0) {
    shape = {512, 32, 0, 0, 0, 0, 0, false, 9};
  } else if (std::strcmp(kind, "sample") != 0) {
    std::fprintf(stderr, "tvx-make-tables: unknown match '%s'\n", kind);
    return 2;
  }
  const auto match = tvx::testing::GenerateMatch(shape);
  if (!tvx::testing::WriteTableFiles(argv[1], tvx::testing::MatchTables(match, true))) {
    std::fprintf(stderr, "tvx-make-tables: cannot write into '%s'\n", argv[1]);
    return 1;
  }
  return 0;
}
