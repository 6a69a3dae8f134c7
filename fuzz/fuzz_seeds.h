#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

// The seed inputs of the fuzz targets, made from the project's own tables and
// cabinets, its table generator, and the shared conformance cases and cabinet
// corpus where they lie beside the checkout. The same seeds start a fuzzing
// campaign and are replayed by the tests.
namespace tvx::fuzz {

inline constexpr std::array<std::string_view, 4> kTargets{"update", "report", "extraction",
                                                          "remembered_path"};

struct Seed {
  std::string name;  // unique within its target, usable as a file name
  std::string bytes;
};

struct SeedSources {
  std::string sourceDir;  // the checkout
  std::string sharedDir;  // the shared test material; may be absent
};

// The seeds of one target; none for a name that is no target.
std::vector<Seed> SeedsFor(std::string_view target, const SeedSources& sources);

}  // namespace tvx::fuzz
