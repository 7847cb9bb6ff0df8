// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The printed deck read as a printer reads it: by poppler-utils and qpdf, never by our own code.
#include "base/Errors.h"
#include "cardart/CardPainter.h"
#include "cardart/Style.h"
#include "deck/AlignmentPage.h"
#include "deck/DeckPainter.h"
#include "deck/DeckWriter.h"
#include "sets/Locations.h"
#include "sets/SafeWrite.h"
#include "sets/SetFolder.h"
#include "workshop/DeckCommands.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <pwd.h>
#include <sys/resource.h>
#include <unistd.h>

using namespace deck;

namespace {

constexpr double pixelsPerMm = 300 / 25.4;
constexpr double toleranceMm = 0.2;
// How far from a mark or an edge its pixels are looked for.
constexpr double searchMm = 1.5;
constexpr int notWhite = 215;

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run run(const QString& program, const QStringList& arguments, rlim_t fileBytes = 0) {
    QProcess process;
    process.setChildProcessModifier([fileBytes] {
        if (fileBytes) { // a disk that fills up after so many bytes
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{fileBytes, fileBytes};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
    });
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

Run record(const QStringList& arguments, rlim_t fileBytes = 0) {
    return run(QStringLiteral(MIRABOSC_RECORD_PROGRAM), arguments, fileBytes);
}

QImage render(const QString& pdf, int page) {
    const QString prefix = pdf + QStringLiteral("-%1").arg(page);
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-f"), QString::number(page),
         QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), pdf, prefix});
    // PPM: PNG's compression of a 300 dpi page costs five times the rendering.
    const QImage image =
        QImage(prefix + QStringLiteral(".ppm")).convertToFormat(QImage::Format_RGB32);
    QFile::remove(prefix + QStringLiteral(".ppm"));
    return image;
}

QPoint pixel(QPointF mm) {
    return (mm * pixelsPerMm).toPoint();
}

bool inked(const QImage& image, QPoint at) {
    const QRgb rgb = image.pixel(at);
    return std::min({qRed(rgb), qGreen(rgb), qBlue(rgb)}) < notWhite;
}

// Along the line from `from` (mm) in direction step, the first inked pixel, in mm from `from`.
double firstInk(const QImage& image, QPointF from, QPointF step) {
    for (int i = 0; i < int(2 * searchMm * pixelsPerMm); ++i)
        if (inked(image, pixel(from + step * (i / pixelsPerMm))))
            return i / pixelsPerMm;
    return -1;
}

// The darkest pixel across a mark, along step around the expected point: where the mark lies.
double markOffset(const QImage& image, QPointF expected, QPointF step) {
    int best = 255 * 3, at = 0;
    for (int i = -int(searchMm * pixelsPerMm); i <= int(searchMm * pixelsPerMm); ++i) {
        const QRgb rgb = image.pixel(pixel(expected + step * (i / pixelsPerMm)));
        if (qRed(rgb) + qGreen(rgb) + qBlue(rgb) < best) {
            best = qRed(rgb) + qGreen(rgb) + qBlue(rgb);
            at = i;
        }
    }
    return best < 3 * notWhite ? at / pixelsPerMm : 99;
}

// The first cut mark not where the layout says, within the tolerance; empty when all are.
QString misplacedMark(const QImage& page, const SheetLayout& sheet) {
    for (const QLineF& mark : sheet.cutMarks()) {
        const QPointF across = mark.dx() == 0 ? QPointF(1, 0) : QPointF(0, 1);
        if (std::abs(markOffset(page, mark.center(), across)) > toleranceMm)
            return QStringLiteral("mark at %1,%2").arg(mark.x1()).arg(mark.y1());
    }
    return {};
}

