#pragma once

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QVector>

/// Watches the application's failure messages: records every box that the
/// application object shows and closes it once it is up, as a person would
/// press OK. The boxes themselves are real and shown modally.
class MessageCatcher : public QObject {
  Q_OBJECT

 public:
  struct Message {
    QString title;
    QString text;
    Qt::TextFormat format;
    QMessageBox::Icon icon;
    bool hadOwner;  ///< shown over the window that was active
  };

  MessageCatcher();

  const QVector<Message>& messages() const { return messages_; }

 private:
  void Catch(QMessageBox* box);

  QVector<Message> messages_;
};
