// Writes the seed inputs of one fuzz target into a folder, one file a seed:
//   tvx-fuzz-seeds TARGET FOLDER SOURCE_DIR [SHARED_DIR]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz_seeds.h"

int main(int argc, char** argv) {
  if (argc < 4 || argc > 5) {
    std::fputs("usage: tvx-fuzz-seeds TARGET FOLDER SOURCE_DIR [SHARED_DIR]\n", stderr);
    return 2;
  }
  const std::string target = argv[1];
  const std::filesystem::path folder = argv[2];
  const auto seeds = tvx::fuzz::SeedsFor(target, {argv[3], argc == 5 ? argv[4] : ""});
  if (seeds.empty()) {
    std::fprintf(stderr, "tvx-fuzz-seeds: no seeds for '%s'\n", target.c_str());
    return 2;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  for (const auto& seed : seeds) {
    std::ofstream file(folder / seed.name, std::ios::binary | std::ios::trunc);
    file.write(seed.bytes.data(), static_cast<std::streamsize>(seed.bytes.size()));
    if (!file.flush()) {
      std::fprintf(stderr, "tvx-fuzz-seeds: cannot write '%s'\n", (folder / seed.name).c_str());
      return 1;
    }
  }
  std::printf("%zu seeds for %s in %s\n", seeds.size(), target.c_str(), folder.c_str());
  return 0;
}
