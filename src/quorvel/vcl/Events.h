// Method pointers: an event is a function bound to an object (code plus data), as
// the framework's `procedure(...) of object`. Form files name handlers; the name
// is kept so that a form read and written again keeps its event assignments even
// when no code for them is linked.
#pragma once

#include "quorvel/vcl/SysUtils.h"

namespace Vcl {

class TObject;

struct TMethod {
    void* Code = nullptr;
    void* Data = nullptr;
    String Name; // handler name as stored in the form file; may be set without Code

    bool Assigned() const { return Code != nullptr; }
    bool Named() const { return !Name.empty(); }
    bool operator==(const TMethod& other) const = default;
};

// A typed event. Bind member functions with Bind<&TClass::Method>(object), or plain
// functions taking the data pointer first with BindFunction.
template <typename... Args> class TEvent {
public:
    using TCode = void (*)(void* data, Args... args);

    TEvent() = default;
    TEvent(TCode code, void* data) {
        FMethod.Code = reinterpret_cast<void*>(code);
        FMethod.Data = data;
    }

    template <auto Member, typename TClass> static TEvent Bind(TClass* object) {
        TCode code = [](void* data, Args... args) {
            (static_cast<TClass*>(data)->*Member)(args...);
        };
        return TEvent(code, object);
    }

    bool Assigned() const { return FMethod.Assigned(); }
    void operator()(Args... args) const {
        if (FMethod.Code)
            reinterpret_cast<TCode>(FMethod.Code)(FMethod.Data, args...);
    }

    const TMethod& Method() const { return FMethod; }
    void SetMethod(const TMethod& method) { FMethod = method; }
    bool operator==(const TEvent& other) const = default;

private:
    TMethod FMethod;
};

using TNotifyEvent = TEvent<TObject*>;

} // namespace Vcl
