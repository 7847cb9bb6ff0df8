// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The dialogs name the files; what is done with them is the session's step.
#include "workshop/SetBar.h"

#include "workshop/NamedButton.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QPushButton>

namespace {

const QString pictureFilter = QStringLiteral(
    "Imatges (*.png *.jpg *.jpeg *.webp *.tif *.tiff *.bmp);;Totes los fichièrs (*)");
const QString setFilter =
    QStringLiteral("Jòcs de Mirabosc (*.mirabosc *.zip);;Totes los fichièrs (*)");
const QString defaultExportName = QStringLiteral("nòstra-classa.mirabosc");

} // namespace

SetBar::SetBar(QWidget* parent)
    : QWidget(parent),
      sitting_(namedButton(QStringLiteral("Enregistrar tot"), QStringLiteral("btnTot"), this)),
      skip_(new QCheckBox(QStringLiteral("Sautar las enregistradas"), this)),
      picture_(namedButton(QStringLiteral("Cambiar l'imatge…"), QStringLiteral("btnImatge"), this)),
      word_(namedButton(QStringLiteral("Cambiar lo mot…"), QStringLiteral("btnMot"), this)),
      undoPicture_(
          namedButton(QStringLiteral("Desfar l'imatge"), QStringLiteral("btnDesfarImatge"), this)),
      whole_(new QCheckBox(QStringLiteral("Tota l'imatge"), this)),
      export_(namedButton(QStringLiteral("Exportar…"), QStringLiteral("btnExportar"), this)),
      import_(
          namedButton(QStringLiteral("Importar un jòc…"), QStringLiteral("btnImportarJoc"), this)),
      undoImport_(namedButton(QStringLiteral("Desfar l'importacion"),
                              QStringLiteral("btnDesfarImportacion"), this)),
      redoImport_(namedButton(QStringLiteral("Tornar far l'importacion"),
                              QStringLiteral("btnRefarImportacion"), this)),
      print_(
          namedButton(QStringLiteral("Imprimir lo jòc…"), QStringLiteral("btnImprimirJoc"), this)) {
    whole_->setObjectName(QStringLiteral("chkTota"));
    whole_->setToolTip(QStringLiteral("L'imatge tota sus la carta, puslèu que retalhada"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins({});
    skip_->setObjectName(QStringLiteral("chkSautar"));
    sitting_->setToolTip(QStringLiteral("Cada mot a son torn (Ctrl+Maj+R)"));
    grid->addWidget(sitting_, 0, 0);
    grid->addWidget(skip_, 0, 1);
    grid->addWidget(picture_, 1, 0);
    grid->addWidget(whole_, 1, 1);
    grid->addWidget(word_, 2, 0);
    grid->addWidget(undoPicture_, 2, 1);
    grid->addWidget(export_, 3, 0);
    grid->addWidget(import_, 3, 1);
    grid->addWidget(redoImport_, 4, 0);
    grid->addWidget(print_, 5, 0);
    grid->addWidget(undoImport_, 4, 1);
    connect(picture_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Cambiar l'imatge"),
                                                          QString(), pictureFilter);
        if (!file.isEmpty())
            emit pictureChosen(file, whole_->isChecked());
    });
    connect(export_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar lo jòc"),
                                                          defaultExportName, setFilter);
        if (!file.isEmpty())
            emit exportChosen(file);
    });
    connect(import_, &QPushButton::clicked, this, [this] {
        const QString file = QFileDialog::getOpenFileName(this, QStringLiteral("Importar un jòc"),
                                                          QString(), setFilter);
        if (!file.isEmpty())
            emit importChosen(file);
    });
}
