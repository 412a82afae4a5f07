#include "Harness.h"

#include "Tamsel.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <cmath>
#include <cstdio>

namespace Bench {

namespace {

constexpr int kSettlePasses = 3;
constexpr int kFitAttempts = 4;
constexpr int kExposeTimeoutMs = 5000;
constexpr int kPollMs = 10;
constexpr double kMedianRank = 0.5;
constexpr double kP99Rank = 0.99;

int failureCount = 0;

} // namespace

Summary summarize(std::vector<double> samples)
{
    if (samples.empty())
        return {};
    std::sort(samples.begin(), samples.end());
    const auto rank = [&](double q) { return samples[std::size_t(std::lround(q * double(samples.size() - 1)))]; };
    return {rank(kMedianRank), rank(kP99Rank)};
}

double median(std::vector<double> samples) { return summarize(std::move(samples)).median; }

void fail(const QString &what)
{
    std::fprintf(stderr, "failed: %s\n", qPrintable(what));
    ++failureCount;
}

int failures() { return failureCount; }

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double usSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

double timeMs(const std::function<void()> &work)
{
    const auto start = Clock::now();
    work();
    return msSince(start);
}

QByteArray verdict(double value, double bound)
{
    return value <= bound ? QByteArray("met") : "missed ×" + QByteArray::number(value / bound, 'f', 2);
}

QByteArray sizeText(QSize s) { return QByteArray::number(s.width()) + "×" + QByteArray::number(s.height()); }

void settle()
{
    for (int pass = 0; pass < kSettlePasses; ++pass)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void showExposed(QWidget &w)
{
    w.show();
    const auto exposed = [&w] { return w.windowHandle() && w.windowHandle()->isExposed(); };
    QDeadlineTimer deadline(kExposeTimeoutMs);
    while (!exposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, kPollMs);
    settle();
    if (!exposed())
        fail(QStringLiteral("a window was never exposed"));
}

QSize fitPicture(Tamsel &window, const QWidget *picture, QSize inner)
{
    for (int attempt = 0; attempt < kFitAttempts; ++attempt) {
        const QSize now = picture->contentsRect().size();
        if (now == inner)
            break;
        window.resize(window.size() + inner - now);
        settle();
    }
    return picture->contentsRect().size();
}

long vmRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key("VmRSS:");
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

long long heapInUseBytes()
{
#ifdef __GLIBC__
    const struct mallinfo2 info = mallinfo2();
    return (long long)(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

void returnFreeMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

QByteArray loadAverage()
{
    constexpr qsizetype figures = 3;
    QFile file(QStringLiteral("/proc/loadavg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll().split(' ').mid(0, figures).join(' ') : QByteArray("unknown");
}

} // namespace Bench
