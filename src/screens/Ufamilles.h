// The TFfamilles screen.
#pragma once

#include "toolkit/Form.h"

namespace Ufamilles {

class TFfamilles : public Form {
    Q_OBJECT
public:
    TFfamilles();
    ~TFfamilles() override;

protected:
    void FormShow() override;
};

extern TFfamilles* Ffamilles;

} // namespace Ufamilles
