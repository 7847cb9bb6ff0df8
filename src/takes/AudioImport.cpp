// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// libsndfile reads every format the recorder accepts; Debian's build decodes MP3 through mpg123.
// Its virtual I/O reads from a descriptor we opened ourselves or from memory.
#include "takes/AudioImport.h"

#include "base/Errors.h"
#include "base/SystemErrors.h"
#include "takes/TakeProcessor.h"

#include <QFile>
#include <QRegularExpression>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

namespace audioimport {

namespace {

constexpr sf_count_t chunkFrames = 1 << 13;
constexpr size_t logBytes = 4096;
// espeak-ng and other streaming writers put this (or more) as the length of data still to come.
constexpr qint64 streamingLength = 0x7FFF0000;

struct Source {
    virtual ~Source() = default;
    virtual sf_count_t size() = 0;
    virtual sf_count_t seek(sf_count_t offset, int whence) = 0;
    virtual sf_count_t read(void* to, sf_count_t count) = 0;
    virtual sf_count_t tell() = 0;
};

class FileSource : public Source {
public:
    explicit FileSource(int fd) : fd_(fd) {}
    ~FileSource() override { ::close(fd_); }
    sf_count_t size() override {
        struct stat status = {};
        return ::fstat(fd_, &status) == 0 ? status.st_size : -1;
    }
    sf_count_t seek(sf_count_t offset, int whence) override { return ::lseek(fd_, offset, whence); }
    sf_count_t read(void* to, sf_count_t count) override {
        for (;;) {
            const ssize_t got = ::read(fd_, to, size_t(count));
            if (got >= 0 || errno != EINTR)
                return got < 0 ? 0 : got;
        }
    }
    sf_count_t tell() override { return ::lseek(fd_, 0, SEEK_CUR); }

private:
    int fd_;
};

class MemorySource : public Source {
public:
    explicit MemorySource(const QByteArray& bytes) : bytes_(bytes) {}
    sf_count_t size() override { return bytes_.size(); }
    sf_count_t seek(sf_count_t offset, int whence) override {
        const sf_count_t base = whence == SEEK_CUR ? at_ : whence == SEEK_END ? size() : 0;
        if (base + offset < 0 || base + offset > size())
            return -1;
        return at_ = base + offset;
    }
    sf_count_t read(void* to, sf_count_t count) override {
        const sf_count_t got = std::max<sf_count_t>(0, std::min(count, size() - at_));
        std::memcpy(to, bytes_.constData() + at_, size_t(got));
        at_ += got;
        return got;
    }
    sf_count_t tell() override { return at_; }

private:
    const QByteArray& bytes_;
    sf_count_t at_ = 0;
};

Source* sourceOf(void* data) {
    return static_cast<Source*>(data);
}

SF_VIRTUAL_IO virtualIo = {
    [](void* data) { return sourceOf(data)->size(); },
    [](sf_count_t offset, int whence, void* data) { return sourceOf(data)->seek(offset, whence); },
    [](void* to, sf_count_t count, void* data) { return sourceOf(data)->read(to, count); },
    [](const void*, sf_count_t, void*) { return sf_count_t(0); },
    [](void* data) { return sourceOf(data)->tell(); },
};

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

SetRefused unreadable(const QString& name, const QString& why) {
    return SetRefused(QStringLiteral("Impossible de legir %1 coma un son : %2").arg(name, why));
}

SetRefused damaged(const QString& name) {
    return SetRefused(
        QStringLiteral("Lo fichièr %1 es damatjat : s'acaba abans la fin que son entèsta anóncia")
            .arg(name));
}

// A WAV or AIFF whose data chunk claims more than the file holds: libsndfile shortens it
// silently and only says so in its log.
bool headerClaimsMore(SNDFILE* file) {
    char log[logBytes] = {};
    sf_command(file, SFC_GET_LOG_INFO, log, sizeof log);
    static const QRegularExpression claim(
        QStringLiteral("^(?:data|SSND) *: *(\\d+) \\(should be (\\d+)\\)"),
        QRegularExpression::MultilineOption);
    const auto match = claim.match(QString::fromLatin1(log));
    if (!match.hasMatch())
        return false;
    const qint64 claimed = match.captured(1).toLongLong();
    return claimed > match.captured(2).toLongLong() && claimed < streamingLength;
}

void checkHeader(const SF_INFO& info, const QString& name) {
    if (info.channels <= 0 || info.samplerate <= 0)
        throw unreadable(name, QStringLiteral("format desconegut"));
    if (info.channels > maxChannels)
        throw SetRefused(QStringLiteral("%1 a %2 canals : una votz n'a pas besonh de mai de %3")
                             .arg(name)
                             .arg(info.channels)
                             .arg(maxChannels));
    if (info.samplerate < lowestRate || info.samplerate > highestRate)
        throw SetRefused(QStringLiteral("%1 es a %2 Hz : una votz es entre %3 e %4 Hz")
                             .arg(name)
                             .arg(info.samplerate)
                             .arg(lowestRate)
                             .arg(highestRate));
}

SetRefused overlong(double seconds) {
    return SetRefused(QStringLiteral("L'enregistrament dura mai de %1 s (%2 s)")
                          .arg(takeprocessor::longestTakeSeconds)
                          .arg(seconds, 0, 'f', 1));
}

Take decodeFrom(Source& source, const QString& name) {
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(
        sf_open_virtual(&virtualIo, SFM_READ, &info, &source));
    if (!file)
        throw unreadable(
            name, systemerrors::describe(0, QString::fromLocal8Bit(sf_strerror(nullptr)),
                                         QStringLiteral("format desconegut o son damatjat")));
    checkHeader(info, name);
    // Some formats do not know their length ahead; those are stopped at the limit while read.
    const auto limitFrames = sf_count_t(takeprocessor::longestTakeSeconds * info.samplerate);
    const bool lengthKnown = info.frames > 0 && info.frames < SF_COUNT_MAX;
    if (lengthKnown && info.frames > limitFrames)
        throw overlong(double(info.frames) / info.samplerate);
    if (headerClaimsMore(file.get()))
        throw damaged(name);
    // Channels are averaged while read, so memory stays that of one channel at most.
    Take take{info.samplerate, 1, {}};
    if (lengthKnown)
        take.samples.reserve(size_t(info.frames));
    std::vector<float> buffer(size_t(chunkFrames * info.channels));
    for (;;) {
        const sf_count_t got = sf_readf_float(file.get(), buffer.data(), chunkFrames);
        if (got <= 0)
            break;
        for (sf_count_t frame = 0; frame < got; ++frame) {
            float sum = 0.0f;
            for (int c = 0; c < info.channels; ++c)
                sum += buffer[size_t(frame * info.channels + c)];
            take.samples.push_back(sum / float(info.channels));
        }
        if (take.frames() > limitFrames)
            throw overlong(take.seconds());
    }
    if (sf_error(file.get()) != SF_ERR_NO_ERROR)
        throw unreadable(name,
                         systemerrors::describe(0, QString::fromLocal8Bit(sf_strerror(file.get())),
                                                QStringLiteral("son damatjat")));
    if (take.frames() == 0)
        throw unreadable(name, QStringLiteral("cap de son"));
    // An MP3's length is often an estimate from its size (cover pictures included): only the
    // other formats know theirs exactly.
    const bool exactLength = (info.format & SF_FORMAT_TYPEMASK) != SF_FORMAT_MPEG;
    if (lengthKnown && exactLength && take.frames() < info.frames)
        throw damaged(name);
    return take;
}

} // namespace

Take read(const QString& path) {
    // O_NONBLOCK: a pipe or a device given as the file must not hang the open.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        throw unreadable(path, systemerrors::describe(errno));
    FileSource source(fd);
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))
        throw unreadable(path, QStringLiteral("es pas un fichièr ordinari"));
    return decodeFrom(source, path);
}

Take decode(const QByteArray& bytes, const QString& name) {
    MemorySource source(bytes);
    return decodeFrom(source, name);
}

} // namespace audioimport
