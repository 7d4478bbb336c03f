// The program: the application object, then the three windows, then the
// event loop until the start window closes.
#include "ui/Application.h"
#include "ui/Program.h"

int main(int argc, char** argv) {
  TApplication application(argc, argv);
  TProgram program(application);
  return program.Run();
}