// The default set's words, each family cut to its first cards so a sheet is left part empty.
PrintedSet defaultSet(int cardsPerFamily) {
    QStringList problems;
    PrintedSet set = deckcommands::printedSet(
        SetFolder(QDir::tempPath() + QStringLiteral("/none"), locations::baseSet()), problems);
    for (content::Family& family : set.content.families)
        family.cards.resize(size_t(cardsPerFamily));
    return set;
}

QByteArray treeHash(const QString& root) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    QStringList files;
    while (it.hasNext())
        files << it.next();
    files.sort();
    for (const QString& file : files)
        hash.addData(file.toUtf8() + safewrite::read(file));
    return hash.result();
}

} // namespace

class TestDeck : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void sheetsReadAsAPrinterReadsThem_data();
    void sheetsReadAsAPrinterReadsThem();
    void cardOnPaperIsThePaintersCard();
    void alignmentCrossesMeetThroughTheSheet_data();
    void alignmentCrossesMeetThroughTheSheet();
    void commandWritesWholeDeckOrNothing_data();
    void commandWritesWholeDeckOrNothing();
    void printerGetsTheSamePages();

private:
    QTemporaryDir work_;
    // A class's set with a changed word, made once and copied by each test that may break it.
    QString classSet_;
};

void TestDeck::initTestCase() {
    classSet_ = work_.filePath(QStringLiteral("class"));
    const Run changed = record({QStringLiteral("--folder"), classSet_, QStringLiteral("--word"),
                                QStringLiteral("10"), QStringLiteral("l'uèlh blau")});
    QVERIFY2(changed.exitCode == 0, changed.err);
    QImage green(900, 900, QImage::Format_RGB32);
    green.fill(Qt::green);
    const QString drawing = work_.filePath(QStringLiteral("dessenh.png"));
    QVERIFY(green.save(drawing));
    const Run drawn =
        record({QStringLiteral("--folder"), classSet_, QStringLiteral("--picture"), drawing,
                QStringLiteral("--to"), QStringLiteral("img_familles/11.bmp")});
    QVERIFY2(drawn.exitCode == 0, drawn.err);
}

void TestDeck::sheetsReadAsAPrinterReadsThem_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<Paper>("paper");
    QTest::addColumn<Backs>("backs");
    QTest::addColumn<int>("cards");
    QTest::addColumn<QString>("families");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("size");
    const QString a4 = QStringLiteral("595.276 x 841.89 pts (A4)");
    const QString letter = QStringLiteral("612 x 792 pts (letter)");
    // The whole default deck: 56 faces on 7 sheets.
    QTest::newRow("9, A4, all") << Layout::Nine << Paper::A4 << Backs::None << 7 << "" << 7 << a4;
    // One family of six cards: 7 faces, so the backs show which slots are empty.
    QTest::newRow("9, Letter, short edge")
        << Layout::Nine << Paper::Letter << Backs::ShortEdge << 6 << "2" << 2 << letter;
    QTest::newRow("8 with bleed, A4, long edge")
        << Layout::Bleed << Paper::A4 << Backs::LongEdge << 6 << "2" << 2 << a4;
    QTest::newRow("8 with bleed, Letter")
        << Layout::Bleed << Paper::Letter << Backs::ShortEdge << 6 << "2,5" << 4 << letter;
    QTest::newRow("folded, A4") << Layout::Folded << Paper::A4 << Backs::None << 6 << "2" << 3
                                << a4;
}

