#include "Settings.h"

#include <QSettings>

Settings::Settings(QSettings &store, int pageCount) : m_store(store), m_pageCount(pageCount) {}

core::StoredChoices::Choices Settings::read() const
{
    const bool readable = m_store.status() == QSettings::NoError;
    return core::StoredChoices::read(
        [&](const std::string &key) -> std::optional<std::string> {
            const QVariant value = m_store.value(QString::fromStdString(key));
            if (!readable || !value.isValid())
                return std::nullopt;
            return value.toString().toStdString();
        },
        m_pageCount);
}

void Settings::write(const core::StoredChoices::Choices &choices)
{
    for (const auto &[key, value] : core::StoredChoices::write(choices))
        m_store.setValue(QString::fromStdString(key), QString::fromStdString(value));
    m_store.sync();
}
