// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// mirabosc-artgen: draws the program's embedded pictures, or its desktop icons, into a folder.
#include "ArtColours.h"
#include "Faces.h"
#include "HelpIcon.h"
#include "IndexedBmp.h"
#include "Landscape.h"
#include "Lettering.h"
#include "ProgramIcon.h"
#include "Speakers.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QSaveFile>
#include <cstdio>
#include <functional>
#include <stdexcept>

namespace {

constexpr QSize wordSize{219, 75};
constexpr QSize otherChoiceSize{100, 138};
constexpr int minIconPixels = 8;
constexpr int maxIconPixels = 1024;

// A word of the main menu; the box holds every pixel that is not ground.
QImage menuWord(const char* utf8, QRect box, const QColor& ink) {
    return art::letterWords(wordSize, art::peach, {{QString::fromUtf8(utf8), box, ink}});
}

QImage otherChoice() {
    return art::letterWords(otherChoiceSize, art::peach,
                            {{QStringLiteral("auta"), QRect(23, 23, 54, 23), art::wordBlue},
                             {QStringLiteral("causida"), QRect(5, 65, 91, 26), art::wordBlue}});
}

struct Picture {
    const char* fileName;
    std::function<QImage()> draw;
};

// The menu's words, each drawn in its box on the menu's paper.
struct MenuWord {
    const char* fileName;
    const char* utf8;
    QRect box;
    QColor ink;
};

const MenuWord menuWords[] = {
    {"imgAlbum.bmp", "Mirabosc", {53, 23, 94, 28}, art::wordBlue},
    {"familles.bmp", "las sèt familhas", {15, 18, 189, 37}, art::wordBlue},
    {"btnRevisions.bmp", "repassadas", {40, 17, 124, 34}, art::wordBlue},
    {"jogar.bmp", "jogar", {70, 16, 80, 40}, art::wordBlue},
    {"quitter.bmp", "deishar", {62, 22, 85, 27}, art::wordRed},
};

// The other 24-bit pictures, named as the resources the screens load.
const Picture pictures[] = {
    {"fond.bmp", art::drawLandscape},
    {"joana.bmp", [] { return art::drawFace(1); }},
    {"peire.bmp", [] { return art::drawFace(2); }},
    {"guilhem.bmp", [] { return art::drawFace(3); }},
    {"infos.bmp", art::drawHelpIcon},
    {"logo.bmp", art::drawLogo},
    {"autreChoix.bmp", otherChoice},
    {"sonOui.bmp", art::drawSoundOn},
    {"sonNon.bmp", art::drawSoundOff},
    {"rejouer.bmp", art::drawReplay},
};

void write(const QDir& dir, const char* fileName, const QByteArray& bytes) {
    QFile file(dir.filePath(QString::fromLatin1(fileName)));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    }
}

void save(const QDir& dir, const char* fileName, const QImage& image) {
    const QString path = dir.filePath(QString::fromLatin1(fileName));
    if (!image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

// The desktop icons, icon-<size>.png, one for each size given in pixels.
void saveDesktopIcons(const QDir& dir, const QStringList& sizes) {
    for (const QString& text : sizes) {
        bool ok = false;
        const int pixels = text.toInt(&ok);
        if (!ok || pixels < minIconPixels || pixels > maxIconPixels) {
            throw std::runtime_error("not an icon size: " + text.toStdString());
        }
        // Written whole or not at all: a stopped build leaves no half icon to install.
        QSaveFile file(dir.filePath(QStringLiteral("icon-%1.png").arg(pixels)));
        if (!file.open(QIODevice::WriteOnly) || !art::drawDesktopIcon(pixels).save(&file, "PNG") ||
            !file.commit()) {
            throw std::runtime_error("cannot write " + file.fileName().toStdString());
        }
    }
}

int usage() {
    std::fprintf(stderr, "usage: mirabosc-artgen OUTPUT_DIR\n"
                         "       mirabosc-artgen --icons OUTPUT_DIR SIZE...\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QStringList arguments = QGuiApplication::arguments();
    arguments.removeFirst();
    const bool icons = !arguments.isEmpty() && arguments.first() == QStringLiteral("--icons");
    if (icons ? arguments.size() < 3 : arguments.size() != 1) {
        return usage();
    }
    if (icons) {
        arguments.removeFirst();
    }
    try {
        const QDir dir(arguments.takeFirst());
        if (!dir.mkpath(".")) {
            throw std::runtime_error("cannot create " + dir.path().toStdString());
        }
        if (icons) {
            saveDesktopIcons(dir, arguments);
            return 0;
        }
        for (const MenuWord& word : menuWords) {
            save(dir, word.fileName, menuWord(word.utf8, word.box, word.ink));
        }
        for (const Picture& picture : pictures) {
            save(dir, picture.fileName, picture.draw());
        }
        write(dir, "mainicon.bmp", art::encodeBmp4(art::drawProgramIcon()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "mirabosc-artgen: %s\n", error.what());
        return 1;
    }
    return 0;
}
