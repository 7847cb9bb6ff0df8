// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// History steps are hard links to the replaced files, so keeping one costs no copy; a change of
// several files is a small list of their names under the step's number.
#include "sets/SetHistory.h"

#include "sets/SafeWrite.h"
#include "sets/TextRows.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <unistd.h>

namespace {

// Histories are kept apart from the four folders, where the game and the checker look.
const QString undoFolder = QStringLiteral(".desfar");
const QString redoFolder = QStringLiteral(".refar");
// Beside the files' own steps: which steps were one change.
const QString changesName = QStringLiteral(".cambis");
const QString ownStep = QStringLiteral(".mp3");
const QString defaultStep = QStringLiteral(".default"); // the file was the default one
constexpr int stepDigits = 6;
constexpr int extensionLength = 4; // ".mp3", ".bmp", ".txt"
// A step of an older version has no origin in its name: it was recorded.
const QRegularExpression
    stepName(QStringLiteral("^\\d{%1}(\\.(recorded|imported|drawn|revoiced))?\\.(mp3|default)$")
                 .arg(stepDigits));

QString numbered(int number) {
    return QStringLiteral("%1").arg(number, stepDigits, 10, QLatin1Char('0'));
}

} // namespace

QString SetHistory::folder(Stack stack, const QString& name) const {
    return (stack == Stack::Undo ? undoFolder : redoFolder) + QLatin1Char('/') +
           name.left(name.size() - extensionLength);
}

QString SetHistory::changesFolder(Stack stack) const {
    return (stack == Stack::Undo ? undoFolder : redoFolder) + QLatin1Char('/') + changesName;
}

int SetHistory::numberOf(const QString& step) {
    return QFileInfo(step).fileName().left(stepDigits).toInt();
}

QStringList SetHistory::steps(Stack stack, const QString& name) const {
    QStringList found;
    const QDir dir(root_ + QLatin1Char('/') + folder(stack, name));
    for (const QString& entry : dir.entryList(QDir::Files | QDir::System, QDir::Name))
        if (stepName.match(entry).hasMatch())
            found << dir.filePath(entry);
    return found;
}

SetHistory::Content SetHistory::contentOf(const QString& step) {
    const QStringList parts = QFileInfo(step).fileName().split(QLatin1Char('.'));
    return {step.endsWith(defaultStep), step,
            parts.size() == 3 ? FileOrigins::fromWord(parts[1]) : FileOrigins::Origin::Recorded};
}

int SetHistory::nextNumber(Stack stack, const QStringList& names) const {
    int last = 0;
    for (const QString& name : names)
        if (const QStringList kept = steps(stack, name); !kept.isEmpty())
            last = std::max(last, numberOf(kept.last()));
    const QDir changes(root_ + QLatin1Char('/') + changesFolder(stack));
    for (const QString& change : changes.entryList(QDir::Files))
        last = std::max(last, change.toInt());
    return last + 1;
}

QString SetHistory::push(Stack stack, const QString& name, const Content& content, int number) {
    const QString dir = safewrite::ensureFolder(root_, folder(stack, name));
    const QString step =
        dir + QLatin1Char('/') + numbered(number) +
        (content.isDefault ? defaultStep
                           : QLatin1Char('.') + FileOrigins::word(content.origin) + ownStep);
    if (content.isDefault)
        safewrite::write(step, {});
    else if (::link(QFile::encodeName(content.file).constData(),
                    QFile::encodeName(step).constData()) != 0)
        safewrite::write(step, safewrite::read(content.file)); // no hard links here: a copy
    return step;
}

void SetHistory::joinAsOne(Stack stack, int number, const QStringList& names) {
    if (names.size() < 2)
        return;
    const QString dir = safewrite::ensureFolder(root_, changesFolder(stack));
    safewrite::write(dir + QLatin1Char('/') + numbered(number),
                     names.join(QLatin1Char('\n')).toUtf8());
}

QStringList SetHistory::changeOf(Stack stack, const QString& name) const {
    const QStringList own = steps(stack, name);
    if (own.isEmpty())
        return {name};
    const int number = numberOf(own.last());
    QFile list(root_ + QLatin1Char('/') + changesFolder(stack) + QLatin1Char('/') +
               numbered(number));
    if (!list.open(QIODevice::ReadOnly))
        return {name};
    QStringList names{name};
    for (const QString& other : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n')))
        if (const QStringList kept = steps(stack, other);
            other != name && !kept.isEmpty() && numberOf(kept.last()) == number)
            names << other;
    return names;
}

QStringList SetHistory::namesOf(Stack stack, int number) const {
    QFile list(root_ + QLatin1Char('/') + changesFolder(stack) + QLatin1Char('/') +
               numbered(number));
    if (!list.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

SetHistory::RowsBack SetHistory::rowsBack(Stack stack, const QString& text, int change,
                                          const QByteArray& now) const {
    const QStringList kept = steps(stack, text);
    const auto at = std::find_if(kept.begin(), kept.end(), [change](const QString& step) {
        return numberOf(step) == change;
    });
    if (at == kept.end())
        return {now, {}, {}};
    const auto bytesOf = [](const QString& step) {
        return contentOf(step).isDefault ? QByteArray() : safewrite::read(step);
    };
    const QString name = QFileInfo(text).fileName();
    const QByteArray before = bytesOf(*at);
    const QByteArray after = at + 1 == kept.end() ? now : bytesOf(*(at + 1));
    const auto back = [&](const QByteArray& bytes) {
        return TextRows::withRowsBack(name, bytes, before, after);
    };
    RowsBack result{back(now), *at, {}};
    for (auto later = at + 1; later != kept.end(); ++later)
        if (!contentOf(*later).isDefault)
            result.later.emplace_back(*later, back(safewrite::read(*later)));
    return result;
}

void SetHistory::drop(Stack stack, const QString& step) {
    QFile::remove(step);
    const QString list = root_ + QLatin1Char('/') + changesFolder(stack) + QLatin1Char('/') +
                         numbered(numberOf(step));
    QFile file(list);
    if (!file.open(QIODevice::ReadOnly))
        return;
    for (const QString& name : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')))
        for (const QString& left : steps(stack, name))
            if (numberOf(left) == numberOf(step))
                return;
    QFile::remove(list);
}

void SetHistory::prune(Stack stack, const QString& name) {
    const QStringList all = steps(stack, name);
    for (qsizetype i = 0; i + kept < all.size(); ++i)
        drop(stack, all[i]);
}

void SetHistory::moveOlder(const QStringList& names) {
    for (const QString& name : names) {
        const QString older = root_ + QLatin1Char('/') + undoFolder + QLatin1Char('/') + name;
        if (!QFileInfo(older).isFile() || !steps(Stack::Undo, name).isEmpty())
            continue;
        const QString dir = safewrite::ensureFolder(root_, folder(Stack::Undo, name));
        QFile::rename(older, dir + QLatin1Char('/') + numbered(1) + ownStep);
    }
}
