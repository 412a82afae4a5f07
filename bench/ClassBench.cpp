// The class under load on loopback: a teacher and 40 pupils, each its own
// MQTT connection through libmosquitto to the project's broker, started here
// from scripts/class-broker.sh. Pupils draw 60 points a second in strokes of
// a second while the teacher steps the animation every tick. Prints how long
// the teacher's step takes to reach every pupil, how long a pupil's point
// takes to reach the teacher's gallery, strokes lost, and the CPU the broker
// and the teacher's own work take.
#include "ClassCode.h"
#include "ClassRoom.h"
#include "Lesson.h"
#include "MqttLink.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kPupils = 40;
constexpr int kPointsPerSecond = 60;
constexpr int kPointsPerStroke = 60;
constexpr int kPumpMs = 25;
constexpr int kSettleMs = 10000;
constexpr double kPercentile = 0.95;
const char *kPassword = "bench";

double threadCpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

double processCpuMs(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = stat.readAll().split(' ');
    // utime and stime, the 14th and 15th fields, in clock ticks.
    return (fields.value(13).toDouble() + fields.value(14).toDouble()) * 1e3 / double(sysconf(_SC_CLK_TCK));
}

double percentile(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, std::size_t(double(v.size()) * kPercentile))];
}

int freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    return probe.serverPort();
}

struct Member
{
    core::Lesson lesson;
    core::ClassRoom room{lesson};
    MqttLink link;
    std::string id;
    bool connected = false;
};

void wire(Member &m)
{
    m.room.setSender([&m](const core::ClassRoom::Outgoing &o) {
        m.link.publish(QString::fromStdString(o.topic),
                       QByteArray(reinterpret_cast<const char *>(o.payload.data()), qsizetype(o.payload.size())), o.qos, o.retain);
    });
    QObject::connect(&m.link, &MqttLink::connected, [&m] {
        QStringList topics;
        for (const std::string &t : m.room.subscriptions())
            topics << QString::fromStdString(t);
        m.link.subscribe(topics);
        m.room.connected();
        m.connected = true;
    });
}

