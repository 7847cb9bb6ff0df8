// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Occitan words for the C library's errors that files and folders meet.
#include "base/SystemErrors.h"

#include <QFileDevice>
#include <cerrno>
#include <cstring>

namespace systemerrors {

namespace {

QString occitan(int error) {
    switch (error) {
    case ENOENT:
        return QStringLiteral("fichièr o dorsièr introbable");
    case EACCES:
        return QStringLiteral("permission refusada");
    case EPERM:
        return QStringLiteral("operacion pas permesa");
    case ENOSPC:
        return QStringLiteral("pas pus de plaça sul disc");
    case EDQUOT:
        return QStringLiteral("quòta de disc acabada");
    case EROFS:
        return QStringLiteral("disc en lectura sola");
    case EEXIST:
        return QStringLiteral("existís ja");
    case ENOTDIR:
        return QStringLiteral("es pas un dorsièr");
    case EISDIR:
        return QStringLiteral("es un dorsièr");
    case ENOTEMPTY:
        return QStringLiteral("dorsièr pas void");
    case EFBIG:
        return QStringLiteral("fichièr tròp grand");
    case ENAMETOOLONG:
        return QStringLiteral("nom tròp long");
    case ELOOP:
        return QStringLiteral("tròp de ligams simbolics");
    case EIO:
        return QStringLiteral("error de lectura o d'escritura sul disc");
    case EBUSY:
        return QStringLiteral("ocupat per un autre programa");
    case EXDEV:
        return QStringLiteral("pas sul meteis disc");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("es pas un fichièr ordinari");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("tròp de fichièrs dobèrts");
    case ENOMEM:
        return QStringLiteral("pas pro de memòria");
    case EINVAL:
        return QStringLiteral("demanda pas valabla");
    case EILSEQ:
        return QStringLiteral("format pas reconegut");
    case EAGAIN:
        return QStringLiteral("pas disponible ara");
    default:
        return QStringLiteral("error del sistèma");
    }
}

QString withSystemText(const QString& said, const QString& systemText) {
    return systemText.isEmpty() ? said : QStringLiteral("%1 (%2)").arg(said, systemText);
}

} // namespace

QString describe(int error) {
    return withSystemText(occitan(error), QString::fromLocal8Bit(std::strerror(error)));
}

QString describe(const QFileDevice& file) {
    QString said;
    switch (file.error()) {
    case QFileDevice::ReadError:
        said = QStringLiteral("error de lectura");
        break;
    case QFileDevice::WriteError:
        said = QStringLiteral("error d'escritura");
        break;
    case QFileDevice::OpenError:
        said = QStringLiteral("dobertura impossibla");
        break;
    case QFileDevice::PermissionsError:
        said = QStringLiteral("permission refusada");
        break;
    case QFileDevice::ResizeError:
        said = QStringLiteral("talha impossibla de cambiar");
        break;
    case QFileDevice::RenameError:
    case QFileDevice::CopyError:
        said = QStringLiteral("fichièr impossible de plaçar");
        break;
    default:
        said = QStringLiteral("error del sistèma");
        break;
    }
    return withSystemText(said, file.errorString());
}

QString describe(int error, const QString& libraryText, const QString& whenNoError) {
    return withSystemText(error > 0 ? occitan(error) : whenNoError, libraryText);
}

} // namespace systemerrors
