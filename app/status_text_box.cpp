#include "status_text_box.h"

StatusTextBox::StatusTextBox(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setUndoRedoEnabled(false);
}

void StatusTextBox::setText(const QString& text) {
  m_text = text;
  setPlainText(text);
}
