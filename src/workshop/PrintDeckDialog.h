// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// "Imprimir lo jòc…": the deck's options, then a PDF saved or the system's print dialog, and the
// alignment page for a duplex printer.
#pragma once

#include "deck/DeckOptions.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QPrinter;
class SetFolder;

class PrintDeckDialog : public QDialog {
    Q_OBJECT
public:
    // folder must outlive the dialog.
    PrintDeckDialog(const SetFolder& folder, QWidget* parent = nullptr);

    deck::DeckOptions options() const;

private:
    void savePdf();
    void print(bool alignment);
    // Runs a step that may fail, and tells the teacher what it did or why it could not.
    void report(const std::function<QString()>& step);

    const SetFolder& folder_;
    QComboBox* paper_;
    QComboBox* layout_;
    QComboBox* backs_;
    std::vector<QCheckBox*> families_;
    QDoubleSpinBox* shiftX_;
    QDoubleSpinBox* shiftY_;
};
