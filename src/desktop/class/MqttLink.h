#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

#include <atomic>

struct mosquitto;

// One connection to an MQTT 5 broker through Debian's libmosquitto. Its own
// network thread connects, reconnects and reads; everything it hears comes
// to this object's thread as a queued signal, so the window never waits on
// the network.
class MqttLink : public QObject
{
    Q_OBJECT
public:
    struct Login
    {
        QString host;
        int port = 0;
        QString clientId;
        QString user;
        QString password;
        // A session the broker keeps through a cut, for this long.
        int sessionExpirySeconds = 0;
    };

    explicit MqttLink(QObject *parent = nullptr);
    ~MqttLink() override;

    // Starts connecting; false, with the reason in error(), when it cannot start.
    bool open(const Login &login);
    void close();
    void subscribe(const QStringList &topics);
    void publish(const QString &topic, const QByteArray &payload, int qos, bool retain);
    QString error() const { return m_error; }

    // For the network thread: the link is up or down, a message has gone out.
    void noteUp(bool up) { m_up = up; }
    void notePublished() { --m_unsent; }

signals:
    void connected();
    void refused(int reason);
    void lost();
    void message(const QString &topic, const QByteArray &payload);

private:
    mosquitto *m_client = nullptr;
    QString m_error;
    std::atomic<bool> m_up{false};
    // Published, and not yet gone out (QoS 0) or acknowledged (QoS 1).
    std::atomic<int> m_unsent{0};
};
