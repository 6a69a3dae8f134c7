// Runs one fuzz target over its seeds and over every input saved in
// fuzz/findings/<target>. A target aborts on a broken property, naming the input.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_seeds.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tvx::fuzz {
namespace {

namespace fs = std::filesystem;

void Replay(const std::string& label, const std::string& bytes) {
  SetInputLabel(label);
  EXPECT_EQ(
      LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0)
      << label;
}

TEST(TVX_FUZZ_SUITE, SeedCorpus) {
  const auto seeds = SeedsFor(TVX_FUZZ_TARGET, {TVX_SOURCE_DIR, TVX_SHARED_DIR});
  ASSERT_FALSE(seeds.empty());
  for (const Seed& seed : seeds) {
    Replay(std::string("seed ") + TVX_FUZZ_TARGET + "/" + seed.name, seed.bytes);
  }
}

TEST(TVX_FUZZ_SUITE, SavedFindings) {
  const fs::path folder = fs::path(TVX_SOURCE_DIR) / "fuzz" / "findings" / TVX_FUZZ_TARGET;
  std::vector<fs::path> inputs;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && entry.path().filename().string().front() != '.') {
      inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& path : inputs) {
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    Replay("finding " + path.string(), bytes);
  }
}

}  // namespace
}  // namespace tvx::fuzz