void TestDeck::sheetsReadAsAPrinterReadsThem() {
    QFETCH(Layout, layout);
    QFETCH(Paper, paper);
    QFETCH(Backs, backs);
    QFETCH(int, cards);
    QFETCH(QString, families);
    QFETCH(int, pages);
    QFETCH(QString, size);
    const PrintedSet set = defaultSet(cards);
    DeckOptions options{paper, layout, backs, {}, {}};
    for (const QString& family : families.split(u',', Qt::SkipEmptyParts))
        options.families.push_back(family.toInt());
    const QString pdf = work_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    safewrite::write(pdf, DeckWriter::pdf(set, options));

    QCOMPARE(run(QStringLiteral("qpdf"), {QStringLiteral("--check"), pdf}).exitCode, 0);
    const QByteArray info = run(QStringLiteral("pdfinfo"), {pdf}).out;
    QVERIFY2(info.contains("Pages:           " + QByteArray::number(pages)), info);
    QVERIFY2(info.contains("Page size:       " + size.toUtf8()), info);
    // Every font row says "yes" under "emb".
    const QList<QByteArray> fonts = run(QStringLiteral("pdffonts"), {pdf}).out.split('\n');
    QVERIFY(fonts.size() > 3);
    for (const QByteArray& row : fonts.mid(2, fonts.size() - 3))
        QVERIFY2(row.simplified().split(' ').value(3) == "yes" ||
                     row.simplified().split(' ').value(4) == "yes",
                 row);
    const QString text = QString::fromUtf8(run(QStringLiteral("pdftotext"), {pdf, "-"}).out);
    const DeckPainter painter(set, options);
    for (const DeckPainter::Face& face : painter.faces())
        QVERIFY2(text.contains(face.card ? face.card->word : face.family->name),
                 qPrintable(face.card ? face.card->word : face.family->name));
    QVERIFY(text.contains(QStringLiteral("imprimir a 100 %")));

    // Each card's true edge is where the layout says: its frame's outer edge with no bleed, and
    // the cut marks in the margins at every edge.
    const SheetLayout& sheet = painter.layout();
    const QImage front = render(pdf, 1);
    const QPoint corner = pixel({sheet.page().width(), sheet.page().height()});
    QVERIFY((front.size() - QSize(corner.x(), corner.y())).width() <= 1); // rounded either way
    QCOMPARE(front.height(), corner.y());
    const int filled = std::min<int>(sheet.slotsPerSheet(), int(painter.faces().size()));
    QCOMPARE(misplacedMark(front, sheet), QString());
    if (sheet.bleed() == 0) {
        const QRectF first = sheet.front(0).card;
        QVERIFY(std::abs(firstInk(front, {first.left() - searchMm, first.center().y()}, {1, 0}) -
                         searchMm) <= toleranceMm);
        QVERIFY(std::abs(firstInk(front, {first.center().x(), first.top() - searchMm}, {0, 1}) -
                         searchMm) <= toleranceMm);
    }
    // The backs fall behind their fronts: a back where a card is, paper where none is.
    const int backPage = layout == Layout::Folded ? 1 : 2;
    const QImage back = backs == Backs::None && layout != Layout::Folded
                            ? QImage()
                            : (backPage == 1 ? front : render(pdf, backPage));
    for (int slot = 0; !back.isNull() && slot < sheet.slotsPerSheet(); ++slot) {
        // Along the card's length, between the back's ring and its name: the lattice.
        const QRectF card = sheet.back(slot, backs).card;
        const QRgb middle = back.pixel(
            pixel(card.center() + (card.height() > card.width() ? QPointF(0, card.height() / 4)
                                                                : QPointF(card.width() / 4, 0))));
        const bool isBack = qBlue(middle) > qRed(middle) + 40;
        QVERIFY2(isBack == (slot < filled), qPrintable(QString::number(slot)));
    }
}

