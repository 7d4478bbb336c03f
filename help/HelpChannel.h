// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QLocalServer;
class QObject;

namespace pothenot {

/// The local channel on which the program hands its help requests to the
/// help viewer it started: a socket named after the channel in a folder that
/// only the user can enter, so that no other user's socket, file or folder
/// of that name can take a request or stop the viewer from listening. A
/// request is a command line of the viewer, one argument a line, read whole
/// once its sender has gone. Both the program and the viewer use only this.
namespace helpChannel {

/// The folder of the channels: XDG_RUNTIME_DIR when it is the user's own
/// folder (a directory, not a symbolic link, owned by the user, mode 0700),
/// else `pothenot-<uid>` in the temporary folder, made with mode 0700 if it
/// is not there, and checked in the same way. Empty where it cannot be made
/// or is not the user's alone; `error` (if given) then says why in one
/// Russian sentence that names the folder.
QString folder(QString* error = nullptr);

/// The path of the socket of channel `name` (not empty, no '/') in
/// folder(). Empty, with `error` set, where there is no such folder or the
/// name is not one.
QString path(const QString& name, QString* error = nullptr);

/// Hands `arguments` to whoever listens on channel `name`, waiting at most a
/// second for each step. False where nobody does or there is no channel.
bool send(const QString& name, const QStringList& arguments);

/// Listens on channel `name` from then on, through a server that `owner`
/// owns: `answer` gets each request's arguments. A file left at the socket's
/// place (only a viewer of the user's that did not end cleanly can have left
/// it there) is taken away first. Returns the server, or nothing with
/// `error` (if given) set where the channel cannot be opened.
QLocalServer* listen(const QString& name, QObject* owner,
                     std::function<void(const QStringList& arguments)> answer,
                     QString* error = nullptr);

}  // namespace helpChannel

}  // namespace pothenot
