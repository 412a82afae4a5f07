#include "MqttLink.h"

#include <mosquitto.h>
#include <mqtt_protocol.h>

#include <QDeadlineTimer>
#include <QMetaObject>
#include <QThread>

#include <vector>

namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr unsigned kFirstRetrySeconds = 1, kLastRetrySeconds = 8;
// How long a closing link waits for what was published last, a class's end, to go out.
constexpr int kFlushMs = 2000;
constexpr int kFlushStepMs = 5;

// The library is made ready once for the whole program.
void initOnce()
{
    static const int once = mosquitto_lib_init();
    Q_UNUSED(once);
}

// The network thread's callbacks: each hands what it heard to the link's thread.
void onConnect(mosquitto *, void *self, int reason, int, const mosquitto_property *)
{
    auto *link = static_cast<MqttLink *>(self);
    link->noteUp(reason == 0);
    QMetaObject::invokeMethod(link, [link, reason] {
        if (reason != 0)
            emit link->refused(reason);
        else
            emit link->connected();
    }, Qt::QueuedConnection);
}

void onDisconnect(mosquitto *, void *self, int, const mosquitto_property *)
{
    auto *link = static_cast<MqttLink *>(self);
    link->noteUp(false);
    QMetaObject::invokeMethod(link, [link] { emit link->lost(); }, Qt::QueuedConnection);
}

void onPublish(mosquitto *, void *self, int, int, const mosquitto_property *) { static_cast<MqttLink *>(self)->notePublished(); }

void onMessage(mosquitto *, void *self, const mosquitto_message *m, const mosquitto_property *)
{
    auto *link = static_cast<MqttLink *>(self);
    const QString topic = QString::fromUtf8(m->topic);
    // Copied here, on the network thread: the library frees the payload on return.
    const QByteArray payload(static_cast<const char *>(m->payload), m->payloadlen);
    QMetaObject::invokeMethod(link, [link, topic, payload] { emit link->message(topic, payload); }, Qt::QueuedConnection);
}

} // namespace

MqttLink::MqttLink(QObject *parent) : QObject(parent) { initOnce(); }

MqttLink::~MqttLink() { close(); }

bool MqttLink::open(const Login &login)
{
    close();
    m_up = false;
    m_unsent = 0;
    const QByteArray id = login.clientId.toUtf8();
    m_client = mosquitto_new(id.constData(), login.sessionExpirySeconds == 0, this);
    if (!m_client) {
        m_error = QStringLiteral("libmosquitto could not make a client");
        return false;
    }
    mosquitto_int_option(m_client, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V5);
    if (!login.user.isEmpty())
        mosquitto_username_pw_set(m_client, login.user.toUtf8().constData(),
                                  login.password.isEmpty() ? nullptr : login.password.toUtf8().constData());
    mosquitto_connect_v5_callback_set(m_client, &onConnect);
    mosquitto_disconnect_v5_callback_set(m_client, &onDisconnect);
    mosquitto_message_v5_callback_set(m_client, &onMessage);
    mosquitto_publish_v5_callback_set(m_client, &onPublish);
    mosquitto_reconnect_delay_set(m_client, kFirstRetrySeconds, kLastRetrySeconds, true);
    mosquitto_property *properties = nullptr;
    if (login.sessionExpirySeconds > 0)
        mosquitto_property_add_int32(&properties, MQTT_PROP_SESSION_EXPIRY_INTERVAL, std::uint32_t(login.sessionExpirySeconds));
    // The first attempt's failure is retried by the network thread like any lost connection.
    mosquitto_connect_bind_v5(m_client, login.host.toUtf8().constData(), login.port, kKeepAliveSeconds, nullptr, properties);
    mosquitto_property_free_all(&properties);
    const int started = mosquitto_loop_start(m_client);
    if (started != MOSQ_ERR_SUCCESS) {
        m_error = QString::fromUtf8(mosquitto_strerror(started));
        close();
        return false;
    }
    return true;
}

void MqttLink::close()
{
    if (!m_client)
        return;
    const QDeadlineTimer flush(kFlushMs);
    while (m_up && m_unsent > 0 && !flush.hasExpired())
        QThread::msleep(kFlushStepMs);
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, false);
    mosquitto_destroy(m_client);
    m_client = nullptr;
}

void MqttLink::subscribe(const QStringList &topics)
{
    if (!m_client || topics.isEmpty())
        return;
    std::vector<QByteArray> kept;
    std::vector<char *> names;
    for (const QString &topic : topics)
        kept.push_back(topic.toUtf8());
    for (QByteArray &name : kept)
        names.push_back(name.data());
    mosquitto_subscribe_multiple(m_client, nullptr, int(names.size()), names.data(), 1, 0, nullptr);
}

void MqttLink::publish(const QString &topic, const QByteArray &payload, int qos, bool retain)
{
    if (m_client && mosquitto_publish_v5(m_client, nullptr, topic.toUtf8().constData(), int(payload.size()),
                                         payload.constData(), qos, retain, nullptr) == MOSQ_ERR_SUCCESS)
        ++m_unsent;
}
