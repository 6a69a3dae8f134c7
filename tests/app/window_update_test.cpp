// Update and Browse: a complete update, updates that stop at a table, and the
// Browse command with its remembered path.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTest>

#include "ansi_text.h"
#include "window_template.h"
#include "window_test_support.h"

namespace {

using tvx_test::PlaceTables;
using tvx_test::TempVariable;
using tvx_test::WindowUnderTest;
using tvx_test::WorkedExampleTables;
using tvx_test::WorkingDirectory;

constexpr const char* kDefaultPath = "c:\\Program Files\\Tarvix\\back";

void Click(WindowUnderTest& under, int button) {
  QTest::mouseClick(under.Control(button), Qt::LeftButton);
}

void ExpectWorkedExampleShown(const WindowUnderTest& under) {
  EXPECT_EQ(under.ControlText(kStatusBoxId), QString::fromLatin1(tvx_test::kWorkedExampleStatus));
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    const QString expected =
        slot <= 4 ? QString::fromLatin1(tvx_test::kWorkedExampleStages[slot - 1]) : QString();
    EXPECT_EQ(under.ControlText(StageSlotId(slot)), expected) << "slot " << slot;
  }
}

void ExpectNoTablesLeft(const WorkingDirectory& work) {
  for (const char* table : {"member.xml", "score.xml", "enrolled.xml", "stage.xml"}) {
    EXPECT_FALSE(work.Exists(table)) << table;
  }
}

// A cabinet of the worked example beside the working directory; empty where
// gcab is missing.
class CabinetFolder {
 public:
  QString MakeWorkedExample(const QString& name = QStringLiteral("Tarvix.cab")) {
    const QString path = QDir::toNativeSeparators(m_folder.filePath(name));
    return tvx_test::MakeCabinet(path, WorkedExampleTables()) ? path : QString();
  }

 private:
  QTemporaryDir m_folder;
};

class WindowUpdate : public ::testing::Test {
 protected:
  WorkingDirectory work;
};

TEST_F(WindowUpdate, CompletesOnTablesInTheWorkingDirectory) {
  PlaceTables(work, WorkedExampleTables());
  WindowUnderTest under;
  Click(under, kUpdateId);

  EXPECT_TRUE(under.window().session().LastUpdateCompleted());
  ExpectWorkedExampleShown(under);
  EXPECT_EQ(under.ControlText(kPathBoxId), QString::fromLatin1(kDefaultPath));
  EXPECT_EQ(under.intake.extractedFrom, std::vector<std::string>{kDefaultPath});
  ExpectNoTablesLeft(work);
}

TEST_F(WindowUpdate, CompletesFromTheRememberedCabinet) {
  CabinetFolder cabinets;
  const QString cabinet = cabinets.MakeWorkedExample();
  if (cabinet.isEmpty()) {
    GTEST_SKIP() << "gcab is needed to make the cabinet";
  }
  const std::string cabPath = QFile::encodeName(cabinet).toStdString();
  work.Write("tvxinfo.cst", cabPath);
  WindowUnderTest under;
  Click(under, kUpdateId);

  EXPECT_TRUE(under.window().session().LastUpdateCompleted());
  ExpectWorkedExampleShown(under);
  EXPECT_EQ(under.texts().m_cabPath, cabPath);
  ExpectNoTablesLeft(work);
}

TEST_F(WindowUpdate, ShowsEachPushWhileItRuns) {
  PlaceTables(work, WorkedExampleTables());
  WindowUnderTest under;
  under.texts().m_stageText[1] = "Stage  1    7";
  under.window().PushTexts();
  QString statusAtExtraction;
  QString slotAtExtraction;
  under.intake.onExtract = [&] {
    statusAtExtraction = under.ControlText(kStatusBoxId);
    slotAtExtraction = under.ControlText(StageSlotId(1));
  };
  Click(under, kUpdateId);

  EXPECT_EQ(statusAtExtraction, QStringLiteral("An update was requested..."));
  // The initialisation empties the stage texts in the members only.
  EXPECT_EQ(slotAtExtraction, QStringLiteral("Stage  1    7"));
  ExpectWorkedExampleShown(under);
}

struct StopCase {
  const char* name;
  const char* missingTable;
  const char* status;
};

void PrintTo(const StopCase& test, std::ostream* out) {
  *out << test.name;
}

class WindowUpdateStops : public WindowUpdate, public ::testing::WithParamInterface<StopCase> {};

TEST_P(WindowUpdateStops, AtTheTableThatDoesNotOpen) {
  PlaceTables(work, WorkedExampleTables());
  WindowUnderTest under;
  Click(under, kUpdateId);  // a complete update first fills the slots
  PlaceTables(work, tvx_test::WithoutTable(WorkedExampleTables(), GetParam().missingTable));

  Click(under, kUpdateId);

  EXPECT_FALSE(under.window().session().LastUpdateCompleted());
  EXPECT_EQ(under.texts().m_statusText, GetParam().status);
  EXPECT_EQ(under.ControlText(kStatusBoxId), QString::fromLatin1(GetParam().status));
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    EXPECT_EQ(under.ControlText(StageSlotId(slot)), QString()) << "slot " << slot;
  }
  EXPECT_EQ(under.ControlText(kPathBoxId), QString::fromLatin1(kDefaultPath));
}

