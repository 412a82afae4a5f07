#pragma once

#include <QTranslator>

// Japanese for the few strings of Qt's print dialog that Qt's own Japanese
// leaves in English; asked only after Qt's own translation.
class MissingQtStrings : public QTranslator
{
    Q_OBJECT
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};
