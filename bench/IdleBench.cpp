#include "IdleBench.h"

#include "ChildRun.h"
#include "PaintWatch.h"
#include "PictureBox.h"
#include "Tamsel.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <memory>

namespace Bench {

namespace {
// What the child prints: a tag and a count, then each widget painted.
constexpr qsizetype kIdleFields = 2;
// Start-up ends a little after the first paint: the window becomes active and
// the focus ring shows on the focused control.
constexpr int kStartupSettleMs = 200;
} // namespace

// Child: once start-up is over, counts every paint for a while.
int idleChild(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int idleMs = QByteArray(argv[2]).toInt();
    Tamsel window;
    PaintWatch first(window.PolyPic);
    std::unique_ptr<PaintWatch> idle;
    first.onFirstPaint([&] {
        QTimer::singleShot(kStartupSettleMs, &app, [&] {
            idle = std::make_unique<PaintWatch>(&app);
            QTimer::singleShot(idleMs, &app, [&] {
                std::printf("idle-paints %d", idle->count());
                for (const auto &[widget, n] : idle->byWidget())
                    std::printf(" %s:%d", qPrintable(widget), n);
                std::printf("\n");
                std::fflush(stdout);
                app.quit();
            });
        });
    });
    window.show();
    return app.exec();
}

void benchIdle(const Config &config)
{
    std::printf("\n## Idle: paint events in %d ms after the start-up paints\n\n"
                "| platform | paints | widgets painted |\n|---|---|---|\n",
                config.idleMs);
    for (const QString &platform : platforms()) {
        const QStringList args{kIdleMode, QString::number(config.idleMs)};
        const std::optional<ChildReport> r = runChild(args, platform, kIdleFields);
        if (!r)
            return;
        std::printf("| %s | %s | %s |\n", qPrintable(platform), r->fields[1].constData(),
                    r->fields.size() > 2 ? r->fields.mid(2).join(' ').constData() : "none");
        std::fflush(stdout);
    }
}

} // namespace Bench
