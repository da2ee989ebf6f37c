// Edits with an input mask.
#pragma once

#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

class TMaskEdit : public TEdit {
    QV_CLASS_INFO
public:
    using TEdit::TEdit;
};

} // namespace Vcl
