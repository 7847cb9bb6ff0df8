// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's error hierarchy: every failure a handler can meet is one of these.
#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

class Exception : public std::exception {
public:
    explicit Exception(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}
    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// A file that cannot be opened for reading.
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A picture whose extension or content the loader refuses.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

// A stream that ends before the data it announces.
class EReadError : public Exception {
public:
    using Exception::Exception;
};

// A text that does not hold a valid 32-bit integer.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// The narration player refused a file or an operation.
class EMCIDeviceError : public Exception {
public:
    using Exception::Exception;
};

// The workshop's refusal of a take, a picture, a word, a file or a set: its message, in Occitan,
// is shown to the teacher as it stands.
class SetRefused : public Exception {
public:
    using Exception::Exception;
};
