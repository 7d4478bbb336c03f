#pragma once

#include <QString>
#include <memory>

#include "ui/HelpCommand.h"

class TApplication;
class TForm1;
class TForm2;
class TAboutBox;

/// The running application's start-up and its three windows. The
/// application object gets its title and an empty help file name, then the
/// windows come into being in a fixed order: the start window first, so that
/// it is the main window, then the problem window with its worksheet, then
/// the About box. The last two stay hidden until the start window asks for
/// them; this object answers its requests. All three live as long as it.
class TProgram {
 public:
  /// The name under which the running application is known to the desktop.
  static const QString kTitle;

  explicit TProgram(TApplication& application,
                    pothenot::HelpCommand help = pothenot::HelpCommand());
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  TApplication& application() { return application_; }
  pothenot::HelpCommand& help() { return help_; }

  TForm1* Form1() const { return form1_.get(); }
  TForm2* Form2() const { return form2_.get(); }
  TAboutBox* AboutBox() const { return aboutBox_.get(); }

  /// Shows the start window and runs the event loop until it closes, whatever
  /// else is open then. Returns the loop's exit code.
  int Run();

 private:
  TApplication& application_;
  pothenot::HelpCommand help_;
  // Declared in the order of creation, so that they go in the reverse one:
  // the two dialogs before the start window that they are transient for.
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<TAboutBox> aboutBox_;
};
