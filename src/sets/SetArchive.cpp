// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The zip is opened by this program (without blocking, regular files only) and handed to
// libarchive as a descriptor; names are matched against the set's own list, never resolved.
#include "sets/SetArchive.h"

#include "assets/Catalogue.h"
#include "base/Errors.h"
#include "base/SystemErrors.h"
#include "sets/SafeWrite.h"
#include "sets/SetImport.h"
#include "sets/SetManifest.h"
#include "sets/SetTexts.h"
#include "sets/StoredArt.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace setarchive {

namespace {

constexpr int readBlockBytes = 64 * 1024;
constexpr int entryMode = 0644;
const QStringList textFiles{catalogue::familiesText, catalogue::albumText,
                            catalogue::voiceMarksText, catalogue::phrasesText};

struct ReaderFree {
    void operator()(archive* a) const { archive_read_free(a); }
};
struct WriterFree {
    void operator()(archive* a) const { archive_write_free(a); }
};
struct EntryFree {
    void operator()(archive_entry* e) const { archive_entry_free(e); }
};

SetRefused refused(const QString& path, const QString& why) {
    return SetRefused(QStringLiteral("Lo jòc %1 es refusat : %2").arg(path, why));
}

const QString cutShort =
    QStringLiteral("l'archiu es copat abans sa fin : una còpia o un telecargament s'es pas acabat");

// A zip starts with a file's header and ends with its directory's end, within its last 64 KiB
// (its comment at most) and 22 bytes: a zip without that end was cut short.
bool isCutShort(int fd, qint64 size) {
    constexpr qint64 endSearch = 65535 + 22;
    char start[4] = {};
    if (::pread(fd, start, sizeof start, 0) != sizeof start || QByteArray(start, 4) != "PK\x03\x04")
        return false;
    const qint64 from = std::max<qint64>(0, size - endSearch);
    QByteArray end(int(size - from), '\0');
    return ::pread(fd, end.data(), size_t(end.size()), from) != end.size() ||
           !end.contains(QByteArray("PK\x05\x06", 4));
}

QString archiveError(archive* a) {
    // libarchive says a C library error by its number (EILSEQ: not an archive it reads), and its
    // own failures by a number below one; its English text is only kept as a detail.
    const char* raw = archive_error_string(a);
    const QString text = raw ? QString::fromLocal8Bit(raw).trimmed() : QString();
    if (text.contains(QLatin1String("runcated")))
        return cutShort;
    if (text.contains(QLatin1String("ncrypt")) || text.contains(QLatin1String("assphrase")))
        return QStringLiteral("l'archiu es protegit per un senhal : Mirabosc pren pas qu'un "
                              "archiu sens senhal");
    return systemerrors::describe(archive_errno(a), text, QStringLiteral("archiu damatjat"));
}

bool sameFile(const QString& one, const QString& other) {
    const QFileInfo a(one), b(other);
    if (a.canonicalFilePath() == b.canonicalFilePath())
        return true;
    return a.size() == b.size() && safewrite::read(one) == safewrite::read(other);
}

bool isSetFolder(QString name) {
    if (name.endsWith(QLatin1Char('/')))
        name.chop(1);
    if (name == textsFolder || name == storedart::folder)
        return true;
    for (const QString& folder : catalogue::carriedFolders())
        if (name == folder)
            return true;
    return false;
}

// What a desktop adds beside the files it zips: a Mac's notes on each file, its folder views.
bool isDesktopNote(const QString& name) {
    return name.startsWith(QLatin1String("__MACOSX/")) || name == QLatin1String(".DS_Store") ||
           name.endsWith(QLatin1String("/.DS_Store"));
}

// The one folder every file sits under, when that folder is none of the set's own.
QString commonTop(const std::vector<Entry>& entries) {
    QString top;
    for (const Entry& entry : entries) {
        const QString first = entry.name.section(QLatin1Char('/'), 0, 0);
        if (!entry.name.contains(QLatin1Char('/')) || first.isEmpty() ||
            first == QLatin1String(".") || first == QLatin1String("..") || isSetFolder(first) ||
            (!top.isEmpty() && first != top))
            return {};
        top = first;
    }
    return top;
}

} // namespace

bool isSetEntry(const QString& name, const QString& installed) {
    if (name == setmanifest::fileName)
        return true;
    const QStringList parts = name.split(QLatin1Char('/'));
    if (parts.size() != 2)
        return false;
    if (parts[0] == textsFolder)
        return textFiles.contains(parts[1]);
    if (parts[0] == storedart::folder)
        return storedart::isStoredName(parts[1]);
    for (const QString& folder : catalogue::carriedFolders())
        if (parts[0] == folder)
            return !parts[1].startsWith(QLatin1Char('.')) &&
                   QFileInfo(installed + QLatin1Char('/') + name).isFile();
    return false;
}

