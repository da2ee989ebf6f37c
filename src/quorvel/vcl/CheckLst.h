// List boxes with a check box before every item.
#pragma once

#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

class TCheckListBox : public TListBox {
    QV_CLASS_INFO
public:
    using TListBox::TListBox;
};

} // namespace Vcl
