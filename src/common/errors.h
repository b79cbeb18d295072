#pragma once

#include <QString>
#include <QByteArray>
#include <exception>

namespace ludra {

// Root of the errors a command can end with. The main window turns any of
// these that reaches a handler into one error box; nothing else catches them
// silently except the file loaders that are meant to stop quietly.
class Exception : public std::exception
{
public:
    explicit Exception(QString message)
        : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}
    const QString &message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A text that had to be a whole number and was not.
class EConvertError : public Exception
{
public:
    using Exception::Exception;
};

// A file that cannot be opened, created or written, or data that ends before
// what it announces.
class EStreamError : public Exception
{
public:
    using Exception::Exception;
};

// A write by the program's own logic to a place outside a fixed table: a
// programming error, never a user's. Data read from files is bounded before it
// reaches a table, so only a fault in the code raises this; the command ends
// with the message rather than quietly leaving a cell unchanged.
class ERangeError : public Exception
{
public:
    using Exception::Exception;
};

} // namespace ludra