std::vector<Changed> changedFiles(const QString& set, const QString& installed) {
    std::vector<Changed> names;
    const FileOrigins origins = FileOrigins::load(set);
    for (const QString& folder : catalogue::carriedFolders()) {
        const QDir defaults(installed + QLatin1Char('/') + folder);
        for (const QString& file : defaults.entryList(QDir::Files, QDir::Name)) {
            const QString name = folder + QLatin1Char('/') + file;
            const QFileInfo own(set + QLatin1Char('/') + name);
            // A file the class made stays the class's even when it equals the default.
            const bool marked = origins.contains(name) && !own.isSymLink();
            if (!own.exists() || (!marked && sameFile(own.filePath(), defaults.filePath(file))))
                continue;
            FileOrigins::Origin origin = origins.of(name);
            if (!marked) {
                // A link into the class set the set is based on: that set's mark.
                const QString target = own.symLinkTarget();
                const FileOrigins base =
                    FileOrigins::load(target.left(target.size() - name.size() - 1));
                origin = base.contains(name)                    ? base.of(name)
                         : name.endsWith(QLatin1String(".mp3")) ? FileOrigins::Origin::Recorded
                                                                : FileOrigins::Origin::Drawn;
            }
            names.push_back({name, origin});
        }
    }
    for (const QString& name : SetTexts::carried(set))
        names.push_back({name, FileOrigins::Origin::Default});
    const QDir kept(set + QLatin1Char('/') + storedart::folder);
    for (const QString& file : kept.entryList(QDir::Files, QDir::Name))
        if (storedart::isStoredName(file))
            names.push_back(
                {storedart::folder + QLatin1Char('/') + file, FileOrigins::Origin::Default});
    return names;
}

