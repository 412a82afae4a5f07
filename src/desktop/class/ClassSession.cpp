#include "ClassSession.h"

#include "ClassCode.h"
#include "Lesson.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

constexpr int kPumpMs = 25;
constexpr int kLongestHostChars = 253;
constexpr int kHighestPort = 65535;
// A pupil's session outlives a dropped network for the rest of a lesson.
constexpr int kPupilSessionSeconds = 2 * 60 * 60;

std::string randomId() { return core::ClassCode::makePupilId(QRandomGenerator::system()->generate64()); }

} // namespace

std::optional<ClassSession::Broker> ClassSession::Broker::read(const QString &text)
{
    // A name or an IPv4 address; the port after the last colon.
    static const QRegularExpression form(QStringLiteral("^([A-Za-z0-9]([A-Za-z0-9.-]*[A-Za-z0-9])?):([0-9]{1,5})$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch() || m.captured(1).size() > kLongestHostChars)
        return std::nullopt;
    const int port = m.captured(3).toInt();
    if (port < 1 || port > kHighestPort)
        return std::nullopt;
    return Broker{m.captured(1), port};
}

ClassSession::ClassSession(core::Lesson &lesson, QObject *parent) : QObject(parent), m_room(lesson)
{
    m_room.setSender([this](const core::ClassRoom::Outgoing &m) {
        m_link.publish(QString::fromStdString(m.topic),
                       QByteArray(reinterpret_cast<const char *>(m.payload.data()), qsizetype(m.payload.size())), m.qos,
                       m.retain);
    });
    m_room.listen([this](core::ClassRoom::Event event) { heard(event); });
    connect(&m_link, &MqttLink::connected, this, [this] {
        QStringList topics;
        for (const std::string &topic : m_room.subscriptions())
            topics << QString::fromStdString(topic);
        m_link.subscribe(topics);
        m_room.connected();
        tellStatus({});
    });
    connect(&m_link, &MqttLink::lost, this, [this] { tellStatus(tr("接続が切れました。再接続しています…")); });
    connect(&m_link, &MqttLink::refused, this, [this](int) {
        const bool teacher = m_room.role() == core::ClassRoom::Role::Teacher;
        leave();
        emit status(teacher ? tr("先生のユーザー名かパスワードが違います。") : tr("サーバーに入れませんでした。"));
    });
    connect(&m_link, &MqttLink::message, this, [this](const QString &topic, const QByteArray &payload) {
        m_room.receive(topic.toStdString(), reinterpret_cast<const std::uint8_t *>(payload.constData()),
                       std::size_t(payload.size()));
    });
    m_pump.setInterval(kPumpMs);
    connect(&m_pump, &QTimer::timeout, this, [this] { m_room.pump(double(m_clock.elapsed())); });
    m_clock.start();
}

QString ClassSession::teach(const Broker &teachers, const QString &user, const QString &password)
{
    if (m_room.role() != core::ClassRoom::Role::None)
        return {};
    const std::string code = core::ClassCode::make(QRandomGenerator::system()->generate64());
    m_room.teach(code);
    const QString clientId = QStringLiteral("teacher-%1-%2").arg(QString::fromStdString(code), QString::fromStdString(randomId()));
    open({teachers.host, teachers.port, clientId, user, password, 0});
    return m_room.role() == core::ClassRoom::Role::Teacher ? QString::fromStdString(code) : QString();
}

bool ClassSession::join(const Broker &pupils, const QString &code, const QString &name)
{
    const std::optional<std::string> classCode = core::ClassCode::read(code.toStdString());
    if (!classCode) {
        m_problem = tr("クラスのコードは 6 文字です。");
        return false;
    }
    const std::string id = randomId();
    if (m_room.role() != core::ClassRoom::Role::None || !m_room.join(*classCode, id, name.toStdString())) {
        m_problem = tr("番号かニックネームを %1 文字までで入れてください。").arg(core::ClassCode::kMaxNameChars);
        return false;
    }
    open({pupils.host, pupils.port, QString::fromStdString(id), QString::fromStdString(*classCode), {},
          kPupilSessionSeconds});
    return m_room.role() == core::ClassRoom::Role::Pupil;
}

void ClassSession::open(const MqttLink::Login &login)
{
    m_problem.clear();
    if (!m_link.open(login)) {
        m_problem = m_link.error();
        m_room.leave();
        return;
    }
    m_pump.start();
    tellStatus(tr("接続中…"));
}

void ClassSession::leave()
{
    m_pump.stop();
    m_link.close();
    m_room.leave();
    tellStatus({});
}

void ClassSession::heard(core::ClassRoom::Event event)
{
    if (event == core::ClassRoom::Event::Ended) {
        // The teacher's last messages were queued first; the link sends them before it closes.
        m_pump.stop();
        m_link.close();
        tellStatus({});
        emit ended();
        return;
    }
    if (event == core::ClassRoom::Event::Teacher) {
        emit teacherInk();
        return;
    }
    tellStatus(m_connection);
}

void ClassSession::tellStatus(const QString &connection)
{
    m_connection = connection;
    if (m_room.role() == core::ClassRoom::Role::None) {
        emit status({});
        return;
    }
    if (!connection.isEmpty()) {
        emit status(connection);
        return;
    }
    const QString code = QString::fromStdString(m_room.code());
    if (m_room.role() == core::ClassRoom::Role::Teacher)
        emit status(tr("授業 %1・%2人%3").arg(code).arg(m_room.pupilCount()).arg(m_room.pupilsFree() ? tr("・自由") : QString()));
    else
        emit status(tr("授業 %1・%2").arg(code, m_room.following() ? tr("先生の画面") : tr("自由")));
}