void TestDeck::cardOnPaperIsThePaintersCard() {
    const PrintedSet set = defaultSet(7);
    DeckOptions options;
    options.families = {1};
    const QString pdf = work_.filePath(QStringLiteral("compare.pdf"));
    safewrite::write(pdf, DeckWriter::pdf(set, options));
    const QImage page = render(pdf, 1);
    const DeckPainter deckPainter(set, options);
    const Slot slot = deckPainter.layout().front(1);
    const QRect area(pixel(slot.card.topLeft()), pixel(slot.card.bottomRight()) - QPoint(1, 1));
    QImage own(area.size(), QImage::Format_RGB32);
    own.fill(Qt::white);
    {
        QPainter painter(&own);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(qreal(area.width()) / drawing::CardPainter::unitsWide,
                      qreal(area.width()) / drawing::CardPainter::unitsWide);
        deckPainter.paintFace(painter, deckPainter.faces()[1]);
    }
    const QImage printed = page.copy(area);
    double difference = 0;
    for (int y = 0; y < own.height(); ++y)
        for (int x = 0; x < own.width(); ++x) {
            const QRgb a = own.pixel(x, y), b = printed.pixel(x, y);
            difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                          std::abs(qBlue(a) - qBlue(b));
        }
    difference /= 3.0 * own.width() * own.height();
    qInfo("mean difference between the painter's card and the printed one: %.2f of 255",
          difference);
    // Measured 1.6: anti-aliasing of text and JPEG-compressed pictures.
    QVERIFY2(difference < 4, qPrintable(QString::number(difference)));
}

void TestDeck::alignmentCrossesMeetThroughTheSheet_data() {
    QTest::addColumn<Backs>("backs");
    QTest::addColumn<QPointF>("shift");
    QTest::newRow("long edge, shifted") << Backs::LongEdge << QPointF(1.5, -0.5);
    QTest::newRow("short edge, shifted") << Backs::ShortEdge << QPointF(-1, 2);
}

// Turned over its long edge, a sheet's point (x, y) is behind (width - x, y); over its short
// edge, behind (x, height - y). A shift moves the back's cross right and down as seen from the
// front.
void TestDeck::alignmentCrossesMeetThroughTheSheet() {
    QFETCH(Backs, backs);
    QFETCH(QPointF, shift);
    const DeckOptions options{Paper::A4, Layout::Nine, backs, {}, shift};
    const QString pdf = work_.filePath(QString::fromLatin1(QTest::currentDataTag()) + ".pdf");
    QCOMPARE(record({QStringLiteral("--print-alignment"), pdf, QStringLiteral("--backs"),
                     backs == Backs::LongEdge ? QStringLiteral("long") : QStringLiteral("short"),
                     QStringLiteral("--shift=%1,%2").arg(shift.x()).arg(shift.y())})
                 .exitCode,
             0);
    constexpr double armMm = 15; // looked for this far from the middle, clear of the scales
    const auto crossAt = [](const QImage& page, QPointF expected) {
        return QPointF(markOffset(page, expected - QPointF(0, armMm), {1, 0}),
                       markOffset(page, expected - QPointF(armMm, 0), {0, 1}));
    };
    const QSizeF a4(210, 297);
    const QPointF front = AlignmentPage::crossOnFront(SheetLayout(Paper::A4, Layout::Nine));
    const QPointF back = backs == Backs::LongEdge
                             ? QPointF(a4.width() - front.x() - shift.x(), front.y() + shift.y())
                             : QPointF(front.x() + shift.x(), a4.height() - front.y() - shift.y());
    for (const auto& [page, expected] : {std::pair{1, front}, std::pair{2, back}}) {
        const QPointF off = crossAt(render(pdf, page), expected);
        QVERIFY2(std::abs(off.x()) <= toleranceMm && std::abs(off.y()) <= toleranceMm,
                 qPrintable(
                     QStringLiteral("page %1 off by %2, %3").arg(page).arg(off.x()).arg(off.y())));
    }
}

void TestDeck::commandWritesWholeDeckOrNothing_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("damaged"); // a drawing kept in the set, with these bytes
    QTest::addColumn<int>("fileBytes");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("said");
    QTest::newRow("damaged drawing prints blank, named")
        << "deck.pdf"
        << "not a picture" << 0 << 0 << "img_familles/10.bmp : imatge mancant";
    QTest::newRow("folder that cannot be written") << "no/such/folder/deck.pdf"
                                                   << "" << 0 << 1 << "Escritura impossibla";
    QTest::newRow("full disk") << "deck.pdf"
                               << "" << 200000 << 1 << "Escritura impossibla";
}

