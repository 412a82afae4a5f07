#pragma once

#include <QDateTime>
#include <QDialog>
#include <QImage>
#include <QString>

#include <vector>

class QListWidget;

// The boards of the last several runs, newest first, each with its time and
// a thumbnail of every page it has ink on: the teacher picks the one to bring
// back, by a tap, the arrows and Enter, or the button.
class BoardChooser : public QDialog
{
    Q_OBJECT
public:
    struct Entry
    {
        QString id;
        QDateTime savedAt; // invalid when not known
        std::vector<QImage> pages;
    };

    BoardChooser(const std::vector<Entry> &entries, QWidget *parent);
    // The board picked, or nothing.
    QString chosen() const;
    // The time as a teacher reads it: 12月7日（月） 10:30.
    static QString timeText(const QDateTime &at);

private:
    QListWidget *m_list;
    std::vector<QString> m_ids;
};
