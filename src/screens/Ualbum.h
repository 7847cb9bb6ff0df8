// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// The album: seventeen narrated pages turned with a row of tabs, the narration switched by two
// picture buttons.
#pragma once

#include "assets/VoiceTexts.h"
#include "toolkit/Form.h"

#include <memory>

class ImageControl;
class MediaPlayerMP3;
class Panel;
class QButtonGroup;
class QTabWidget;
class SpeedButton;

namespace Ualbum {

class Talbum : public Form {
    Q_OBJECT
public:
    Talbum();
    ~Talbum() override;

    QTabWidget* PageControl1;
    Panel* Panel1;
    ImageControl* img;
    SpeedButton* btnSonOui;
    SpeedButton* btnSonNon;
    std::unique_ptr<::MediaPlayerMP3> MediaPlayerMP3;

    void PageControl1Change(QObject* sender);
    void btnSonOuiClick(QObject* sender);
    void btnSonNonClick(QObject* sender);

protected:
    void FormShow() override;
    void FormClose(CloseAction& action) override;

private:
    void createTabs();
    void freeTabs();
    void showPage(int page);

    QButtonGroup* sonGroup_;
    VoiceTexts texts_; // the words of the set on show, read at each showing
};

extern Talbum* album;
// The narration is switched on: set by each show and by btnSonOui, cleared by btnSonNon.
extern bool sonActif;

} // namespace Ualbum