void TestDeck::commandWritesWholeDeckOrNothing() {
    QFETCH(QString, target);
    QFETCH(QString, damaged);
    QFETCH(int, fileBytes);
    QFETCH(int, exitCode);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString set = dir.filePath(QStringLiteral("set"));
    QCOMPARE(run(QStringLiteral("cp"), {QStringLiteral("-a"), classSet_, set}).exitCode, 0);
    if (!damaged.isEmpty() && QDir().mkpath(set + QStringLiteral("/dessenhs")))
        safewrite::write(set + QStringLiteral("/dessenhs/sons_familles-10.fill.png"),
                         damaged.toUtf8());
    const QByteArray before = treeHash(set);
    const QString pdf = dir.filePath(target);
    const Run printed = record({QStringLiteral("--folder"), set, QStringLiteral("--print-deck"),
                                pdf, QStringLiteral("--families"), QStringLiteral("2")},
                               rlim_t(fileBytes));
    QCOMPARE(printed.exitCode, exitCode);
    QVERIFY2((printed.out + printed.err).contains(said.toUtf8()), printed.out + printed.err);
    QCOMPARE(treeHash(set), before);
    // Nothing but the whole PDF: no part left beside it.
    QCOMPARE(QDir(QFileInfo(pdf).path()).entryList(QDir::Files | QDir::Hidden).size(),
             exitCode == 0 ? 1 : 0);
    if (exitCode != 0)
        return;
    QVERIFY(run(QStringLiteral("pdftotext"), {pdf, "-"}).out.contains("l'uèlh blau"));
    // Slot 1 is card 10, whose drawing is damaged: its picture's middle is the bare face. Slot 2
    // is card 11, the class's green drawing.
    const QImage page = render(pdf, 1);
    const SheetLayout sheet(Paper::A4, Layout::Nine);
    const QPointF artMiddle(31.5, 36); // of a card, in mm
    const auto near = [&page](QPointF at, const QColor& want) {
        const QColor got(page.pixel(pixel(at)));
        return std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                   std::abs(got.blue() - want.blue()) <
               24;
    };
    QVERIFY(near(sheet.front(1).card.topLeft() + artMiddle, drawing::style::cardFace()));
    QVERIFY(near(sheet.front(2).card.topLeft() + artMiddle, Qt::green));
}

