#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <system_error>

namespace tvx::fuzz {

namespace fs = std::filesystem;

namespace {

std::string& InputLabel() {
  static std::string label;
  return label;
}

}  // namespace

ScratchFolder::ScratchFolder(std::string_view purpose) {
  std::random_device random;
  std::error_code error;
  const fs::path base = fs::temp_directory_path(error);
  if (error) {
    throw std::runtime_error("no temporary directory");
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "%08x%08x", random(), random());
    const fs::path candidate = base / ("tvx-fuzz-" + std::string(purpose) + "-" + suffix);
    // A name already taken is someone else's: never reuse it.
    if (fs::create_directory(candidate, error)) {
      path_ = candidate.string();
      return;
    }
  }
  throw std::runtime_error("cannot make a scratch folder");
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  fs::remove_all(path_, error);
}

std::vector<std::string> SplitInput(const std::uint8_t* data, std::size_t size,
                                    std::string_view separator, std::size_t most) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> texts;
  std::size_t from = 0;
  while (texts.size() + 1 < most) {
    const std::size_t at = input.find(separator, from);
    if (at == std::string_view::npos) {
      break;
    }
    texts.emplace_back(input.substr(from, at - from));
    from = at + separator.size();
  }
  texts.emplace_back(input.substr(from));
  return texts;
}

std::string JoinInput(const std::vector<std::string>& texts, std::string_view separator) {
  std::string input;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    if (i > 0) {
      input += separator;
    }
    input += texts[i];
  }
  return input;
}

void SetInputLabel(std::string label) {
  InputLabel() = std::move(label);
}

void ReportFinding(std::string_view property, std::string_view detail) {
  std::fprintf(stderr, "\n*** fuzz finding: %.*s\n", static_cast<int>(property.size()),
               property.data());
  if (!detail.empty()) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(detail.size()), detail.data());
  }
  if (!InputLabel().empty()) {
    std::fprintf(stderr, "input: %s\n", InputLabel().c_str());
  }
  std::fflush(stderr);
  std::abort();
}

std::string Escaped(std::string_view text, std::size_t most) {
  std::string shown;
  for (std::size_t i = 0; i < text.size() && i < most; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '\\') {
      shown += "\\\\";
    } else if (c < 32 || c > 126) {
      char code[8];
      std::snprintf(code, sizeof code, "\\x%02x", c);
      shown += code;
    } else {
      shown += static_cast<char>(c);
    }
  }
  if (text.size() > most) {
    shown += "...";
  }
  return shown;
}

}  // namespace tvx::fuzz
