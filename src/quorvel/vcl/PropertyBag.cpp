#include "quorvel/vcl/PropertyBag.h"

namespace Vcl {

std::int64_t TPropertyBag::Ord(std::string_view name, std::int64_t def) const {
    auto it = FOrds.find(name);
    return it == FOrds.end() ? def : it->second;
}

double TPropertyBag::Float(std::string_view name, double def) const {
    auto it = FFloats.find(name);
    return it == FFloats.end() ? def : it->second;
}

String TPropertyBag::Str(std::string_view name) const {
    auto it = FStrs.find(name);
    return it == FStrs.end() ? String() : it->second;
}

TMethod TPropertyBag::Method(std::string_view name) const {
    auto it = FMethods.find(name);
    return it == FMethods.end() ? TMethod() : it->second;
}

TStringList* TPropertyBag::Strings(const String& name) {
    auto& slot = FLists[name];
    if (!slot)
        slot = std::make_unique<TStringList>();
    return slot.get();
}

TPersistent* TPropertyBag::Object(const String& name,
                                  const std::function<std::unique_ptr<TPersistent>()>& make) {
    auto& slot = FObjects[name];
    if (!slot)
        slot = make();
    return slot.get();
}

} // namespace Vcl
