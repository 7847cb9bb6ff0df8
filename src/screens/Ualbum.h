// The Talbum screen.
#pragma once

#include "toolkit/Form.h"

namespace Ualbum {

class Talbum : public Form {
    Q_OBJECT
public:
    Talbum();
    ~Talbum() override;

protected:
    void FormShow() override;
};

extern Talbum* album;

} // namespace Ualbum
