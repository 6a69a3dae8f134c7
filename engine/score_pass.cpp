#include "score_pass.h"

#include <string_view>

#include "table_queries.h"

namespace tvx {

namespace {
constexpr int kScorePiece = 256;
constexpr std::string_view kStageKey = "StageId=";
constexpr std::string_view kMemberKey = "MemberId=";
constexpr std::string_view kModifyKey = "LastModify=";
}  // namespace

void MarkShotStages(StatusEngine& engine) {
  TableScanner& scanner = engine.scanner;
  TextStream& scores = engine.scoreFile;
  scanner.RewindTable(scores);
  while (scanner.ReadPiece(scores, kScorePiece)) {
    const char* stageAt = scanner.FindKey(kStageKey);
    if (stageAt == nullptr) {
      continue;
    }
    // Both values come from this piece before a query replaces it. The member
    // key is searched only in front of the stage value; behind it the
    // continuation yields the attribute that follows.
    const char* stageValue = scanner.TakeValue(stageAt);
    const std::int32_t stage = ParseNumber(stageValue);
    const char* memberValue = scanner.TakeValue(scanner.FindKey(kMemberKey));
    const std::int32_t member = ParseNumber(memberValue);
    const bool hasBothValues = stageValue != nullptr && memberValue != nullptr;

    // 0 is no competitor: a member without an enrolled record marks nothing,
    // never the competitor of an earlier record.
    std::int32_t competitor = 0;
    if (hasBothValues) {
      FindCompetitorForMember(engine, member, competitor);
    }

    // The record's two further pieces; neither is searched for a stage.
    const bool hasSecond = scanner.ReadPiece(scores, kScorePiece);
    const bool hasThird = hasSecond && scanner.ReadPiece(scores, kScorePiece);
    const bool isFinal = hasThird && scanner.FindKey(kModifyKey) != nullptr;

    if (ShotTable::Holds(competitor, stage) &&
        (isFinal || IsDisqualified(engine, competitor) || IsStageRemoved(engine, stage))) {
      engine.shotTable.Mark(competitor, stage);
    }
    if (!hasThird) {
      break;  // the table ended inside this record
    }
  }
}

}  // namespace tvx
