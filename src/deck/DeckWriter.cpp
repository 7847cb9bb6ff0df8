// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// One loop paints the pages on a PDF writer and on a printer alike; the painter is set to
// millimetres from the paper's corner, whatever the device's resolution.
#include "deck/DeckWriter.h"

#include "base/Errors.h"
#include "cardart/Style.h"
#include "deck/AlignmentPage.h"
#include "deck/DeckPainter.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <functional>

namespace deck {

namespace {

constexpr int resolution = int(drawing::style::printDpi);
constexpr qreal pointsPerInch = 72;
const QString creator = QStringLiteral("Mirabosc");

using PagePainter = std::function<void(QPainter&, int)>;

void paintPages(QPagedPaintDevice& device, int pages, const PagePainter& paint,
                const QString& refusal) {
    QPainter painter;
    if (!painter.begin(&device))
        throw SetRefused(refusal);
    const qreal pixelsPerMm = device.logicalDpiX() / drawing::style::mmPerInch;
    for (int page = 0; page < pages; ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            throw SetRefused(refusal);
        }
        painter.save();
        painter.scale(pixelsPerMm, pixelsPerMm);
        paint(painter, page);
        painter.restore();
    }
    if (!painter.end())
        throw SetRefused(refusal);
}

// Qt's PDF writer rounds the page to whole points, and A4 is not: 595.2756 x 841.8898. The
// boxes are written with six decimals, so the exact ones take the same bytes and the file's
// offsets hold. The content was moved down by the rounding, so it sits from the exact top.
const QByteArray roundedA4 = "/MediaBox [0 0 595.000000 842.000000]";
const QByteArray exactA4 = "/MediaBox [0 0 595.275591 841.889764]";
constexpr qreal roundedA4Height = 842;

QByteArray makePdf(Paper paper, int pages, const PagePainter& paint) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(creator);
        writer.setPageSize(DeckWriter::pageSize(paper));
        writer.setPageMargins({});
        writer.setResolution(resolution);
        const qreal drop =
            paper == Paper::A4
                ? (roundedA4Height - DeckWriter::pageSize(paper).size(QPageSize::Point).height())
                : 0;
        const qreal dropMm = drop / pointsPerInch * drawing::style::mmPerInch;
        paintPages(
            writer, pages,
            [&paint, dropMm](QPainter& painter, int page) {
                painter.translate(0, dropMm);
                paint(painter, page);
            },
            QStringLiteral("Lo PDF se pòt pas far"));
    }
    if (paper == Paper::A4)
        bytes.replace(roundedA4, exactA4);
    return bytes;
}

void printOn(QPrinter& printer, Paper paper, int pages, const PagePainter& paint) {
    printer.setFullPage(true);
    printer.setPageSize(DeckWriter::pageSize(paper));
    printer.setPageMargins({});
    printer.setResolution(resolution);
    printer.setCreator(creator);
    const QString refusal =
        QStringLiteral("L'imprimenta « %1 » a refusat lo jòc").arg(printer.printerName());
    // Qt hands the pages to the system and hears nothing back: a printer that is stopped or
    // gone is asked first, so the teacher is told rather than left waiting for paper.
    if (printer.outputFormat() == QPrinter::NativeFormat) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(printer.printerName());
        if (info.isNull())
            throw SetRefused(
                QStringLiteral("L'imprimenta « %1 » es introbabla").arg(printer.printerName()));
        if (info.state() == QPrinter::Error || info.state() == QPrinter::Aborted)
            throw SetRefused(QStringLiteral("L'imprimenta « %1 » es arrestada : tornatz-la "
                                            "aviar, puèi imprimissètz de nòu")
                                 .arg(printer.printerName()));
    }
    paintPages(printer, pages, paint, refusal);
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        throw SetRefused(refusal);
}

} // namespace

QPageSize DeckWriter::pageSize(Paper paper) {
    return QPageSize(paper == Paper::A4 ? QPageSize::A4 : QPageSize::Letter);
}

QByteArray DeckWriter::pdf(const PrintedSet& set, const DeckOptions& options) {
    const DeckPainter deck(set, options);
    return makePdf(options.paper, deck.pageCount(),
                   [&deck](QPainter& painter, int page) { deck.paintPage(painter, page); });
}

QByteArray DeckWriter::alignmentPdf(const DeckOptions& options) {
    const SheetLayout layout(options.paper, options.layout);
    return makePdf(
        options.paper, AlignmentPage::pageCount, [&layout, &options](QPainter& painter, int page) {
            AlignmentPage::paint(painter, layout, options.backs, options.backShiftMm, page);
        });
}

void DeckWriter::print(QPrinter& printer, const PrintedSet& set, const DeckOptions& options) {
    const DeckPainter deck(set, options);
    printOn(printer, options.paper, deck.pageCount(),
            [&deck](QPainter& painter, int page) { deck.paintPage(painter, page); });
}

void DeckWriter::printAlignment(QPrinter& printer, const DeckOptions& options) {
    const SheetLayout layout(options.paper, options.layout);
    printOn(printer, options.paper, AlignmentPage::pageCount,
            [&layout, &options](QPainter& painter, int page) {
                AlignmentPage::paint(painter, layout, options.backs, options.backShiftMm, page);
            });
}

} // namespace deck
