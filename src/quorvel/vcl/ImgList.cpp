#include "quorvel/vcl/ImgList.h"

#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/Published.h"

namespace Vcl {

const TEnumInfo ColorDepthInfo{
    "TColorDepth",
    {"cdDefault", "cdDeviceDependent", "cd4Bit", "cd8Bit", "cd16Bit", "cd24Bit", "cd32Bit"}};
const TEnumInfo DrawingStyleInfo{"TDrawingStyle",
                                 {"dsFocus", "dsSelected", "dsNormal", "dsTransparent"}};
const TEnumInfo ImageTypeInfo{"TImageType", {"itImage", "itMask"}};

namespace P = Vcl::Published;

const TClassInfo& TCustomImageList::StaticClass() {
    static const TClassInfo info{"TCustomImageList", &TComponent::StaticClass(), {}, {}, nullptr};
    return info;
}

int TCustomImageList::Width() const {
    return BagIfAny() ? static_cast<int>(BagIfAny()->Ord("Width", 16)) : 16;
}

int TCustomImageList::Height() const {
    return BagIfAny() ? static_cast<int>(BagIfAny()->Ord("Height", 16)) : 16;
}

void TCustomImageList::DefineProperties(TFiler& filer) {
    TComponent::DefineProperties(filer);
    DefineKeptValue(filer, Bag(), "Bitmap");
}

const TClassInfo& TImageList::StaticClass() {
    static const TClassInfo info{"TImageList",
                                 &TCustomImageList::StaticClass(),
                                 {
                                     P::PlainInt("AllocBy", 4),
                                     P::PlainIdentInt("BlendColor", ColorIdents, clNone),
                                     P::PlainIdentInt("BkColor", ColorIdents, clNone),
                                     P::PlainEnum("ColorDepth", ColorDepthInfo, 1),
                                     P::PlainEnum("DrawingStyle", DrawingStyleInfo, 2),
                                     P::PlainInt("GrayscaleFactor", 255),
                                     P::PlainInt("Height", 16),
                                     P::PlainEnum("ImageType", ImageTypeInfo, 0),
                                     P::PlainBool("Masked", true),
                                     P::Event("OnChange"),
                                     P::PlainBool("Scaled", false),
                                     P::PlainBool("ShareImages", false),
                                     P::PlainInt("Width", 16),
                                 },
                                 {},
                                 &CreateInstance<TImageList>};
    return info;
}

} // namespace Vcl
