// The Trevisions screen's layout and handlers.
#include "screens/Urevisions.h"

namespace Urevisions {

Trevisions* revisions = nullptr;

Trevisions::Trevisions() : Form(QStringLiteral("revisions"), QStringLiteral("Repassadas"), Qt::white, 11)
{
    revisions = this;
    auto* client = new QWidget(this);
    client->setGeometry(0, 0, 793, 321);
}

Trevisions::~Trevisions() { revisions = nullptr; }

void Trevisions::FormShow() { centre(); }

} // namespace Urevisions