// The real print path: Qt's printer hands the pages to a CUPS of our own, whose cups-pdf printer
// writes them where its configuration says (the user's ~/PDF in Debian's).
void TestDeck::printerGetsTheSamePages() {
    if (geteuid() != 0)
        QSKIP("cupsd and the cups-pdf backend run only when started as root");
    if (!QFileInfo::exists(QStringLiteral("/usr/sbin/cupsd")) ||
        !QFileInfo::exists(QStringLiteral("/usr/lib/cups/backend/cups-pdf")))
        QSKIP("CUPS or printer-driver-cups-pdf is not installed");
    QTemporaryDir cups(QStringLiteral("/tmp/mirabosc-cups-XXXXXX"));
    QFile::setPermissions(cups.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                           QFile::ReadOther | QFile::ExeOther | QFile::ReadGroup |
                                           QFile::ExeGroup);
    const QString socket = cups.filePath(QStringLiteral("cups.sock"));
    for (const char* folder : {"spool", "cache", "state", "logs"})
        QVERIFY(QDir(cups.path()).mkdir(QString::fromLatin1(folder)));
    safewrite::write(cups.filePath(QStringLiteral("cups-files.conf")),
                     QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nCacheDir %1/cache\n"
                                    "StateDir %1/state\nTempDir %1/spool\nErrorLog %1/logs/error\n"
                                    "AccessLog %1/logs/access\nPageLog %1/logs/page\nUser lp\n"
                                    "Group lp\n")
                         .arg(cups.path())
                         .toUtf8());
    safewrite::write(cups.filePath(QStringLiteral("cupsd.conf")),
                     QStringLiteral("Listen %1\nWebInterface No\nBrowsing No\n<Location />\n"
                                    "Order allow,deny\nAllow all\n</Location>\n")
                         .arg(socket)
                         .toUtf8());
    QProcess cupsd;
    cupsd.start(QStringLiteral("/usr/sbin/cupsd"),
                {QStringLiteral("-f"), QStringLiteral("-c"), cups.filePath("cupsd.conf"),
                 QStringLiteral("-s"), cups.filePath("cups-files.conf")});
    if (!QTest::qWaitFor([&socket] { return QFileInfo::exists(socket); }, 10000))
        QSKIP(qPrintable("cupsd did not start: " + cupsd.readAllStandardError()));
    qputenv("CUPS_SERVER", QFile::encodeName(socket));
    const QString queue = QStringLiteral("mirabosc-pdf");
    const Run added = run(QStringLiteral("lpadmin"),
                          {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                           QStringLiteral("cups-pdf:/"), QStringLiteral("-P"),
                           QStringLiteral("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")});
    if (added.exitCode != 0)
        QSKIP(qPrintable("CUPS took no cups-pdf printer: " + added.err));
    // cups-pdf writes under the "Out" of its configuration, ${HOME} being the user's home.
    QString out = QStringLiteral("${HOME}/PDF");
    for (const QByteArray& line :
         safewrite::read(QStringLiteral("/etc/cups/cups-pdf.conf")).split('\n'))
        if (line.startsWith("Out "))
            out = QString::fromUtf8(line.mid(4).trimmed());
    out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(getpwuid(getuid())->pw_dir));
    const QString title =
        QStringLiteral("mirabosc-deck-%1").arg(QCoreApplication::applicationPid());

    QPrinter printer;
    printer.setPrinterName(queue);
    printer.setDocName(title);
    QVERIFY2(printer.isValid(), "Qt sees the printer");
    DeckOptions options;
    options.families = {2};
    options.backs = Backs::LongEdge;
    const PrintedSet set = defaultSet(6);
    // A stopped printer is named, not sent pages it would keep.
    QCOMPARE(run(QStringLiteral("cupsdisable"), {queue}).exitCode, 0);
    QVERIFY_THROWS_EXCEPTION(SetRefused, DeckWriter::print(printer, set, options));
    QCOMPARE(run(QStringLiteral("cupsenable"), {queue}).exitCode, 0);
    DeckWriter::print(printer, set, options);
    QString printed;
    const bool emptied = QTest::qWaitFor(
        [&] {
            const QStringList found = QDir(out).entryList({title + QStringLiteral("*.pdf")});
            printed = found.isEmpty() ? QString() : QDir(out).filePath(found.constFirst());
            return !printed.isEmpty() && cupsd.state() == QProcess::Running &&
                   run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).out.isEmpty();
        },
        60000);
    if (!emptied)
        qWarning("the printer's queue still held a job after a minute");
    cupsd.terminate();
    cupsd.waitForFinished();
    qunsetenv("CUPS_SERVER");
    QVERIFY2(!printed.isEmpty(), qPrintable(out));
    QCOMPARE(run(QStringLiteral("qpdf"), {QStringLiteral("--check"), printed}).exitCode, 0);
    const QByteArray info = run(QStringLiteral("pdfinfo"), {printed}).out;
    const QImage page = render(printed, 1);
    QFile::remove(printed);
    QCOMPARE(misplacedMark(page, SheetLayout(Paper::A4, Layout::Nine)), QString());
    // The printed file went through CUPS's filters: its page is A4 to the nearest point.
    QVERIFY2(info.contains("Pages:           2") && info.contains("(A4)"), info);
}

QTEST_MAIN(TestDeck)
#include "tst_deck.moc"
