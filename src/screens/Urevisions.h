// The Trevisions screen.
#pragma once

#include "toolkit/Form.h"

namespace Urevisions {

class Trevisions : public Form {
    Q_OBJECT
public:
    Trevisions();
    ~Trevisions() override;

protected:
    void FormShow() override;
};

extern Trevisions* revisions;

} // namespace Urevisions
