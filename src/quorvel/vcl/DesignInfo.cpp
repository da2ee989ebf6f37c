#include "quorvel/vcl/DesignInfo.h"

namespace Vcl {

void DefineDesignInfo(TFiler& filer, TDesignInfo& info) {
    bool hasData = info.Left != 0 || info.Top != 0;
    filer.DefineProperty(
        "Left", [&info](TReader& reader) { info.Left = reader.ReadInteger(); },
        [&info](TWriter& writer) { writer.WriteInteger(info.Left); }, hasData);
    filer.DefineProperty(
        "Top", [&info](TReader& reader) { info.Top = reader.ReadInteger(); },
        [&info](TWriter& writer) { writer.WriteInteger(info.Top); }, hasData);
}

} // namespace Vcl
