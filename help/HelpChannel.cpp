// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/HelpChannel.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <cerrno>
#include <cstring>

namespace pothenot::helpChannel {

namespace {

void tell(QString* error, const QString& message) {
  if (error) *error = message;
}

// A directory itself, not a link to one, that belongs to the user and that
// nobody else may enter, list or write into.
bool usersOwn(const QByteArray& path) {
  struct stat status {};
  return ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) &&
         status.st_uid == ::geteuid() && (status.st_mode & 07777) == 0700;
}

}  // namespace

QString folder(QString* error) {
  const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
  if (!runtime.isEmpty() && usersOwn(runtime)) return QFile::decodeName(runtime);
  const QString own =
      QDir::tempPath() + QStringLiteral("/pothenot-%1").arg(static_cast<qulonglong>(::geteuid()));
  const QByteArray path = QFile::encodeName(own);
  if (::mkdir(path.constData(), 0700) == 0) {
    ::chmod(path.constData(), 0700);  // whatever the umask took away
  } else if (errno != EEXIST) {
    tell(error, QStringLiteral("Не удалось создать папку «%1» для связи со справкой: %2.")
                    .arg(own, QString::fromLocal8Bit(std::strerror(errno))));
    return QString();
  }
  if (!usersOwn(path)) {
    tell(error, QStringLiteral("Папка «%1» для связи со справкой открыта не только вам "
                               "(или это не ваша папка), и справка ею не пользуется: "
                               "каждый вызов справки из программы откроет новое окно. "
                               "Удалите эту папку или закройте доступ к ней (chmod 700).")
                    .arg(own));
    return QString();
  }
  return own;
}

QString path(const QString& name, QString* error) {
  if (name.isEmpty() || name.contains(u'/')) {
    tell(error, QStringLiteral("«%1» — не имя канала справки.").arg(name));
    return QString();
  }
  const QString in = folder(error);
  return in.isEmpty() ? QString() : in + u'/' + name;
}

bool send(const QString& name, const QStringList& arguments) {
  const QString at = path(name);
  if (at.isEmpty()) return false;
  QLocalSocket socket;
  socket.connectToServer(at);
  if (!socket.waitForConnected(1000)) return false;
  socket.write(arguments.join(u'\n').toUtf8());
  socket.disconnectFromServer();
  return socket.state() == QLocalSocket::UnconnectedState || socket.waitForDisconnected(1000);
}

QLocalServer* listen(const QString& name, QObject* owner,
                     std::function<void(const QStringList& arguments)> answer, QString* error) {
  const QString at = path(name, error);
  if (at.isEmpty()) return nullptr;
  QLocalServer::removeServer(at);
  auto* server = new QLocalServer(owner);
  if (!server->listen(at)) {
    tell(error, QStringLiteral("Справка не может слушать канал «%1»: %2. Каждый вызов справки "
                               "из программы откроет новое окно.")
                    .arg(at, server->errorString()));
    delete server;
    return nullptr;
  }
  QObject::connect(server, &QLocalServer::newConnection, server, [server, answer] {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
      const auto take = [socket, answer] {
        answer(QString::fromUtf8(socket->readAll()).split(u'\n'));
        socket->deleteLater();
      };
      if (socket->state() == QLocalSocket::UnconnectedState) {
        take();
      } else {
        QObject::connect(socket, &QLocalSocket::disconnected, server, take);
      }
    }
  });
  return server;
}

}  // namespace pothenot::helpChannel
