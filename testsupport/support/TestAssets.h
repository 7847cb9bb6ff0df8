// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// A temporary current directory holding the default asset folders, where a test may break files.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

class TestAssets {
public:
    // Lays out the four asset folders in a fresh temporary folder, each file a link to the
    // generated default asset, and makes that folder the current directory.
    TestAssets();
    ~TestAssets(); // restores the previous current directory
    TestAssets(const TestAssets&) = delete;
    TestAssets& operator=(const TestAssets&) = delete;

    QString path() const { return dir_.path(); }
    // Replaces a file (catalogue path, backslashes allowed) with the given bytes; the default
    // asset behind the link is never written.
    void replace(const QString& relativePath, const QByteArray& bytes);
    void remove(const QString& relativePath);
    // A copy of the default asset's bytes.
    static QByteArray original(const QString& relativePath);
    static QString defaultAssetDir();
    // The default asset's picture as the loader reads it: what a control showing it shows.
    static QImage picture(const QString& relativePath);

private:
    QTemporaryDir dir_;
    QString previous_;
};
