#pragma once

#include "PageView.h"
#include "PainterDrawOps.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The command line: `tamsel --export FILE [--page 0..3] [--value V] [--step K]
// [--size WxH] [--weight 1..3] [--aids] [--cm] [--radius-cm 5|8|10] [--grid] [--squares] [--ink] [--paper]
// [--follow CODE --broker HOST:PORT [--name N]]` renders one page into a file
// without a window. Bad or missing values give one line on standard error,
// status 2 and no file.
class CommandLine
{
public:
    static constexpr int kBadUsage = 2;
    static constexpr int kMaxSidePx = 8192;

    struct Export
    {
        QString path;
        core::PageView view;
        bool ink = false;
        // The class's board instead of a page chosen here: its code, HOST:PORT and a nickname.
        QString follow;
        QString broker;
        QString name;
        PainterDrawOps::Look look = PainterDrawOps::Look::Board;
    };
    // A job to run, text to print (help, version), or the line that says what is wrong.
    struct Parsed
    {
        std::optional<Export> job;
        QString text;
        bool failed = false;
    };

    // Whether the program was started for the command line rather than the window.
    static bool wanted(int argc, char **argv);
    static Parsed parse(const QStringList &arguments);
    // The arguments as the system passed them, in the locale's encoding.
    static Parsed parse(const QList<QByteArray> &arguments);
    // Runs the command line in a windowless application; the process's exit status.
    static int run(int argc, char **argv);

private:
    static int exportPage(const Export &job);
};
