#pragma once

#include <QPlainTextEdit>
#include <QString>

// The read-only multi-line status box. It keeps the exact text it was given
// and shows it with CR LF as line breaks: the shown document would turn every
// line end into LF, and the window's texts must come back as they went in.
class StatusTextBox : public QPlainTextEdit {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText)

 public:
  explicit StatusTextBox(QWidget* parent);

  QString text() const { return m_text; }
  void setText(const QString& text);

 private:
  QString m_text;
};
