// The TFfamilles screen's layout and handlers.
#include "screens/Ufamilles.h"

namespace Ufamilles {

TFfamilles* Ffamilles = nullptr;

TFfamilles::TFfamilles() : Form(QStringLiteral("Ffamilles"), QStringLiteral("Las set familhas"), Qt::white, 11)
{
    Ffamilles = this;
    auto* client = new QWidget(this);
    client->setGeometry(0, 0, 689, 529);
}

TFfamilles::~TFfamilles() { Ffamilles = nullptr; }

void TFfamilles::FormShow() { centre(); }

} // namespace Ufamilles
