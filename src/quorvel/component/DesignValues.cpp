// The design client size and screen resolution, stored beside the published
// properties: read into the fields, written freshly measured.
#include "quorvel/component/Quorvel.h"

#include "quorvel/vcl/Filer.h"

namespace Quorvel {

using namespace Vcl;
using namespace Win32;

namespace {
int ScreenDpi(int index) {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, index);
    ReleaseDC(nullptr, dc);
    return dpi;
}
} // namespace

void TQuorvel::DefineProperties(TFiler& Filer) {
    TComponent::DefineProperties(Filer);
    auto* owner = dynamic_cast<TControl*>(Owner());
    Filer.DefineProperty(
        "DesignFrmW", [this](TReader& Reader) { FDesignFrmW = Reader.ReadInteger(); },
        [owner](TWriter& Writer) { Writer.WriteInteger(owner ? owner->ClientWidth() : 0); }, true);
    Filer.DefineProperty(
        "DesignFrmH", [this](TReader& Reader) { FDesignFrmH = Reader.ReadInteger(); },
        [owner](TWriter& Writer) { Writer.WriteInteger(owner ? owner->ClientHeight() : 0); }, true);
    Filer.DefineProperty(
        "DesignDpiW", [this](TReader& Reader) { FDesignDpiW = Reader.ReadInteger(); },
        [](TWriter& Writer) { Writer.WriteInteger(ScreenDpi(LOGPIXELSX)); }, true);
    Filer.DefineProperty(
        "DesignDpiH", [this](TReader& Reader) { FDesignDpiH = Reader.ReadInteger(); },
        [](TWriter& Writer) { Writer.WriteInteger(ScreenDpi(LOGPIXELSY)); }, true);
}

} // namespace Quorvel
