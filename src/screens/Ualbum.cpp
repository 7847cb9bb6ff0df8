// The Talbum screen's layout and handlers.
#include "screens/Ualbum.h"

namespace Ualbum {

Talbum* album = nullptr;

Talbum::Talbum() : Form(QStringLiteral("album"), QStringLiteral("Mirabosc"), Qt::white, 12)
{
    album = this;
    auto* client = new QWidget(this);
    client->setGeometry(0, 0, 761, 561);
}

Talbum::~Talbum() { album = nullptr; }

void Talbum::FormShow() { centre(); }

} // namespace Ualbum
