// The window as it opens, and the binding of its texts to the controls.
#include <gtest/gtest.h>

#include "ansi_text.h"
#include "window_template.h"
#include "window_test_support.h"

namespace {

using tvx_test::WindowUnderTest;
using tvx_test::WorkingDirectory;

struct StartCase {
  const char* name;
  std::optional<std::string> rememberedFile;  // the bytes of "tvxinfo.cst", if any
  std::string shownPath;
};

void PrintTo(const StartCase& test, std::ostream* out) {
  *out << test.name;
}

class WindowStart : public ::testing::TestWithParam<StartCase> {};

TEST_P(WindowStart, ShowsEmptySlotsNoCabinetAndThePath) {
  WorkingDirectory work;
  if (GetParam().rememberedFile) {
    work.Write("tvxinfo.cst", *GetParam().rememberedFile);
  }
  WindowUnderTest under;

  for (int slot = 1; slot <= kStageSlots; ++slot) {
    EXPECT_EQ(under.ControlText(StageSlotId(slot)), QString()) << slot;
  }
  EXPECT_EQ(under.ControlText(kStatusBoxId), QStringLiteral("No cab file open"));
  EXPECT_EQ(under.ControlText(kPathBoxId), FromAnsiBytes(GetParam().shownPath));
  EXPECT_EQ(under.texts().m_cabPath, GetParam().shownPath);
  EXPECT_EQ(under.window().focusWidget(), under.Control(kUpdateId));
  EXPECT_FALSE(under.window().windowIcon().isNull());
  EXPECT_TRUE(under.intake.extractedFrom.empty());  // nothing runs before Update
}

INSTANTIATE_TEST_SUITE_P(
    RememberedPath, WindowStart,
    ::testing::Values(StartCase{"NoFile", std::nullopt, "c:\\Program Files\\Tarvix\\back"},
                      StartCase{"Path", "d:\\Match 2005\\Tarvix.cab", "d:\\Match 2005\\Tarvix.cab"},
                      StartCase{"EmptyFile", "", ""},
                      StartCase{"ZeroByteEndsThePath", std::string("e:\\a.cab\0junk", 13),
                                "e:\\a.cab"},
                      StartCase{"BytesAbove127",
                                "c:\\Schie\xDF"
                                "en\\\x80.cab",
                                "c:\\Schie\xDF"
                                "en\\\x80.cab"}),
    tvx_test::CaseName());

class WindowTextBinding : public ::testing::Test {
 protected:
  WorkingDirectory work;
  WindowUnderTest under;
};

TEST_F(WindowTextBinding, APullGivesBackExactlyTheBytesPushed) {
  std::string everyByte;
  for (int byte = 1; byte < 256; ++byte) {
    everyByte.push_back(static_cast<char>(byte));
  }
  everyByte += "\r\nline\rcarriage\nfeed\r\n\r\n";
  everyByte.push_back('\0');
  tvx::WindowTexts& texts = under.texts();
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    texts.m_stageText[static_cast<std::size_t>(slot)] = everyByte + std::to_string(slot);
  }
  texts.m_statusText = everyByte + "status";
  texts.m_cabPath = everyByte + "path";
  const tvx::WindowTexts pushed = texts;

  under.window().PushTexts();
  texts = tvx::WindowTexts{};
  under.window().PullTexts();

  for (int slot = 1; slot <= kStageSlots; ++slot) {
    const auto index = static_cast<std::size_t>(slot);
    EXPECT_EQ(texts.m_stageText[index], pushed.m_stageText[index]) << slot;
  }
  EXPECT_EQ(texts.m_statusText, pushed.m_statusText);
  EXPECT_EQ(texts.m_cabPath, pushed.m_cabPath);
}

TEST_F(WindowTextBinding, StageTextZeroIsShownNowhere) {
  under.texts().m_stageText[0] = "Stage  0    9";
  under.window().PushTexts();
  for (QWidget* control : under.window().findChildren<QWidget*>()) {
    EXPECT_NE(control->property("text").toString(), QStringLiteral("Stage  0    9"));
  }
  under.window().PullTexts();
  EXPECT_EQ(under.texts().m_stageText[0], "Stage  0    9");
}

TEST_F(WindowTextBinding, StageTextsShowInTheirSlots) {
  under.texts().m_stageText[1] = "Stage  1    4";
  under.texts().m_stageText[16] = "Stage 16    0";
  under.texts().m_stageText[17] = "Stage 17   12";
  under.texts().m_stageText[32] = "Stage 32  512";
  under.window().PushTexts();
  EXPECT_EQ(under.ControlText(107), QStringLiteral("Stage  1    4"));
  EXPECT_EQ(under.ControlText(122), QStringLiteral("Stage 16    0"));
  EXPECT_EQ(under.ControlText(123), QStringLiteral("Stage 17   12"));
  EXPECT_EQ(under.ControlText(138), QStringLiteral("Stage 32  512"));
  EXPECT_EQ(under.ControlText(108), QString());
}

}  // namespace
