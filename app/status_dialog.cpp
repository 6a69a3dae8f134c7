#include "status_dialog.h"

#include <QFile>
#include <QPushButton>
#include <optional>
#include <string>

#include "dialog_units.h"
#include "remembered_path.h"
#include "replace_file.h"
#include "status_report.h"
#include "text_exchange.h"
#include "window_controls.h"
#include "window_font.h"
#include "window_template.h"
#include "work_paths.h"

CStatusDlg::CStatusDlg(const StatusServices& services)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      m_services(services),
      m_hIcon(QStringLiteral(":/icons/tvx-status.png")),
      m_session(m_engine, m_texts, *this, services.intake) {
  const WindowTemplate& layout = kStatusWindowTemplate;
  setWindowTitle(QString::fromLatin1(layout.caption));
  setFont(ChooseWindowFont(layout.fontFamily, layout.fontPoints));
  const DialogUnits units = MeasureDialogUnits(font());
  CreateControls(*this, layout, units);
  setFixedSize(units.ToPixelsX(layout.width), units.ToPixelsY(layout.height));
  move(units.ToPixelsX(layout.x), units.ToPixelsY(layout.y));
  ConnectCommands();

  InitializeWindow();
  FindControl(*this, kUpdateId)->setFocus();
}

CStatusDlg::~CStatusDlg() = default;

void CStatusDlg::ConnectCommands() {
  const std::pair<int, void (CStatusDlg::*)()> commands[] = {
      {kUpdateId, &CStatusDlg::OnUpdate},
      {kBrowseId, &CStatusDlg::OnBrowse},
      {kPrintPreviewId, &CStatusDlg::OnPrintPreview},
      {kExitId, &CStatusDlg::OnExit},
  };
  for (const auto& [id, handler] : commands) {
    auto* button = qobject_cast<QPushButton*>(FindControl(*this, id));
    connect(button, &QPushButton::clicked, this, handler);
  }
}

void CStatusDlg::BindControls(TextExchange& exchange) {
  for (int slot = 1; slot <= kStageSlots; ++slot) {
    exchange.Text(StageSlotId(slot), m_texts.m_stageText[static_cast<std::size_t>(slot)]);
  }
  exchange.Text(kStatusBoxId, m_texts.m_statusText);
  exchange.Text(kPathBoxId, m_texts.m_cabPath);
}

void CStatusDlg::PushTexts() {
  TextExchange exchange(*this, TextExchange::Direction::kPush);
  BindControls(exchange);
  // An update runs without returning to the event loop; painting now lets each
  // of its progress lines show as it is pushed.
  if (isVisible()) {
    repaint();
  }
}

void CStatusDlg::PullTexts() {
  TextExchange exchange(*this, TextExchange::Direction::kPull);
  BindControls(exchange);
}

void CStatusDlg::SetIcons() {
  setWindowIcon(m_hIcon);
}

bool CStatusDlg::InitializeWindow() {
  return m_session.InitializeWindow();
}

void CStatusDlg::OnUpdate() {
  m_session.OnUpdate();
}

void CStatusDlg::OnBrowse() {
  PullTexts();
  const std::optional<std::string> workDir = m_session.workDir();
  const std::optional<QString> chosen =
      m_services.chooser.ChooseBackupFile(*this, QString::fromLatin1(kBrowseTitle));
  if (!chosen) {
    return;
  }
  const std::string cabPath = QFile::encodeName(*chosen).toStdString();
  m_texts.m_cabPath = cabPath;
  // Without a working directory, or when the file cannot be written, the path
  // is not remembered; the update is then handed the chosen path itself, so it
  // never runs on an older remembered one.
  const bool remembered = workDir && tvx::WriteRememberedPath(*workDir, cabPath);
  m_session.OnUpdate(remembered ? std::nullopt : std::optional<std::string>(cabPath));
  PushTexts();
}

void CStatusDlg::OnPrintPreview() {
  // The window shows no messages of its own: without a working directory, or
  // when the report cannot be written, nothing is opened and the window stays
  // as it was.
  const std::optional<std::string>& workDir = m_session.workDir();
  if (!workDir) {
    return;
  }
  const std::string path = tvx::WorkPath(*workDir, tvx::kReportFileName);
  const std::string report = tvx::ComposeStatusReport(m_texts, m_services.clock.LocalNow());
  if (!tvx::ReplaceFileContents(path, report)) {
    return;
  }
  // A viewer that does not start leaves the report written for the user to
  // open; there is nothing more the window could do about it.
  const bool viewerStarted = m_services.viewer.OpenReport(QFile::decodeName(path.c_str()));
  static_cast<void>(viewerStarted);
}

void CStatusDlg::OnExit() {
  PullTexts();
  accept();
}
