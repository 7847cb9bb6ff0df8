// SPDX-FileCopyrightText: 2026 The Mirabosc contributors
// SPDX-License-Identifier: GPL-3.0-or-later
// Screen creation and destruction in the program's fixed order.
#include "app/Screens.h"

#include "screens/Ualbum.h"
#include "screens/Ufamilles.h"
#include "screens/Ujeu.h"
#include "screens/Urevisions.h"
#include "screens/principale.h"

Screens::Screens()
    : menu_(std::make_unique<principale::TficheFamilles>()),
      album_(std::make_unique<Ualbum::Talbum>()),
      explorer_(std::make_unique<Ufamilles::TFfamilles>()),
      review_(std::make_unique<Urevisions::Trevisions>()), game_(std::make_unique<Ujeu::Tjeu>()) {
    menu_->setMainForm(true);
}

Screens::~Screens() = default;

Form& Screens::mainForm() const {
    return *menu_;
}
