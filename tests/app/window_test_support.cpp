#include "window_test_support.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include "report_example.h"
#include "window_controls.h"
#include "work_paths.h"

namespace tvx_test {

namespace {

// One QApplication for the whole test run, on the offscreen platform: the
// tests never touch a real display.
class WindowTestEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tvx_window_tests";
    static char* argv[] = {name, nullptr};
    m_application = std::make_unique<QApplication>(argc, argv);
  }
  void TearDown() override { m_application.reset(); }

 private:
  std::unique_ptr<QApplication> m_application;
};

const ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new WindowTestEnvironment);

std::optional<QByteArray> CurrentTemp() {
  if (!qEnvironmentVariableIsSet("TEMP")) {
    return std::nullopt;
  }
  return qgetenv("TEMP");
}

void RestoreTemp(const std::optional<QByteArray>& saved) {
  if (saved) {
    qputenv("TEMP", *saved);
  } else {
    qunsetenv("TEMP");
  }
}

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string ScoreRecord(int stage, int member) {
  const std::string first = "\t<z:row StageId='" + std::to_string(stage) + "' MemberId='" +
                            std::to_string(member) + "' ScoreTime='20.83' HitA='11'";
  return Lines({first.c_str(), "\t\t PlateHit='7' Official='CRO Lee'",
                "\t\t LastModify='2005-06-21T12:07:55' Device='tablet-1'/>"});
}

}  // namespace

WorkingDirectory::WorkingDirectory(const QString& nameTemplate)
    : m_directory(QDir::tempPath() + QLatin1Char('/') + nameTemplate), m_savedTemp(CurrentTemp()) {
  qputenv("TEMP", QFile::encodeName(QDir::toNativeSeparators(m_directory.path())));
}

WorkingDirectory::~WorkingDirectory() {
  RestoreTemp(m_savedTemp);
}

std::string WorkingDirectory::Path() const {
  return QFile::encodeName(QDir::toNativeSeparators(m_directory.path())).toStdString();
}

std::string WorkingDirectory::FilePath(std::string_view name) const {
  return tvx::WorkPath(Path(), name);
}

void WorkingDirectory::Write(std::string_view name, std::string_view bytes) const {
  QFile file(QFile::decodeName(FilePath(name).c_str()));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(file.write(bytes.data(), static_cast<qint64>(bytes.size())),
            static_cast<qint64>(bytes.size()));
}

std::optional<std::string> WorkingDirectory::Read(std::string_view name) const {
  QFile file(QFile::decodeName(FilePath(name).c_str()));
  if (!file.open(QIODevice::ReadOnly)) {
    return std::nullopt;
  }
  return file.readAll().toStdString();
}

bool WorkingDirectory::Exists(std::string_view name) const {
  return QFile::exists(QFile::decodeName(FilePath(name).c_str()));
}

TempVariable::TempVariable(const std::optional<std::string>& value) : m_saved(CurrentTemp()) {
  if (value) {
    qputenv("TEMP", QByteArray::fromStdString(*value));
  } else {
    qunsetenv("TEMP");
  }
}

TempVariable::~TempVariable() {
  RestoreTemp(m_saved);
}

