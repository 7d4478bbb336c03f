// The program: the application object, then the three windows, then the
// event loop until the start window closes.
#include "ui/common/Application.h"
#include "ui/app/Program.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  pothenot::Program program(application);
  return program.run();
}
