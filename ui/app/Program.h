// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "ui/app/Commands.h"
#include "ui/app/HelpCommand.h"
#include "ui/app/HelpKey.h"

class TApplication;
class TForm1;
class TForm2;
class TAboutBox;

namespace pothenot {

/// The running application's start-up and its three windows. The
/// application object gets its title and an empty help file name, then the
/// windows come into being in a fixed order: the start window first, so that
/// it is the main window, then the problem window with its worksheet, then
/// the About box. The last two stay hidden until the start window asks for
/// them; this object answers its requests. All three live as long as it.
/// The features of the problem window are attached to it as it is made, and
/// F1 in any window opens the help at that window's topic.
class Program {
 public:
  explicit Program(TApplication& application, HelpCommand help = HelpCommand());
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  TApplication& application() { return application_; }
  HelpCommand& help() { return help_; }

  TForm1* Form1() const { return form1_.get(); }
  TForm2* Form2() const { return form2_.get(); }
  TAboutBox* AboutBox() const { return aboutBox_.get(); }
  const Commands& commands() const { return commands_; }

  /// Shows the start window and runs the event loop until it closes, whatever
  /// else is open then. Returns the loop's exit code. With `files` (sheet
  /// files named on the command line) the problem window opens at once with
  /// the first; with more than one, the window «Проверка работ группы» lists
  /// them all, so that none is passed over in silence.
  int run(const QStringList& files = {});

 private:
  TApplication& application_;
  HelpCommand help_;
  // Declared in the order of creation, so that they go in the reverse one:
  // the two dialogs before the start window that they are transient for.
  std::unique_ptr<TForm1> form1_;
  std::unique_ptr<TForm2> form2_;
  std::unique_ptr<TAboutBox> aboutBox_;
  Commands commands_{};
  std::unique_ptr<HelpKey> helpKey_;
};

}  // namespace pothenot
