#include <QApplication>

#include "status_app.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  CStatusApp app;
  return app.Run();
}