INSTANTIATE_TEST_SUITE_P(
    MissingTables, WindowUpdateStops,
    ::testing::Values(
        StopCase{"Member", "member.xml",
                 "An update was requested...\r\nFailed to open the member database...\r\n"
                 "Try clicking update again."},
        StopCase{"Score", "score.xml",
                 "An update was requested...\r\nMember database opened ok...\r\nFailed to open the "
                 "score database...\r\nTry clicking update again."},
        StopCase{"Enrolled", "enrolled.xml",
                 "An update was requested...\r\nMember database opened ok...\r\nScore database "
                 "opened ok...\r\nFailed to open the competitor database...\r\nTry clicking "
                 "update again."},
        StopCase{"Stage", "stage.xml",
                 "An update was requested...\r\nMember database opened ok...\r\nScore database "
                 "opened ok...\r\nCompetitor database opened ok...\r\nFailed to open the stages "
                 "database... Try clicking update again."}),
    tvx_test::CaseName());

class WindowBrowse : public ::testing::Test {
 protected:
  WorkingDirectory work;
};

TEST_F(WindowBrowse, OkRemembersThePathAndUpdatesFromIt) {
  CabinetFolder cabinets;
  const QString cabinet = cabinets.MakeWorkedExample(QStringLiteral("match backup.cab"));
  if (cabinet.isEmpty()) {
    GTEST_SKIP() << "gcab is needed to make the cabinet";
  }
  const std::string cabPath = QFile::encodeName(cabinet).toStdString();
  WindowUnderTest under;
  under.chooser.answer = cabinet;

  Click(under, kBrowseId);

  EXPECT_EQ(under.chooser.calls, 1);
  EXPECT_EQ(under.chooser.title, QStringLiteral("Browse for Tarvix Backup Cab File"));
  EXPECT_EQ(work.Read("tvxinfo.cst"), cabPath);
  EXPECT_EQ(under.intake.extractedFrom, std::vector<std::string>{cabPath});
  EXPECT_EQ(under.texts().m_cabPath, cabPath);
  EXPECT_EQ(under.ControlText(kPathBoxId), FromAnsiBytes(cabPath));
  EXPECT_TRUE(under.window().session().LastUpdateCompleted());
  ExpectWorkedExampleShown(under);

  WindowUnderTest nextStart;
  EXPECT_EQ(nextStart.ControlText(kPathBoxId), FromAnsiBytes(cabPath));
}

TEST_F(WindowBrowse, CancelChangesNothing) {
  work.Write("tvxinfo.cst", "d:\\old.cab");
  WindowUnderTest under;
  under.chooser.answer = std::nullopt;

  Click(under, kBrowseId);

  EXPECT_EQ(under.chooser.calls, 1);
  EXPECT_EQ(work.Read("tvxinfo.cst"), "d:\\old.cab");
  EXPECT_TRUE(under.intake.extractedFrom.empty());
  EXPECT_EQ(under.ControlText(kStatusBoxId), QStringLiteral("No cab file open"));
  EXPECT_EQ(under.ControlText(kPathBoxId), QStringLiteral("d:\\old.cab"));
}

TEST_F(WindowBrowse, PullsTheControlsFirst) {
  WindowUnderTest under;
  under.Control(kStatusBoxId)->setProperty("text", QStringLiteral("held by the control"));
  under.chooser.answer = std::nullopt;
  Click(under, kBrowseId);
  EXPECT_EQ(under.texts().m_statusText, "held by the control");
}

TEST_F(WindowBrowse, OkOnThePathAlreadyShownWritesItAgainAndUpdates) {
  const std::string shown = "e:\\Tarvix\\back\\Tarvix.cab";
  work.Write("tvxinfo.cst", shown);
  WindowUnderTest under;
  ASSERT_EQ(under.texts().m_cabPath, shown);
  work.Write("tvxinfo.cst", "changed since the start");
  under.chooser.answer = QString::fromStdString(shown);

  Click(under, kBrowseId);

  EXPECT_EQ(work.Read("tvxinfo.cst"), shown);
  EXPECT_EQ(under.intake.extractedFrom, std::vector<std::string>{shown});
  EXPECT_EQ(under.texts().m_statusText,
            "An update was requested...\r\nFailed to open the member database...\r\n"
            "Try clicking update again.");
}

// Where the chosen path cannot be remembered, the update still runs on it and
// not on a path remembered earlier.
TEST_F(WindowBrowse, UpdatesOnTheChosenPathWhenItCannotBeRemembered) {
  TempVariable missingFolder(work.FilePath("no such folder"));
  WindowUnderTest under;
  under.intake.remembered = "d:\\remembered earlier.cab";
  under.window().InitializeWindow();
  ASSERT_EQ(under.ControlText(kPathBoxId), QStringLiteral("d:\\remembered earlier.cab"));
  under.chooser.answer = QStringLiteral("d:\\chosen now.cab");

  Click(under, kBrowseId);

  EXPECT_EQ(under.intake.extractedFrom, std::vector<std::string>{"d:\\chosen now.cab"});
  EXPECT_EQ(under.texts().m_cabPath, "d:\\chosen now.cab");
  EXPECT_EQ(under.ControlText(kPathBoxId), QStringLiteral("d:\\chosen now.cab"));
  EXPECT_FALSE(QFile::exists(QFile::decodeName(work.FilePath("no such folder").c_str())));
}

}  // namespace