int write(const QString& set, const QString& installed, const QString& path) {
    std::vector<setmanifest::File> files;
    for (const Changed& changed : changedFiles(set, installed))
        files.push_back({changed.name,
                         changed.name.startsWith(textsFolder + QLatin1Char('/'))
                             ? SetTexts::carriedBytes(set, changed.name)
                             : safewrite::read(set + QLatin1Char('/') + changed.name),
                         changed.origin});
    if (files.empty())
        throw SetRefused(
            QStringLiteral("Lo jòc %1 es lo jòc installat : i a pas res a exportar").arg(set));
    const bool classBased =
        std::any_of(files.begin(), files.end(), [&set](const setmanifest::File& f) {
            return QFileInfo(set + QLatin1Char('/') + f.name).isSymLink();
        });
    files.push_back(
        {setmanifest::fileName,
         setmanifest::write(classBased ? QStringLiteral("classa") : QStringLiteral("installat"),
                            files),
         FileOrigins::Origin::Default});
    // Nothing is written that an import would refuse.
    std::vector<Entry> entries;
    for (const setmanifest::File& kept : files)
        entries.push_back({kept.name, kept.bytes});
    try {
        setimport::verify(entries);
    } catch (const Exception& error) {
        throw SetRefused(
            QStringLiteral("Lo jòc %1 es pas exportat, una importacion lo refusariá : %2")
                .arg(set, error.message()));
    }
    const auto unwritten = [&path](const QString& why) {
        return SetRefused(QStringLiteral("Escritura impossibla de %1 : %2").arg(path, why));
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw SetRefused(QStringLiteral("Escritura impossibla de %1 : %2")
                             .arg(path, systemerrors::describe(file)));
    const std::unique_ptr<archive, WriterFree> zip(archive_write_new());
    if (archive_write_set_format_zip(zip.get()) != ARCHIVE_OK ||
        archive_write_set_format_option(zip.get(), "zip", "compression-level", "1") <
            ARCHIVE_WARN ||
        archive_write_open_fd(zip.get(), file.handle()) != ARCHIVE_OK)
        throw unwritten(archiveError(zip.get()));
    for (const setmanifest::File& kept : files) {
        const QString& name = kept.name;
        const QByteArray& bytes = kept.bytes;
        // Sounds and PNG drawings are compressed already; pictures and texts take the quickest
        // deflate, which loses little size on card pictures.
        const bool compressed =
            name.endsWith(QLatin1String(".mp3")) || name.endsWith(QLatin1String(".png"));
        if ((compressed ? archive_write_zip_set_compression_store(zip.get())
                        : archive_write_zip_set_compression_deflate(zip.get())) != ARCHIVE_OK)
            throw unwritten(archiveError(zip.get()));
        const std::unique_ptr<archive_entry, EntryFree> entry(archive_entry_new());
        archive_entry_set_pathname_utf8(entry.get(), name.toUtf8().constData());
        archive_entry_set_filetype(entry.get(), AE_IFREG);
        archive_entry_set_perm(entry.get(), entryMode);
        archive_entry_set_size(entry.get(), bytes.size());
        if (archive_write_header(zip.get(), entry.get()) != ARCHIVE_OK ||
            archive_write_data(zip.get(), bytes.constData(), size_t(bytes.size())) !=
                la_ssize_t(bytes.size()))
            throw unwritten(archiveError(zip.get()));
    }
    if (archive_write_close(zip.get()) != ARCHIVE_OK)
        throw unwritten(archiveError(zip.get()));
    if (!file.commit())
        throw SetRefused(QStringLiteral("Escritura impossibla de %1 : %2")
                             .arg(path, systemerrors::describe(file)));
    return int(files.size()) - 1;
}

std::vector<Entry> read(const QString& path, const QString& installed) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        throw refused(path, QStringLiteral("legir impossible"));
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        throw refused(path, QStringLiteral("es pas un fichièr ordinari"));
    }
    if (isCutShort(fd, status.st_size)) {
        ::close(fd);
        throw refused(path, cutShort);
    }
    // libarchive does not own the descriptor: it is closed when this function leaves.
    const std::unique_ptr<int, void (*)(int*)> closer(new int(fd), [](int* d) {
        ::close(*d);
        delete d;
    });
    const std::unique_ptr<archive, ReaderFree> zip(archive_read_new());
    archive_read_support_format_zip(zip.get());
    if (archive_read_open_fd(zip.get(), fd, readBlockBytes) != ARCHIVE_OK)
        throw refused(path, archiveError(zip.get()));
    std::vector<Entry> entries;
    QStringList folders;
    int count = 0;
    qint64 total = 0;
    archive_entry* entry = nullptr;
    for (;;) {
        const int status = archive_read_next_header(zip.get(), &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status != ARCHIVE_OK)
            throw refused(path, archiveError(zip.get()));
        const char* rawName = archive_entry_pathname_utf8(entry);
        const QString name = rawName ? QString::fromUtf8(rawName) : QString();
        if (archive_entry_filetype(entry) == AE_IFDIR) {
            folders << name; // a folder entry of its own carries nothing
            continue;
        }
        if (archive_entry_filetype(entry) != AE_IFREG || archive_entry_hardlink(entry) ||
            archive_entry_symlink(entry))
            throw refused(path, QStringLiteral("%1 es pas un fichièr ordinari").arg(name));
        if (isDesktopNote(name))
            continue;
        if (++count > entryCountCap)
            throw refused(path, QStringLiteral("tròp de fichièrs"));
        const qint64 declared = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : 0;
        if (declared > entryCapBytes || total + declared > totalCapBytes)
            throw refused(path,
                          QStringLiteral("%1 es tròp grand (%2 octets)").arg(name).arg(declared));
        Entry kept{name, {}};
        char block[readBlockBytes];
        for (;;) {
            const la_ssize_t got = archive_read_data(zip.get(), block, sizeof block);
            if (got < 0)
                throw refused(path, archiveError(zip.get()));
            if (got == 0)
                break;
            if (kept.bytes.size() + got > entryCapBytes || (total += got) > totalCapBytes)
                throw refused(path, QStringLiteral("%1 es tròp grand").arg(name));
            kept.bytes.append(block, got);
        }
        entries.push_back(std::move(kept));
    }
    // A set zipped again by a desktop sits under one folder: it is read as if it were not there.
    const QString top = commonTop(entries);
    for (QString folder : folders) {
        if (!top.isEmpty() && folder.startsWith(top + QLatin1Char('/')))
            folder = folder.mid(top.size() + 1);
        if (!folder.isEmpty() && !isSetFolder(folder) && !isDesktopNote(folder))
            throw refused(path, QStringLiteral("%1 es pas un fichièr ordinari").arg(folder));
    }
    QSet<QString> seen;
    for (Entry& kept : entries) {
        if (!top.isEmpty())
            kept.name = kept.name.mid(top.size() + 1);
        if (!isSetEntry(kept.name, installed))
            throw refused(path, QStringLiteral("%1 es pas un fichièr del jòc").arg(kept.name));
        if (seen.contains(kept.name))
            throw refused(path, QStringLiteral("%1 i es dos còps").arg(kept.name));
        seen.insert(kept.name);
    }
    return entries;
}

} // namespace setarchive
