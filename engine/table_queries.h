#pragma once

#include <cstdint>
#include <string>

#include "status_engine.h"

namespace tvx {

// The name text holds at most this many bytes; a longer name is cut.
inline constexpr std::size_t kMostNameBytes = 63;

// Counts the pieces of "stage.xml" that hold "StageName=" and those of
// "enrolled.xml" that hold "CompId=", from where both streams stand, and the
// highest competitor number among the latter.
void CountStagesAndCompetitors(StatusEngine& engine);

// The competitor number of the first enrolled record for the member; the
// caller's number is left as it was when there is none.
void FindCompetitorForMember(StatusEngine& engine, std::int32_t member, std::int32_t& competitor);

// The member number of the first enrolled record for the competitor, or the
// caller's number as it was.
void FindMemberForCompetitor(StatusEngine& engine, std::int32_t competitor, std::int32_t& member);

// "First Last" of the competitor's member record, at most 63 bytes; the name is
// left as it was when no member record is found.
void FormatCompetitorName(StatusEngine& engine, std::int32_t competitor, std::string& name);

// DisqId='True' in the piece after the competitor's record piece.
bool IsDisqualified(StatusEngine& engine, std::int32_t competitor);

// RemoveId='True' in the piece after the stage's record piece.
bool IsStageRemoved(StatusEngine& engine, std::int32_t stage);

}  // namespace tvx
