#pragma once

#include "ClassSession.h"

#include <QObject>
#include <QString>

class Settings;
class Tamsel;

// The window's way into a class: 授業を共有 asks for the teacher's password and
// shows the class code with a QR code of the pupils' page; 授業に参加 asks for
// a code and a nickname. Where the brokers and the page are comes from the
// settings file ([class] teachers, pupils, page, socket, user), each checked.
class ClassDialogs : public QObject
{
    Q_OBJECT
public:
    ClassDialogs(Tamsel &window, const Settings &settings);

    ClassSession &session() { return m_session; }
    // The pupils' address of the browser page with this class in it.
    QString pupilAddress(const QString &code) const;

private:
    void share();
    void join();
    void showCode(const QString &code);
    std::optional<ClassSession::Broker> broker(const QString &key, const QString &fallback);

    Tamsel &m_window;
    const Settings &m_settings;
    ClassSession m_session;
};
