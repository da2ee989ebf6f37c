#include "quorvel/vcl/DesignInfo.h"

namespace Vcl {

void DefineDesignInfo(TFiler& filer, TDesignInfo& info, const TDesignInfo* ancestor) {
    const TDesignInfo theirs = ancestor ? *ancestor : TDesignInfo{};
    bool hasData = info.Left != theirs.Left || info.Top != theirs.Top;
    filer.DefineProperty(
        "Left", [&info](TReader& reader) { info.Left = reader.ReadInteger(); },
        [&info](TWriter& writer) { writer.WriteInteger(info.Left); }, hasData);
    filer.DefineProperty(
        "Top", [&info](TReader& reader) { info.Top = reader.ReadInteger(); },
        [&info](TWriter& writer) { writer.WriteInteger(info.Top); }, hasData);
}

} // namespace Vcl