std::vector<TableFile> WorkedExampleTables() {
  const std::string score = Lines({"<xml xmlns:z='#RowsetSchema'>", "<rs:data>"}) +
                            ScoreRecord(1, 5001) + ScoreRecord(2, 5001) + ScoreRecord(3, 5001) +
                            ScoreRecord(4, 5001) + ScoreRecord(1, 5002) + ScoreRecord(3, 5002) +
                            Lines({"</rs:data>", "</xml>"});
  return {
      {"member.xml",
       Lines({"<xml xmlns:z='#RowsetSchema'>",
              "\t<z:row Firstname='Ann' MemberId='5001' Lastname='Lee' ClubId='27'",
              "\t\t Email='ann@example.org'/>",
              "\t<z:row Firstname='Test' MemberId='5002' Lastname='Shooter' ClubId='39'",
              "\t\t Email='test@example.org'/>",
              "\t<z:row Firstname='Eva' MemberId='5003' Lastname='Rossi' ClubId='4'",
              "\t\t Email='eva@example.org'/>", "</xml>"})},
      {"score.xml", score},
      {"enrolled.xml", Lines({"<xml xmlns:z='#RowsetSchema'>",
                              "\t<z:row CompId='1' MemberId='5001' ClassId='2' DivId='4'",
                              "\t\t PowerFactor='Major'/>",
                              "\t<z:row CompId='2' MemberId='5002' ClassId='2' DivId='1'",
                              "\t\t PowerFactor='Major'/>",
                              "\t<z:row CompId='3' MemberId='5003' ClassId='2' DivId='4'",
                              "\t\t PowerFactor='Major'/>", "</xml>"})},
      {"stage.xml",
       Lines({"<xml xmlns:z='#RowsetSchema'>",
              "\t<z:row StageId='1' StageName='Stage 1' Rounds='19'",
              "\t\t Description='south table'/>",
              "\t<z:row StageId='2' StageName='Stage 2' Rounds='6'", "\t\t Description='steel'/>",
              "\t<z:row StageId='3' StageName='Stage 3' Rounds='31'", "\t\t Description='range'/>",
              "\t<z:row StageId='4' StageName='Stage 4' Rounds='22'", "\t\t Description='left'/>",
              "</xml>"})},
  };
}

std::vector<TableFile> WithoutTable(std::vector<TableFile> tables, std::string_view name) {
  std::erase_if(tables, [name](const TableFile& table) { return table.name == name; });
  return tables;
}

void PlaceTables(const WorkingDirectory& directory, const std::vector<TableFile>& tables) {
  for (const TableFile& table : tables) {
    directory.Write(table.name, table.bytes);
  }
}

bool MakeCabinet(const QString& cabinetPath, const std::vector<TableFile>& tables) {
  const QString gcab = QStandardPaths::findExecutable(QStringLiteral("gcab"));
  QTemporaryDir staging;
  if (gcab.isEmpty() || !staging.isValid()) {
    return false;
  }
  QStringList arguments = {QStringLiteral("--create"), QStringLiteral("--zip"), cabinetPath};
  for (const TableFile& table : tables) {
    QFile file(staging.filePath(QString::fromStdString(table.name)));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(table.bytes.data(), static_cast<qint64>(table.bytes.size())) !=
            static_cast<qint64>(table.bytes.size())) {
      return false;
    }
    arguments.append(QString::fromStdString(table.name));
  }
  QProcess process;
  process.setWorkingDirectory(staging.path());
  process.start(gcab, arguments);
  return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit &&
         process.exitCode() == 0;
}

std::tm ReportMoment() {
  return tvx::testing::ExampleMoment();
}

std::optional<QString> FakeChooser::ChooseBackupFile(QWidget&, const QString& chosenTitle) {
  ++calls;
  title = chosenTitle;
  return answer;
}

bool FakeViewer::OpenReport(const QString& path) {
  opened.push_back(path);
  return starts;
}

bool WatchedIntake::ExtractBackup(const std::string& cabPath, const std::string& workDir) {
  extractedFrom.push_back(cabPath);
  if (onExtract) {
    onExtract();
  }
  return DiskIntake::ExtractBackup(cabPath, workDir);
}

std::optional<std::string> WatchedIntake::ReadRememberedPath(const std::string& workDir) {
  if (remembered) {
    return remembered;
  }
  return DiskIntake::ReadRememberedPath(workDir);
}

WindowUnderTest::WindowUnderTest()
    : m_window(std::make_unique<CStatusDlg>(StatusServices{intake, chooser, viewer, clock})) {}

QWidget* WindowUnderTest::Control(int id) const {
  return FindControl(*m_window, id);
}

QString WindowUnderTest::ControlText(int id) const {
  QWidget* control = Control(id);
  return control == nullptr ? QString() : control->property("text").toString();
}

void WindowUnderTest::ShowActive() {
  m_window->show();
  m_window->activateWindow();
  QApplication::processEvents();
}

}  // namespace tvx_test
