// Values a component keeps by property name: published properties without
// behaviour of their own (a button's ModalResult, a form's KeyPreview), event
// handlers held by name, owned string lists, and, in lenient reading, the raw
// values of properties the class does not publish, written back unchanged.
#pragma once

#include "quorvel/vcl/Events.h"
#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/Lists.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace Vcl {

struct TNameLess {
    bool operator()(std::string_view a, std::string_view b) const { return CompareText(a, b) < 0; }
    using is_transparent = void;
};

class TPropertyBag {
public:
    std::int64_t Ord(std::string_view name, std::int64_t def) const;
    void SetOrd(const String& name, std::int64_t value) { FOrds[name] = value; }
    String Str(std::string_view name) const;
    void SetStr(const String& name, const String& value) { FStrs[name] = value; }
    TMethod Method(std::string_view name) const;
    void SetMethod(const String& name, const TMethod& method) { FMethods[name] = method; }
    TStringList* Strings(const String& name);
    double Float(std::string_view name, double def) const;
    void SetFloat(const String& name, double value) { FFloats[name] = value; }
    bool HasOrd(std::string_view name) const { return FOrds.find(name) != FOrds.end(); }
    // Sub-objects kept by name (a panel's padding), made on first use.
    TPersistent* Object(const String& name,
                        const std::function<std::unique_ptr<TPersistent>()>& make);

    // Defined properties kept as read (an image list's Bitmap), written back as they were.
    std::map<String, TFormValue, TNameLess> Kept;

    // Raw values of unknown properties, in the order they were read.
    std::vector<TFormProperty> Unknown;
    // How many of them the file stored before the first defined property (a
    // component's design position comes after its published properties); without
    // one read, all are written after the defined ones.
    std::optional<std::size_t> UnknownBeforeDefined;

private:
    std::map<String, std::int64_t, TNameLess> FOrds;
    std::map<String, String, TNameLess> FStrs;
    std::map<String, double, TNameLess> FFloats;
    std::map<String, TMethod, TNameLess> FMethods;
    std::map<String, std::unique_ptr<TStringList>, TNameLess> FLists;
    std::map<String, std::unique_ptr<TPersistent>, TNameLess> FObjects;
};

} // namespace Vcl
