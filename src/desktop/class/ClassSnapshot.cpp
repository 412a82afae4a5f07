#include "ClassSnapshot.h"

#include "ClassCode.h"
#include "ClassRoom.h"
#include "ClassTopics.h"
#include "Lesson.h"
#include "MqttLink.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QRandomGenerator>
#include <QTimer>

namespace {

constexpr int kPumpMs = 25;
constexpr int kQosAtLeastOnce = 1;

} // namespace

ClassSnapshot::Taken ClassSnapshot::take(const QString &code, const QString &broker, const QString &name, core::Size inner)
{
    Taken taken;
    const std::optional<std::string> classCode = core::ClassCode::read(code.toStdString());
    const qsizetype colon = broker.lastIndexOf(u':');
    bool portRead = false;
    const int port = broker.mid(colon + 1).toInt(&portRead);
    if (!classCode || colon <= 0 || !portRead) {
        taken.problem = QStringLiteral("--follow needs a class code of 6 letters and --broker HOST:PORT");
        return taken;
    }
    core::Lesson lesson;
    core::ClassRoom room(lesson);
    // The id names the pupil's board topic: another must not guess it.
    const std::string id = core::ClassCode::makePupilId(QRandomGenerator::system()->generate64());
    if (!room.join(*classCode, id, name.toStdString())) {
        taken.problem = QStringLiteral("--name must be 1 to %1 characters").arg(core::ClassCode::kMaxNameChars);
        return taken;
    }
    MqttLink link;
    QEventLoop loop;
    bool state = false, ink = false;
    room.setSender([&link](const core::ClassRoom::Outgoing &m) {
        link.publish(QString::fromStdString(m.topic), QByteArray(reinterpret_cast<const char *>(m.payload.data()), qsizetype(m.payload.size())),
                     m.qos, m.retain);
    });
    room.listen([&](core::ClassRoom::Event event) {
        state |= event == core::ClassRoom::Event::State;
        ink |= event == core::ClassRoom::Event::Teacher;
        if (state && ink)
            loop.quit();
    });
    QObject::connect(&link, &MqttLink::connected, [&] {
        QStringList topics;
        for (const std::string &topic : room.subscriptions())
            topics << QString::fromStdString(topic);
        link.subscribe(topics);
        room.connected();
    });
    QObject::connect(&link, &MqttLink::refused, [&](int reason) {
        taken.problem = QStringLiteral("the broker refused the connection (reason %1)").arg(reason);
        loop.quit();
    });
    QObject::connect(&link, &MqttLink::message, [&room](const QString &topic, const QByteArray &payload) {
        room.receive(topic.toStdString(), reinterpret_cast<const std::uint8_t *>(payload.constData()), std::size_t(payload.size()));
    });
    QElapsedTimer clock;
    clock.start();
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, [&] { room.pump(double(clock.elapsed())); });
    pump.start(kPumpMs);
    QTimer::singleShot(kWaitMs, &loop, [&] {
        taken.problem = QStringLiteral("no lesson from class %1 within %2 s").arg(code).arg(kWaitMs / 1000);
        loop.quit();
    });
    if (!link.open({broker.left(colon), port, QString::fromStdString(id), QString::fromStdString(*classCode), {}, 0})) {
        taken.problem = link.error();
        return taken;
    }
    loop.exec();
    // A snapshot is no pupil: its board leaves the gallery with it.
    link.publish(QString::fromStdString(core::ClassTopics::pupilBoard(*classCode, id)), {}, kQosAtLeastOnce, true);
    link.close();
    if (!taken.problem.isEmpty())
        return taken;
    taken.view = lesson.view(lesson.page(), inner);
    for (const core::Stroke *stroke : room.teacher().lesson().ink(lesson.page()).strokes())
        taken.ink.push_back(*stroke);
    return taken;
}
