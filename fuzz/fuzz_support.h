#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: a scratch folder of their own, the splitting of
// one input into several texts, and the report of a broken property.
namespace tvx::fuzz {

// The libFuzzer entry point that every target defines.
using TestOneInput = int (*)(const std::uint8_t* data, std::size_t size);

// A folder for this process alone below the system's temporary directory,
// made at the first use and removed when the process ends normally. Each
// target reuses its folder from one input to the next.
class ScratchFolder {
 public:
  explicit ScratchFolder(std::string_view purpose);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// The input cut at every occurrence of the separator, into at most `most`
// texts; the last one keeps whatever follows, separators included.
std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size,
                                    std::string_view separator, std::size_t most);

// The texts joined with the separator: the input that SplitInput cuts into them.
std::string JoinInput(const std::vector<std::string>& texts, std::string_view separator);

// The tables of the update target and the texts of the report target are
// separated by this line; a table or text never holds it.
inline constexpr std::string_view kTextSeparator = "\n====\n";

// Names the input that runs next, so that a property broken while replaying
// saved inputs says which one it was.
void SetInputLabel(std::string label);

// A property of the code under test does not hold: says which and what was
// seen, then aborts, which libFuzzer keeps as a crash.
[[noreturn]] void ReportFinding(std::string_view property, std::string_view detail = {});

// Shows a text with its control and high bytes escaped, for a finding's report.
std::string Escaped(std::string_view text, std::size_t most = 400);

}  // namespace tvx::fuzz
