#pragma once

#include <QApplication>

namespace Testing {

// The one application object a test program that opens windows needs, made on first use (the
// tests run offscreen) and kept for the life of the program, as Qt expects.
inline QApplication& Application() {
  static int argc = 1;
  static char name[] = "test";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

}  // namespace Testing
