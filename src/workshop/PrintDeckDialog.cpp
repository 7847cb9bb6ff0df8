// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog only gathers the choices; reading the set and writing the pages are the deck
// commands', the same as on the command line.
#include "workshop/PrintDeckDialog.h"

#include "base/Errors.h"
#include "deck/DeckWriter.h"
#include "sets/SetFolder.h"
#include "workshop/DeckCommands.h"
#include "workshop/RecorderIdentity.h"
#include "workshop/WordCommands.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

constexpr double shiftStepMm = 0.5;
constexpr int familyColumns = 2;
const QString pdfFilter = QStringLiteral("PDF (*.pdf)");
const QString defaultPdfName = QStringLiteral("jòc-de-cartas.pdf");

QComboBox* combo(const QStringList& texts, const QString& name, QWidget* parent) {
    auto* created = new QComboBox(parent);
    created->addItems(texts);
    created->setObjectName(name);
    return created;
}

QDoubleSpinBox* shiftBox(const QString& direction, const QString& name, QWidget* parent) {
    auto* created = new QDoubleSpinBox(parent);
    created->setPrefix(direction);
    created->setRange(-deck::largestBackShiftMm, deck::largestBackShiftMm);
    created->setSingleStep(shiftStepMm);
    created->setSuffix(QStringLiteral(" mm"));
    created->setObjectName(name);
    return created;
}

} // namespace

PrintDeckDialog::PrintDeckDialog(const SetFolder& folder, QWidget* parent)
    : QDialog(parent), folder_(folder),
      paper_(combo({QStringLiteral("A4"), QStringLiteral("US Letter")}, QStringLiteral("cmbPapièr"),
                   this)),
      layout_(combo({QStringLiteral("9 per fuèlha, sens fons perdut"),
                     QStringLiteral("8 per fuèlha, amb fons perdut de 3 mm"),
                     QStringLiteral("Plegadas : cara e revèrs sus la fuèlha")},
                    QStringLiteral("cmbDisposicion"), this)),
      backs_(combo({QStringLiteral("Pas de revèrs"),
                    QStringLiteral("Recto-verso, virat pel costat long"),
                    QStringLiteral("Recto-verso, virat pel costat cort")},
                   QStringLiteral("cmbRevèrses"), this)),
      shiftX_(shiftBox(QStringLiteral("a drecha "), QStringLiteral("spnDecalatgeX"), this)),
      shiftY_(shiftBox(QStringLiteral("en bas "), QStringLiteral("spnDecalatgeY"), this)) {
    setWindowTitle(QStringLiteral("Imprimir lo jòc"));
    auto* families = new QWidget(this);
    auto* grid = new QGridLayout(families);
    grid->setContentsMargins({});
    try {
        const content::Content content = wordcommands::contentOf(folder_);
        for (const content::Family& family : content.families) {
            auto* box = new QCheckBox(family.name, families);
            box->setChecked(true);
            box->setObjectName(QStringLiteral("chkFamilha%1").arg(family.index));
            box->setProperty("family", family.index);
            grid->addWidget(box, int(families_.size()) / familyColumns,
                            int(families_.size()) % familyColumns);
            families_.push_back(box);
        }
    } catch (const Exception& error) {
        grid->addWidget(new QLabel(error.message(), families), 0, 0);
    }
    auto* shift = new QWidget(this);
    auto* shiftRow = new QHBoxLayout(shift);
    shiftRow->setContentsMargins({});
    shiftRow->addWidget(shiftX_);
    shiftRow->addWidget(shiftY_);
    shift->setToolTip(QStringLiteral("Vist de cara : a drecha, en bas"));

    auto* buttons = new QDialogButtonBox(this);
    auto* pdf =
        buttons->addButton(QStringLiteral("Enregistrar en PDF…"), QDialogButtonBox::ActionRole);
    auto* printer = buttons->addButton(QStringLiteral("Imprimir…"), QDialogButtonBox::AcceptRole);
    auto* alignment =
        buttons->addButton(QStringLiteral("Pagina d'alinhament…"), QDialogButtonBox::ActionRole);
    buttons->addButton(QStringLiteral("Tampar"), QDialogButtonBox::RejectRole);
    pdf->setObjectName(QStringLiteral("btnPdf"));
    printer->setObjectName(QStringLiteral("btnImprimir"));
    alignment->setObjectName(QStringLiteral("btnAlinhament"));
    connect(pdf, &QPushButton::clicked, this, &PrintDeckDialog::savePdf);
    connect(printer, &QPushButton::clicked, this, [this] { print(false); });
    connect(alignment, &QPushButton::clicked, this, [this] { print(true); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Papièr"), paper_);
    form->addRow(QStringLiteral("Disposicion"), layout_);
    form->addRow(QStringLiteral("Revèrses"), backs_);
    form->addRow(QStringLiteral("Familhas"), families);
    form->addRow(QStringLiteral("Decalatge dels revèrses"), shift);
    form->addRow(buttons);
}

deck::DeckOptions PrintDeckDialog::options() const {
    deck::DeckOptions chosen;
    chosen.paper = deck::Paper(paper_->currentIndex());
    chosen.layout = deck::Layout(layout_->currentIndex());
    chosen.backs = deck::Backs(backs_->currentIndex());
    for (const QCheckBox* box : families_)
        if (box->isChecked())
            chosen.families.push_back(box->property("family").toInt());
    chosen.backShiftMm = {shiftX_->value(), shiftY_->value()};
    return chosen;
}

void PrintDeckDialog::report(const std::function<QString()>& step) {
    try {
        const QString said = step();
        if (!said.isEmpty())
            QMessageBox::information(this, recorderidentity::title, said);
    } catch (const Exception& error) {
        QMessageBox::critical(this, recorderidentity::title, error.message());
    } catch (const std::exception& error) {
        QMessageBox::critical(this, recorderidentity::title, QString::fromLocal8Bit(error.what()));
    }
}

void PrintDeckDialog::savePdf() {
    if (!families_.empty() && options().families.empty())
        return report([] { return QStringLiteral("Causissètz al mens una familha."); });
    const QString file = QFileDialog::getSaveFileName(this, QStringLiteral("Enregistrar lo jòc"),
                                                      defaultPdfName, pdfFilter);
    if (file.isEmpty())
        return;
    report([this, &file] { return deckcommands::writePdf(&folder_, options(), file); });
}

void PrintDeckDialog::print(bool alignment) {
    deck::DeckOptions chosen = options();
    if (!alignment && !families_.empty() && chosen.families.empty())
        return report([] { return QStringLiteral("Causissètz al mens una familha."); });
    // The alignment page checks a duplex printer: turned over the long edge unless told.
    if (alignment && chosen.backs == deck::Backs::None)
        chosen.backs = deck::Backs::LongEdge;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(deck::DeckWriter::pageSize(chosen.paper));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    report([this, &printer, &chosen, alignment] {
        if (alignment) {
            deck::DeckWriter::printAlignment(printer, chosen);
            return QString();
        }
        QStringList problems;
        deck::DeckWriter::print(printer, deckcommands::printedSet(folder_, problems), chosen);
        return problems.join(QLatin1Char('\n'));
    });
}
