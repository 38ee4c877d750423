#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// The program's error types. Every error carries the text the user sees in
// the general error box; EAbort is the silent stop that ends a user action.
class Exception : public std::exception {
public:
    explicit Exception(QString message);
    const QString &Message() const noexcept { return m_message; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

class EAbort : public Exception {
public:
    EAbort();
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

// Ends the whole user action without a message (after a check has spoken).
[[noreturn]] void Abort();
