// Print Preview: the report file, byte for byte, and the viewer started on it.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTest>
#include <filesystem>

#include "report_viewer.h"
#include "window_template.h"
#include "window_test_support.h"

namespace {

using tvx_test::TempVariable;
using tvx_test::WindowUnderTest;
using tvx_test::WorkingDirectory;

constexpr const char* kReportHead =
    "\r\nScoring Status on Sat Jun 04 14:05:09 2005"
    "\r\n==========================================\r\n\r\n"
    "Competitors left to shoot each stage\r\n"
    "====================================\r\n";
constexpr const char* kReportMiddle =
    "\r\n"
    "Competitors still shooting\r\n"
    "==========================\r\n";

const std::string kWorkedExampleReport = std::string(kReportHead) +
                                         "Stage  1    1\r\nStage  2    2\r\n"
                                         "Stage  3    1\r\nStage  4    2\r\n" +
                                         kReportMiddle + "  2 Test Shooter             (2,4)\r\n";
const std::string kFirstStartReport = std::string(kReportHead) + kReportMiddle + "No cab file open";

void Click(WindowUnderTest& under, int button) {
  QTest::mouseClick(under.Control(button), Qt::LeftButton);
}

QString ReportPath(const WorkingDirectory& work) {
  return QFile::decodeName(work.FilePath("tvxprint.txt").c_str());
}

// Every text the window shows, to tell whether anything changed.
std::vector<QString> ShownTexts(const WindowUnderTest& under) {
  std::vector<QString> shown;
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    shown.push_back(under.ControlText(StageSlotId(slot)));
  }
  shown.push_back(under.ControlText(kStatusBoxId));
  shown.push_back(under.ControlText(kPathBoxId));
  return shown;
}

TEST(PrintPreview, WritesTheWorkedExampleAndOpensIt) {
  WorkingDirectory work;
  tvx_test::PlaceTables(work, tvx_test::WorkedExampleTables());
  WindowUnderTest under;
  Click(under, kUpdateId);
  const std::vector<QString> before = ShownTexts(under);

  Click(under, kPrintPreviewId);

  ASSERT_EQ(kWorkedExampleReport.size(), 322u);
  EXPECT_EQ(work.Read("tvxprint.txt"), kWorkedExampleReport);
  EXPECT_EQ(under.viewer.opened, std::vector<QString>{ReportPath(work)});
  EXPECT_EQ(ShownTexts(under), before);
}

TEST(PrintPreview, BeforeAnyUpdate) {
  WorkingDirectory work;
  WindowUnderTest under;
  Click(under, kPrintPreviewId);
  ASSERT_EQ(kFirstStartReport.size(), 242u);
  EXPECT_EQ(work.Read("tvxprint.txt"), kFirstStartReport);
  EXPECT_EQ(under.viewer.opened.size(), 1u);
}

TEST(PrintPreview, WritesTheMembersNotTheControls) {
  WorkingDirectory work;
  WindowUnderTest under;
  under.Control(kStatusBoxId)->setProperty("text", QStringLiteral("only in the control"));
  Click(under, kPrintPreviewId);
  EXPECT_EQ(work.Read("tvxprint.txt"), kFirstStartReport);
  EXPECT_EQ(under.texts().m_statusText, "No cab file open");
}

TEST(PrintPreview, TheViewerGetsThePathWithItsSpacesAsOneArgument) {
  WorkingDirectory work(QStringLiteral("tvx work dir XXXXXX"));
  ASSERT_TRUE(work.IsValid());
  WindowUnderTest under;
  Click(under, kPrintPreviewId);

  const QString path = ReportPath(work);
  ASSERT_TRUE(path.contains(QStringLiteral("tvx work dir ")));
  EXPECT_EQ(under.viewer.opened, std::vector<QString>{path});
  const ViewerCommand command = ReportViewerCommand(path);
  EXPECT_FALSE(command.program.isEmpty());
  EXPECT_EQ(command.arguments.count(path), 1);
  EXPECT_EQ(command.arguments.last(), path);
#ifdef Q_OS_WIN
  EXPECT_EQ(command.program, QStringLiteral("notepad"));
  EXPECT_EQ(command.arguments, QStringList{path});
#endif
}

TEST(PrintPreview, AViewerThatDoesNotStartLeavesTheReportWritten) {
  WorkingDirectory work;
  WindowUnderTest under;
  under.viewer.starts = false;
  const std::vector<QString> before = ShownTexts(under);
  Click(under, kPrintPreviewId);
  EXPECT_EQ(work.Read("tvxprint.txt"), kFirstStartReport);
  EXPECT_EQ(ShownTexts(under), before);
}

TEST(PrintPreview, ReplacesALinkInsteadOfWritingThroughIt) {
  WorkingDirectory work;
  work.Write("elsewhere.txt", "not the report");
  std::error_code error;
  std::filesystem::create_symlink(work.FilePath("elsewhere.txt"), work.FilePath("tvxprint.txt"),
                                  error);
  if (error) {
    GTEST_SKIP() << "no symbolic links here: " << error.message();
  }
  WindowUnderTest under;
  Click(under, kPrintPreviewId);
  EXPECT_EQ(work.Read("elsewhere.txt"), "not the report");
  EXPECT_FALSE(std::filesystem::is_symlink(work.FilePath("tvxprint.txt")));
  EXPECT_EQ(work.Read("tvxprint.txt"), kFirstStartReport);
}

struct UnwritableCase {
  const char* name;
  bool missingFolder;  // else a folder stands where the report would go
};

void PrintTo(const UnwritableCase& test, std::ostream* out) {
  *out << test.name;
}

class PrintPreviewCannotWrite : public ::testing::TestWithParam<UnwritableCase> {};

TEST_P(PrintPreviewCannotWrite, StartsNoViewerAndChangesNothing) {
  WorkingDirectory work;
  std::optional<TempVariable> missing;
  if (GetParam().missingFolder) {
    missing.emplace(work.FilePath("no such folder"));
  } else {
    ASSERT_TRUE(QDir().mkdir(ReportPath(work)));
  }
  WindowUnderTest under;
  const std::vector<QString> before = ShownTexts(under);
  const tvx::WindowTexts members = under.texts();

  Click(under, kPrintPreviewId);

  EXPECT_TRUE(under.viewer.opened.empty());
  EXPECT_EQ(ShownTexts(under), before);
  EXPECT_EQ(under.texts().m_statusText, members.m_statusText);
  EXPECT_EQ(under.texts().m_cabPath, members.m_cabPath);
}

INSTANTIATE_TEST_SUITE_P(WorkingDirectory, PrintPreviewCannotWrite,
                         ::testing::Values(UnwritableCase{"MissingFolder", true},
                                           UnwritableCase{"FolderInThePlaceOfTheReport", false}),
                         tvx_test::CaseName());

}  // namespace
