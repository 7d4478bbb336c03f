// SPDX-License-Identifier: GPL-3.0-or-later
// The program: the application object, then the three windows, then the
// event loop until the start window closes.
#include "ui/app/Program.h"
#include "ui/common/Application.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  pothenot::Program program(application);
  return program.run();
}
