#pragma once

#include <QString>

#include <stdexcept>

// An error that ends the handler that raised it; the handler's guard shows its
// text in an error box and the program goes on.
class DvsError : public std::runtime_error
{
public:
    explicit DvsError(const QString &message) : std::runtime_error(message.toStdString()), m_message(message)
    {}

    const QString &message() const noexcept { return m_message; }

private:
    QString m_message;
};
