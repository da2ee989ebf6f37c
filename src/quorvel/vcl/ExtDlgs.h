// The picture dialogs: file dialogs with a preview.
#pragma once

#include "quorvel/vcl/Dialogs.h"

namespace Vcl {

class TOpenPictureDialog : public TOpenDialog {
    QV_CLASS_INFO
public:
    using TOpenDialog::TOpenDialog;
};

class TSavePictureDialog : public TOpenPictureDialog {
    QV_CLASS_INFO
public:
    using TOpenPictureDialog::TOpenPictureDialog;
};

} // namespace Vcl
