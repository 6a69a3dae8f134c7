#pragma once

#include <map>
#include <string>

#include "sandbox.h"

namespace tvx::testing {

// What every extraction must leave, whatever its input: below the sandbox
// root nothing but the working directory and the files given beside it (left
// as they were), no partial file and no link in the working directory.
void ExpectContained(const Sandbox& sandbox, const std::map<std::string, std::string>& beside = {});

}  // namespace tvx::testing
