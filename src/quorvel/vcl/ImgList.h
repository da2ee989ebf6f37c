// Image lists: non-visual components that hold the images of buttons, menus and
// views. Their Width and Height are the size of one image, not bounds on the form.
#pragma once

#include "quorvel/vcl/Component.h"

namespace Vcl {

extern const TEnumInfo ColorDepthInfo;   // cdDeviceDependent, cd4Bit, ...
extern const TEnumInfo DrawingStyleInfo; // dsFocus, dsSelected, dsNormal, dsTransparent
extern const TEnumInfo ImageTypeInfo;    // itImage, itMask

class TCustomImageList : public TComponent {
    QV_CLASS_INFO
public:
    using TComponent::TComponent;
    // The size of one image.
    int Width() const;
    int Height() const;
    // Besides the design position, the images themselves (Bitmap), kept as read.
    void DefineProperties(TFiler& filer) override;
};

class TImageList : public TCustomImageList {
    QV_CLASS_INFO
public:
    using TCustomImageList::TCustomImageList;
};

} // namespace Vcl
