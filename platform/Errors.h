#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Base of every error the program raises. It carries the message text exactly as the user
// sees it in the error box; commands catch it at their boundary and show Message().
class EMarrowpadError : public std::exception {
public:
    explicit EMarrowpadError(QString message)
        : fMessage(std::move(message)), fUtf8(fMessage.toUtf8()) {}
    const QString& Message() const noexcept { return fMessage; }
    const char* what() const noexcept override { return fUtf8.constData(); }

private:
    QString fMessage;
    QByteArray fUtf8;
};

#define MARROWPAD_DECLARE_ERROR(Name, Base) \
    class Name : public Base {              \
    public:                                 \
        using Base::Base;                   \
    };

MARROWPAD_DECLARE_ERROR(EStreamError, EMarrowpadError)
MARROWPAD_DECLARE_ERROR(EReadError, EStreamError)
MARROWPAD_DECLARE_ERROR(EWriteError, EStreamError)
MARROWPAD_DECLARE_ERROR(EFCreateError, EStreamError)
MARROWPAD_DECLARE_ERROR(EFOpenError, EStreamError)
MARROWPAD_DECLARE_ERROR(EConvertError, EMarrowpadError)
MARROWPAD_DECLARE_ERROR(EListError, EMarrowpadError)
MARROWPAD_DECLARE_ERROR(EArgumentError, EMarrowpadError)
MARROWPAD_DECLARE_ERROR(EAssertionFailed, EMarrowpadError)