std::size_t shownPoints(core::Lesson &lesson)
{
    std::size_t points = 0;
    for (const core::Stroke *s : lesson.ink(0).strokes())
        points += s->points.size();
    return points;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    const int pupilPort = freePort(), teacherPort = freePort();
    QProcess broker;
    broker.setProcessEnvironment([] {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TAMSEL_TEACHER_PASSWORD"), QString::fromLatin1(kPassword));
        return env;
    }());
    broker.start(QStringLiteral(TAMSEL_SOURCE "/scripts/class-broker.sh"),
                 {dir.path(), QString::number(pupilPort), QString::number(freePort()), QString::number(teacherPort),
                  QString::number(freePort())});
    for (QTcpSocket probe; probe.state() != QAbstractSocket::ConnectedState;) {
        probe.connectToHost(QHostAddress::LocalHost, quint16(teacherPort));
        probe.waitForConnected(100);
    }

    const std::string code = core::ClassCode::make(QRandomGenerator::global()->generate64());
    Member teacher;
    teacher.room.teach(code);
    wire(teacher);
    double teacherCpu = 0;
    std::vector<std::unique_ptr<Member>> pupils;
    for (int i = 0; i < kPupils; ++i) {
        auto m = std::make_unique<Member>();
        m->id = core::ClassCode::makePupilId(QRandomGenerator::global()->generate64());
        m->room.join(code, m->id, std::to_string(i + 1));
        m->lesson.ink().resize(0, core::Size(1000, 1000), 1);
        m->lesson.ink().place(0, core::Rect(0, 0, 1000, 1000));
        wire(*m);
        pupils.push_back(std::move(m));
    }
    QObject::connect(&teacher.link, &MqttLink::message, [&](const QString &topic, const QByteArray &payload) {
        const double before = threadCpuMs();
        teacher.room.receive(topic.toStdString(), reinterpret_cast<const std::uint8_t *>(payload.constData()), std::size_t(payload.size()));
        teacherCpu += threadCpuMs() - before;
    });
    for (auto &m : pupils)
        QObject::connect(&m->link, &MqttLink::message, [&m = *m](const QString &topic, const QByteArray &payload) {
            m.room.receive(topic.toStdString(), reinterpret_cast<const std::uint8_t *>(payload.constData()), std::size_t(payload.size()));
        });
    teacher.link.open({QStringLiteral("127.0.0.1"), teacherPort, QStringLiteral("bench-teacher"), QStringLiteral("teacher"),
                       QString::fromLatin1(kPassword), 0});
    for (auto &m : pupils)
        m->link.open({QStringLiteral("127.0.0.1"), pupilPort, QString::fromStdString(m->id), QString::fromStdString(code), {}, 0});
    QElapsedTimer clock;
    clock.start();
    while (!teacher.connected || teacher.room.pupilCount() < kPupils)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);

    // The teacher's step, and when each pupil shows it.
    teacher.lesson.showPage(teacher.lesson.animatedPage());
    teacher.lesson.setValue(teacher.lesson.animatedPage(), 32);
    double stepAt = clock.elapsed();
    std::vector<double> stepLatency;
    for (auto &m : pupils)
        m->lesson.listen([&, &m = *m](core::Lesson::Change change, int) {
            if (change == core::Lesson::Change::Figure && m.lesson.step() == teacher.lesson.step())
                stepLatency.push_back(double(clock.elapsed()) - stepAt);
        });
    QTimer stepper;
    QObject::connect(&stepper, &QTimer::timeout, [&] {
        const double before = threadCpuMs();
        stepAt = double(clock.elapsed());
        teacher.lesson.stepSectors(teacher.lesson.step() == teacher.lesson.sectors() ? -teacher.lesson.step() : 1);
        teacherCpu += threadCpuMs() - before;
    });

    // Each pupil's points, when drawn, and when the gallery first showed them.
    std::vector<std::vector<double>> drawnAt(kPupils);
    std::vector<int> strokes(kPupils);
    std::vector<double> pointLatency;
    std::vector<std::size_t> seen(kPupils);
    teacher.room.listen([&](core::ClassRoom::Event) {
        for (int i = 0; i < teacher.room.pupilCount(); ++i) {
            const int p = std::stoi(teacher.room.pupil(i).name()) - 1;
            const std::size_t shown = std::min(shownPoints(teacher.room.pupil(i).lesson()), drawnAt[std::size_t(p)].size());
            for (std::size_t k = seen[std::size_t(p)]; k < shown; ++k)
                pointLatency.push_back(double(clock.elapsed()) - drawnAt[std::size_t(p)][k]);
            seen[std::size_t(p)] = std::max(seen[std::size_t(p)], shown);
        }
    });
    QTimer pen;
    int tick = 0;
    QObject::connect(&pen, &QTimer::timeout, [&] {
        ++tick;
        for (int p = 0; p < kPupils; ++p) {
            core::LessonInk &ink = pupils[std::size_t(p)]->lesson.ink();
            const core::PointF at(10 + (tick % kPointsPerStroke) * 10, 10 + (strokes[std::size_t(p)] % 90) * 10);
            if (tick % kPointsPerStroke == 1)
                ink.begin(0, 1, at, 1);
            else
                ink.extend(0, 1, at, 1);
            drawnAt[std::size_t(p)].push_back(double(clock.elapsed()));
            if (tick % kPointsPerStroke == 0) {
                ink.end(0, 1);
                ++strokes[std::size_t(p)];
            }
        }
    });
    QTimer pump;
    QObject::connect(&pump, &QTimer::timeout, [&] {
        const double now = double(clock.elapsed());
        const double before = threadCpuMs();
        teacher.room.pump(now);
        teacherCpu += threadCpuMs() - before;
        for (auto &m : pupils)
            m->room.pump(now);
    });
    const double brokerBefore = processCpuMs(broker.processId());
    const double teacherBefore = teacherCpu;
    const double started = double(clock.elapsed());
    stepper.start(core::Lesson::kTickMs);
    pen.start(1000 / kPointsPerSecond);
    pump.start(kPumpMs);
    while (double(clock.elapsed()) - started < seconds * 1e3)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    pen.stop();
    stepper.stop();
    const double wall = double(clock.elapsed()) - started;
    const double brokerCpu = processCpuMs(broker.processId()) - brokerBefore;
    const double teacherWork = teacherCpu - teacherBefore;
    // Every pupil's strokes end, and the gallery gets the chance to show them all.
    for (auto &m : pupils) {
        m->lesson.ink().end(0, 1);
    }
    int drawn = 0, shown = 0;
    for (const QElapsedTimer wait = [] { QElapsedTimer t; t.start(); return t; }(); wait.elapsed() < kSettleMs;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        drawn = shown = 0;
        for (int i = 0; i < kPupils; ++i)
            drawn += int(pupils[std::size_t(i)]->lesson.ink(0).strokes().size());
        for (int i = 0; i < teacher.room.pupilCount(); ++i)
            shown += int(teacher.room.pupil(i).lesson().ink(0).strokes().size());
        if (shown == drawn)
            break;
    }
    std::printf("| pupils | seconds | teacher's step on every pupil, p95 / max (ms) | pupil's point in the gallery, p95 / max (ms) | strokes drawn / in the gallery | broker CPU | teacher's room CPU |\n");
    std::printf("|---|---|---|---|---|---|---|\n");
    std::printf("| %d | %.1f | %.1f / %.1f (%zu) | %.1f / %.1f (%zu) | %d / %d | %.1f %% | %.1f %% |\n", kPupils, wall / 1e3,
                percentile(stepLatency), stepLatency.empty() ? 0 : *std::max_element(stepLatency.begin(), stepLatency.end()),
                stepLatency.size(), percentile(pointLatency),
                pointLatency.empty() ? 0 : *std::max_element(pointLatency.begin(), pointLatency.end()), pointLatency.size(),
                drawn, shown, 100 * brokerCpu / wall, 100 * teacherWork / wall);
    teacher.link.close();
    for (auto &m : pupils)
        m->link.close();
    broker.terminate();
    broker.waitForFinished();
    return shown == drawn ? 0 : 1;
}
