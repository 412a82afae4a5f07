#pragma once

#include "ClassRoom.h"
#include "MqttLink.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace core {
class Lesson;
}

// The window's lesson in a class: the core's room on that lesson, moved to and
// from the broker by libmosquitto, with the clock that sends strokes as they grow.
class ClassSession : public QObject
{
    Q_OBJECT
public:
    // A broker's address as typed in settings or on the command line: HOST:PORT.
    struct Broker
    {
        QString host;
        int port = 0;
        static std::optional<Broker> read(const QString &text);
    };

    explicit ClassSession(core::Lesson &lesson, QObject *parent = nullptr);

    core::ClassRoom &room() { return m_room; }
    // A new class taught from here; its code, or an empty one with the reason in problem().
    QString teach(const Broker &teachers, const QString &user, const QString &password);
    // Joins a class as a pupil; false with the reason in problem().
    bool join(const Broker &pupils, const QString &code, const QString &name);
    void leave();
    QString problem() const { return m_problem; }

signals:
    // Where the class stands, a line for the window to show; empty out of class.
    void status(const QString &line);
    void ended();
    // The teacher's ink changed on this pupil's screen.
    void teacherInk();

private:
    void open(const MqttLink::Login &login);
    void heard(core::ClassRoom::Event event);
    void tellStatus(const QString &connection);

    core::ClassRoom m_room;
    MqttLink m_link;
    QTimer m_pump;
    QElapsedTimer m_clock;
    QString m_problem;
    QString m_connection;
};
