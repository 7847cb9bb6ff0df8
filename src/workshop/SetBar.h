// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The workshop's buttons for the set beyond one voice: the row's picture from a file, and the
// set exported to or imported from a file to share with the class.
#pragma once

#include <QWidget>

class QCheckBox;
class QPushButton;

class SetBar : public QWidget {
    Q_OBJECT
public:
    explicit SetBar(QWidget* parent = nullptr);

    // "Enregistrar tot": the window starts the sitting, with the skip option.
    QPushButton* sitting() const { return sitting_; }
    QCheckBox* skipRecorded() const { return skip_; }
    QPushButton* picture() const { return picture_; }
    // The window asks for the new word: it knows the row's present one.
    QPushButton* word() const { return word_; }
    QPushButton* undoPicture() const { return undoPicture_; }
    QCheckBox* whole() const { return whole_; }
    QPushButton* exportSet() const { return export_; }
    QPushButton* importSet() const { return import_; }
    // "Desfar l'importacion": the set the last import replaced comes back, then the one before.
    QPushButton* undoImport() const { return undoImport_; }
    // "Tornar far l'importacion": the set the last undo replaced comes back.
    QPushButton* redoImport() const { return redoImport_; }
    // "Imprimir lo jòc…": the window opens the printing dialog on its set.
    QPushButton* print() const { return print_; }

signals:
    // A file chosen in the dialogs the buttons open.
    void pictureChosen(const QString& file, bool whole);
    void exportChosen(const QString& file);
    void importChosen(const QString& file);

private:
    QPushButton* sitting_;
    QCheckBox* skip_;
    QPushButton* picture_;
    QPushButton* word_;
    QPushButton* undoPicture_;
    QCheckBox* whole_;
    QPushButton* export_;
    QPushButton* import_;
    QPushButton* undoImport_;
    QPushButton* redoImport_;
    QPushButton* print_;
};
