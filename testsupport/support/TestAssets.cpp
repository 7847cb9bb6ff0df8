// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// TestAssets: linked copies of the default asset set in a temporary current directory.
#include "support/TestAssets.h"

#include "assets/Catalogue.h"
#include "pictures/BmpReader.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QHash>
#include <QtTest>

static const char* const assetFolders[] = {"img_album", "son_album", "img_familles",
                                           "sons_familles"};

QString TestAssets::defaultAssetDir() {
    return QStringLiteral(MIRABOSC_ASSET_DIR);
}

TestAssets::TestAssets() : previous_(QDir::currentPath()) {
    QVERIFY(dir_.isValid());
    const QDir source(defaultAssetDir());
    for (const char* folder : assetFolders) {
        QDir(dir_.path()).mkdir(QLatin1String(folder));
        QDirIterator it(source.filePath(QLatin1String(folder)), QDir::Files);
        while (it.hasNext()) {
            it.next();
            QFile::link(it.filePath(),
                        dir_.path() + '/' + QLatin1String(folder) + '/' + it.fileName());
        }
    }
    QDir::setCurrent(dir_.path());
}

TestAssets::~TestAssets() {
    QDir::setCurrent(previous_);
}

void TestAssets::replace(const QString& relativePath, const QByteArray& bytes) {
    remove(relativePath);
    QFile file(dir_.filePath(catalogue::toNativeRelative(relativePath)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void TestAssets::remove(const QString& relativePath) {
    QFile::remove(dir_.filePath(catalogue::toNativeRelative(relativePath)));
}

QByteArray TestAssets::original(const QString& relativePath) {
    QFile file(QDir(defaultAssetDir()).filePath(catalogue::toNativeRelative(relativePath)));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QImage TestAssets::picture(const QString& relativePath) {
    static QHash<QString, QImage> decoded; // the default set does not change during a run
    auto it = decoded.constFind(relativePath);
    if (it == decoded.constEnd())
        it = decoded.insert(relativePath, BmpReader::decode(original(relativePath)));
    return *it;
}
