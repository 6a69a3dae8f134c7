#pragma once

#include <array>
#include <string>

namespace tvx {

// The tables a backup holds, in the order of their removal: the four that an
// update reads, then the six it only deletes.
inline constexpr std::array<const char*, 10> kExtractedTables{
    "member.xml", "score.xml", "enrolled.xml", "stage.xml", "classify.xml",
    "club.xml",   "squad.xml", "tag.xml",      "team.xml",  "thematch.xml"};

// Deletes the extracted tables from workDir in that order. The first that
// cannot be deleted (absent, or a folder of that name) ends the removal
// silently and the tables after it stay; no other file is ever deleted.
void DeleteExtractedTables(const std::string& workDir);

}  // namespace tvx
