// The exclusion lists NoResizeCtl and NoResizeFntCtl, parsed from their properties.
#include "quorvel/component/Quorvel.h"

namespace Quorvel {

using namespace Vcl;

namespace {
// Names separated by ";", kept as typed: no trimming, empty entries kept except
// after a final separator.
void ParseNames(const String& text, TStringList& list) {
    list.Clear();
    String rest = text;
    for (int p = Pos(";", rest); p != 0; p = Pos(";", rest)) {
        list.Add(Copy(rest, 1, p - 1));
        rest = Copy(rest, p + 1, static_cast<int>(rest.size()));
    }
    if (!rest.empty())
        list.Add(rest);
}
} // namespace

void TQuorvel::SetNoResizeCtls() {
    if (FNoResizeCtls)
        ParseNames(FNoResizeCtl, *FNoResizeCtls);
}

void TQuorvel::SetNoResizeFntCtls() {
    if (FNoResizeFntCtls)
        ParseNames(FNoResizeFntCtl, *FNoResizeFntCtls);
}

} // namespace Quorvel
