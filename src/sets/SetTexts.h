// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The words of a set, kept in the set's folder in the format of data/ (familles.txt and
// album.txt under textes/): only the rows the set changed, every other row read from the set it
// is based on; and what its voices say when that is not their row's text.
#pragma once

#include "assets/Content.h"
#include "assets/TextLayers.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class SetTexts {
public:
    // The set's own rows over those of the sets it is based on (TextLayers) and the default
    // set's. Throws EFOpenError or EReadError.
    static SetTexts load(const QString& set);
    // The same from its own files' bytes over the default set's, with no file system: each
    // decoded by the set's rules (TextsReader); throws EReadError.
    static SetTexts fromBytes(const QByteArray& families, const QByteArray& album,
                              const QByteArray& marks = {});

    // The marks of votz.txt's text; a line it cannot read is left out, and named in problems.
    static QMap<QString, QString> parseMarks(const QString& text, QStringList* problems = nullptr);

    // Each file as a set standing alone would hold it: the set's rows over those below.
    QString families() const;
    QString album() const;
    // Parsed by the one parser of data/; throws EReadError.
    content::Content content() const;
    // A card's word or a family's name (number as in the file names: 1 is the first family's
    // name), or a page's text; returns the text it replaces. Throws SetRefused for a number
    // the set does not have, or a text with a control character or over its length limit.
    QString setWord(int number, const QString& text);
    QString setPage(int page, const QString& text);
    // The set gives that word (number as for setWord) or page itself, rather than its base.
    bool hasOwnWord(int number) const;
    bool hasOwnPage(int page) const;
    // The set's own word or page is forgotten: its base's shows again.
    void dropWord(int number);
    void dropPage(int page);

    // A voice the class recorded that still says an older text: that text; empty otherwise.
    QString saysOld(const QString& voiceName) const;
    // A voice made from the text by the synthetic voice, which a change of text makes again.
    bool isSynthetic(const QString& voiceName) const;
    void markOld(const QString& voiceName, const QString& oldText);
    void markSynthetic(const QString& voiceName);
    void clearMark(const QString& voiceName);

    // The three files as kept under the set's textes/ folder, by relative name: its own rows.
    std::vector<std::pair<QString, QByteArray>> files() const;
    // The texts an export of the set carries ("textes/familles.txt"): each file some set under it
    // holds (a set built on a class set carries that set's words), the marks of its voices only
    // from its own folder.
    static QStringList carried(const QString& set);
    // Such a file as the export carries it: every row read through the set's layers, so that the
    // set stands alone wherever it is imported; the marks as they are.
    static QByteArray carriedBytes(const QString& set, const QString& name);
    // Writes the three files into the set's textes/ folder, each whole or not at all.
    void save(const QString& set) const;

private:
    static QString rowOfWord(int number);
    QString families_; // the set's own rows, with their notes
    QString album_;
    content::TextLayers::Lines familiesBelow_;
    content::TextLayers::Lines albumBelow_;
    QMap<QString, QString> marks_; // voice -> "" (synthetic) or the old text it says
};
