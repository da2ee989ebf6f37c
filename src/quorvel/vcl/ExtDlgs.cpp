#include "quorvel/vcl/ExtDlgs.h"

namespace Vcl {

const TClassInfo& TOpenPictureDialog::StaticClass() {
    static const TClassInfo info{"TOpenPictureDialog",
                                 &TOpenDialog::StaticClass(),
                                 {},
                                 {},
                                 &CreateInstance<TOpenPictureDialog>};
    return info;
}

const TClassInfo& TSavePictureDialog::StaticClass() {
    static const TClassInfo info{"TSavePictureDialog",
                                 &TOpenPictureDialog::StaticClass(),
                                 {},
                                 {},
                                 &CreateInstance<TSavePictureDialog>};
    return info;
}

} // namespace Vcl
