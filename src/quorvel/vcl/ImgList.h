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

class TCollection;

// Named images, each stored in one or more sizes (its source images, as the
// files they were: Images[i].SourceImages[j].Image.Data).
class TImageCollection : public TComponent {
    QV_CLASS_INFO
public:
    using TComponent::TComponent;
    TCollection* Images();
};

// An image list whose images are those of an image collection, each named by
// its CollectionName (or CollectionIndex) there.
class TVirtualImageList : public TCustomImageList {
    QV_CLASS_INFO
public:
    using TCustomImageList::TCustomImageList;
    TCollection* Images();
};

} // namespace Vcl
