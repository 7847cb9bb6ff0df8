// The main menu's help icon and the author's monogram shown on its credits panel.
#pragma once

#include <QImage>

namespace art {

QImage drawHelpIcon();
QImage drawLogo();

} // namespace art
