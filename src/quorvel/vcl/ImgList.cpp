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

namespace {
const TClassInfo& WicImageInfo() {
    static const TClassInfo info{"TWICImage", &TPersistent::StaticClass(), {}, {}, nullptr};
    return info;
}

const TClassInfo& SourceImageInfo() {
    static const TClassInfo info{"TImageCollectionSourceItem",
                                 &TPersistent::StaticClass(),
                                 {P::ValuesObject("Image", WicImageInfo(), {"Data"})},
                                 {},
                                 nullptr};
    return info;
}

const TClassInfo& CollectionItemInfo() {
    static const TClassInfo info{"TImageCollectionItem",
                                 &TPersistent::StaticClass(),
                                 {P::PlainString("Name"), P::PlainString("Description"),
                                  P::Collection("SourceImages", SourceImageInfo())},
                                 {},
                                 nullptr};
    return info;
}

const TClassInfo& VirtualItemInfo() {
    static const TClassInfo info{"TVirtualImageListItem",
                                 &TPersistent::StaticClass(),
                                 {P::PlainInt("CollectionIndex", -1),
                                  P::PlainString("CollectionName"), P::PlainString("Description"),
                                  P::PlainBool("Disabled", false), P::PlainString("Name")},
                                 {},
                                 nullptr};
    return info;
}

TCollection* CollectionOf(TComponent& c, const char* name) {
    const TPropInfo* p = GetPropInfo(c, name);
    return p && p->GetObj ? dynamic_cast<TCollection*>(p->GetObj(c)) : nullptr;
}
} // namespace

const TEnumInfo InterpolationModeInfo{
    "TImageCollectionInterpolationMode",
    {"icIMModeHighQualityCubic", "icIMFant", "icIMLinear", "icIMCubic", "icIMModeNearestNeighbor"}};

const TClassInfo& TImageCollection::StaticClass() {
    static const TClassInfo info{"TImageCollection",
                                 &TComponent::StaticClass(),
                                 {
                                     P::Collection("Images", CollectionItemInfo()),
                                     P::PlainEnum("InterpolationMode", InterpolationModeInfo, 0),
                                     P::Event("OnChange"),
                                     P::Event("OnDraw"),
                                     P::Event("OnGetBitmap"),
                                 },
                                 {},
                                 &CreateInstance<TImageCollection>};
    return info;
}

TCollection* TImageCollection::Images() { return CollectionOf(*this, "Images"); }

const TClassInfo& TVirtualImageList::StaticClass() {
    static const TClassInfo info{"TVirtualImageList",
                                 &TCustomImageList::StaticClass(),
                                 {
                                     P::PlainBool("AutoFill", false),
                                     P::PlainIdentInt("BkColor", ColorIdents, clNone),
                                     P::PlainBool("DisabledGrayscale", true),
                                     P::PlainInt("DisabledOpacity", 125),
                                     P::PlainString("DisabledSuffix"),
                                     P::PlainInt("Height", 16),
                                     P::PlainRef("ImageCollection"),
                                     P::PlainBool("ImageNameAvailable", true),
                                     P::Collection("Images", VirtualItemInfo()),
                                     P::Event("OnChange"),
                                     P::PlainBool("PreserveItems", false),
                                     P::PlainBool("Scaled", true),
                                     P::PlainInt("Width", 16),
                                 },
                                 {},
                                 &CreateInstance<TVirtualImageList>};
    return info;
}

TCollection* TVirtualImageList::Images() { return CollectionOf(*this, "Images"); }

} // namespace Vcl
