// The asset folder the recorder works on: its 73 voices, own or default, written safely with Undo.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class VoiceFolder {
public:
    static constexpr int voiceCount = 73;

    // root: the folder written to; defaultSet: the installed default asset folder, read only.
    VoiceFolder(const QString& root, const QString& defaultSet);

    // The 73 voice names the game reads ("sons_familles/1.mp3" ... then "son_album/17.mp3").
    static const QStringList& voiceNames();
    // A name as the game reads it, with "/" or "\" between folder and file; throws VoiceRefused
    // for any other name, so nothing outside the folder's voices can be written.
    static QString checkedName(const QString& relativePath);

    const QString& root() const { return root_; }
    const QString& defaultSet() const { return defaultSet_; }
    QString pathOf(const QString& name) const;

    // Creates the folder and copies in every file of the default set it lacks; an existing file
    // is never replaced. Returns the number of files copied; throws VoiceRefused.
    int fillFromDefaultSet();

    // Replaces a voice, keeping the file it replaces for undo().
    void write(const QString& name, const QByteArray& mp3);
    bool canUndo(const QString& name) const;
    // Puts back the file the last change replaced; a second undo redoes the change.
    void undo(const QString& name);
    void restoreDefault(const QString& name);
    // The voice differs from the default set's.
    bool isOwn(const QString& name) const;
    int ownCount() const;

private:
    QString undoPathOf(const QString& name) const;
    // Throws VoiceRefused when the file's folder leads outside root (a link, for one).
    void checkInside(const QString& path) const;

    QString root_;
    QString defaultSet_;
};
