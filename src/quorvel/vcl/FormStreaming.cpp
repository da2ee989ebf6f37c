#include "quorvel/vcl/FormStreaming.h"

#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Published.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace Vcl {

// ---- Generic stand-ins ----------------------------------------------------------------

namespace {

// An instance of a class made up for a name the registry does not know.
template <typename Base> class TGeneric : public Base {
public:
    TGeneric(TComponent* owner, const TClassInfo& info) : Base(owner), FInfo(&info) {}
    const TClassInfo* ClassInfo() const override { return FInfo; }

private:
    const TClassInfo* FInfo;
};

const TClassInfo& GenericComponentBase() {
    static const TClassInfo info{"TComponent", &TComponent::StaticClass(), {}, {}, nullptr};
    return info;
}

// Unknown controls publish what every control of the framework can show.
const TClassInfo& GenericControlBase() {
    static const TClassInfo info{
        "TWinControl",
        &TWinControl::StaticClass(),
        {Published::Align(), Published::Anchors(), Published::Color(), Published::Constraints(),
         Published::Enabled(), Published::Font(), Published::ParentColor(), Published::ParentFont(),
         Published::ParentShowHint(), Published::PopupMenu(), Published::ShowHint(),
         Published::TabOrder(), Published::TabStop(false), Published::Visible()},
        {},
        nullptr};
    return info;
}

struct TGenericClasses {
    std::map<std::pair<String, const TClassInfo*>, std::unique_ptr<TClassInfo>> Infos;
    std::vector<const TClassInfo*> All;
};

TGenericClasses& Generics() {
    static TGenericClasses generics;
    return generics;
}

} // namespace

const TClassInfo& GenericClass(std::string_view className, const TClassInfo& base) {
    auto& generics = Generics();
    auto key = std::make_pair(AnsiUpperCase(className), &base);
    auto& slot = generics.Infos[key];
    if (!slot) {
        slot = std::make_unique<TClassInfo>();
        slot->Name = String(className);
        slot->Parent = &base;
        generics.All.push_back(slot.get());
    }
    return *slot;
}

bool IsGenericClass(const TClassInfo& info) {
    const auto& all = Generics().All;
    return std::find(all.begin(), all.end(), &info) != all.end();
}

namespace {
// File names are UTF-8; a narrow string would be taken in the system's code page
// on Windows, so paths are made from and read back as char8_t.
std::filesystem::path PathOf(const String& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
String Utf8Of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return String(text.begin(), text.end());
}
} // namespace

String ReadFileBytes(const String& path) {
    std::ifstream in(PathOf(path), std::ios::binary);
    if (!in)
        throw EReadError("cannot open file", path);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        throw EReadError("cannot read file", path);
    return bytes.str();
}

// ---- Defined properties ------------------------------------------------------------------

namespace {

class TDefinitions final : public TFiler {
public:
    explicit TDefinitions(bool writing) : FWriting(writing) {}
    bool Writing() const override { return FWriting; }
    void DefineProperty(const String& name, TReaderProc read, TWriterProc write,
                        bool hasData) override {
        Items.push_back({name, std::move(read), std::move(write), hasData});
    }
    struct TItem {
        String Name;
        TReaderProc Read;
        TWriterProc Write;
        bool HasData;
    };
    std::vector<TItem> Items;

private:
    bool FWriting;
};

// ---- Reading -------------------------------------------------------------------------------

// Properties only controls store: a non-visual component has no parent, no
// alignment, no tab order and no size constraints.
bool IsControlOnlyProperty(const String& name) {
    static const char* const names[] = {
        "Align",        "Anchors",      "TabOrder",        "TabStop",       "Constraints",
        "Margins",      "AlignWithMargins", "Padding",     "ClientWidth",   "ClientHeight",
        "DoubleBuffered", "BevelInner", "BevelOuter",      "BevelKind",     "BorderStyle",
        "DragMode",     "DragKind",     "DragCursor",      "ExplicitLeft",  "ExplicitTop",
        "ExplicitWidth", "ExplicitHeight", "OnResize",
        "OnMouseDown",  "OnMouseUp",    "OnMouseMove",     "OnEnter",       "OnExit",
        "OnKeyDown",    "OnKeyPress",   "OnKeyUp",         "OnDblClick",    "OnDragDrop",
        "OnDragOver",   "OnPaint"};
    const String head = name.substr(0, name.find('.'));
    // ParentFont, ParentColor, ParentShowHint, ParentBackground ...; menus have a
    // ParentBiDiMode too.
    if (head.size() > 6 && SameText(head.substr(0, 6), "Parent") &&
        !SameText(head, "ParentBiDiMode"))
        return true;
    for (const char* n : names)
        if (SameText(head, n))
            return true;
    return false;
}

// Properties that controls store, but some components too (an action's caption,
// a font dialog's font): evidence only beside a size.
bool IsControlLikeProperty(const String& name) {
    static const char* const names[] = {"Caption", "Visible", "Font",   "Color",  "Hint",
                                        "ShowHint", "Enabled", "Cursor", "Text",   "PopupMenu",
                                        "OnClick", "OnChange", "AutoSize"};
    const String head = name.substr(0, name.find('.'));
    for (const char* n : names)
        if (SameText(head, n))
            return true;
    return false;
}

// What one object of an unknown class says about being a control. A control's
// bounds are published and come first, Left, Top, Width, Height; a component's
// design position is written after its published properties, and an image
// list's image size is Height before Width.
bool StoresControlEvidence(const TFormObject& object) {
    const auto& props = object.Properties;
    static const char* const bounds[] = {"Left", "Top", "Width", "Height"};
    if (props.size() >= 4 && std::equal(std::begin(bounds), std::end(bounds), props.begin(),
                                        [](const char* b, const TFormProperty& p) {
                                            return SameText(p.Name, b);
                                        }))
        return true;
    bool sized = false, like = false;
    for (const TFormProperty& p : object.Properties) {
        if (IsControlOnlyProperty(p.Name))
            return true;
        sized = sized || SameText(p.Name, "Width") || SameText(p.Name, "Height");
        like = like || IsControlLikeProperty(p.Name);
    }
    return sized && like;
}

std::vector<String> SplitPath(const String& name) {
    std::vector<String> parts;
    std::size_t start = 0;
    while (true) {
        std::size_t dot = name.find('.', start);
        parts.push_back(name.substr(start, dot == String::npos ? String::npos : dot - start));
        if (dot == String::npos)
            break;
        start = dot + 1;
    }
    return parts;
}

constexpr int MaxFrameDepth = 16;

class TLoader {
public:
    explicit TLoader(const TFormLoadOptions& options) : FOptions(options) {}

    void Load(TComponent& root, const TFormObject& document) {
        FRoot = &root;
        FFormPpi = StoredPpi(document);
        if (FOptions.Lenient)
            ScanEvidence(document);
        Prepare(root, document);
        ReadObjectBody(root, root, document);
        Finish();
    }

    // Creates the root component for a document.
    std::unique_ptr<TComponent> CreateRoot(const TFormObject& document) {
        const TClassInfo* info = GetClass(document.ClassName);
        if (info && info->Create) {
            if (!info->InheritsFrom(&TComponent::StaticClass()))
                Fail("class " + document.ClassName + " cannot be a form file's root", document);
            return std::unique_ptr<TComponent>(info->Create(nullptr));
        }
        // An unregistered root: a plain form (or frame) that keeps the class name.
        if (LooksLikeFrame(document))
            return std::make_unique<TGeneric<TFrame>>(
                nullptr, GenericClass(document.ClassName, TFrame::StaticClass()));
        return std::make_unique<TGeneric<TForm>>(
            nullptr, GenericClass(document.ClassName, TForm::StaticClass()));
    }

private:
    const String& FileName() const { return FOptions.FileName; }
    [[noreturn]] void Fail(const String& reason, int line, int column) const {
        throw EReadError(reason, FileName(), line, column);
    }
    [[noreturn]] void Fail(const String& reason, const TFormObject& at) const {
        Fail(reason, at.Line, at.Column);
    }

    static int StoredPpi(const TFormObject& document) {
        if (const TFormProperty* p = document.FindProperty("PixelsPerInch"))
            if (p->Value.Kind == TFormValue::TKind::Integer && p->Value.Int > 0 &&
                p->Value.Int < 10000)
                return static_cast<int>(p->Value.Int);
        return 96;
    }

    static bool LooksLikeFrame(const TFormObject& document) {
        // Frames have no client size of their own and no PixelsPerInch; unlike forms
        // they have a tab order, whatever their class is called.
        return !document.FindProperty("ClientWidth") && !document.FindProperty("ClientHeight") &&
               !document.FindProperty("PixelsPerInch") && !document.FindProperty("Caption") &&
               (document.ClassName.find("Frame") != String::npos ||
                document.ClassName.find("frame") != String::npos ||
                document.FindProperty("TabOrder"));
    }

    void Prepare(TComponent& component, const TFormObject& object) {
        if (FOptions.Designing)
            component.SetDesigning(true, false);
        component.SetLoadingState(true);
        component.SetReadingState(true);
        if (object.Kind == TFormObject::TKind::Inherited)
            component.SetAncestor(true);
        if (!FSeen.insert(&component).second)
            return; // met again: an inherited component being overridden
        FLoaded.push_back(&component);
        if (auto* control = dynamic_cast<TControl*>(&component))
            control->Font()->SetPixelsPerInch(FFormPpi);
    }

    void ReadObjectBody(TComponent& component, TComponent& owner, const TFormObject& object) {
        if (!object.Name.empty() && component.Name() != object.Name) {
            try {
                component.SetName(object.Name);
            } catch (const Exception& e) {
                Fail(e.Message(), object);
            }
        }
        for (const TFormProperty& property : object.Properties)
            ReadProperty(component, property);
        for (const TFormObject& child : object.Children)
            ReadChild(owner, component, child);
    }

    void ReadChild(TComponent& owner, TComponent& parent, const TFormObject& object) {
        if (++FDepth > 1000)
            Fail("objects nested too deeply", object);
        if (object.Kind == TFormObject::TKind::Inline) {
            ReadInlineFrame(owner, parent, object);
            --FDepth;
            return;
        }
        TComponent* component = nullptr;
        // A child that the ancestor (or the frame's own file) already made.
        if (!object.Name.empty())
            component = owner.FindComponent(object.Name);
        // Lenient reading also takes a plain `object` for an override of a component
        // that the frame's own file made, as some older files have it.
        bool overriding =
            object.Kind == TFormObject::TKind::Inherited ||
            (FOptions.Lenient && component && component->ComponentState().Contains(csAncestor));
        if (component && !overriding)
            Fail("A component named " + object.Name + " already exists", object);
        if (!component) {
            component = CreateComponent(owner, object);
            component->SetParentComponent(&parent);
        }
        Prepare(*component, object);
        ReadObjectBody(*component, owner, object);
        BindField(owner, *component);
        --FDepth;
    }

    TComponent* CreateComponent(TComponent& owner, const TFormObject& object) {
        const TClassInfo* info = GetClass(object.ClassName);
        if (info) {
            if (!info->Create)
                Fail("class " + object.ClassName + " cannot be created from a form file", object);
            return info->Create(&owner);
        }
        if (!FOptions.Lenient)
            Fail("Class " + object.ClassName + " not found", object);
        if (IsVisualClass(object.ClassName))
            return new TGeneric<TWinControl>(&owner,
                                             GenericClass(object.ClassName, GenericControlBase()));
        return new TGeneric<TComponent>(&owner,
                                        GenericClass(object.ClassName, GenericComponentBase()));
    }

    // An unknown class is a control when the user says so, or when any of its
    // objects in the files read stores what only controls store or holds a
    // control; its other objects follow, so that one without bounds of its own
    // is not taken for a component.
    bool IsVisualClass(const String& className) const {
        const String key = AnsiUpperCase(className);
        for (const String& name : FOptions.NonVisualClasses)
            if (AnsiUpperCase(name) == key)
                return false;
        for (const String& name : FOptions.VisualClasses)
            if (AnsiUpperCase(name) == key)
                return true;
        return FVisualEvidence.count(key) > 0;
    }

    // Returns whether the object is (or holds) a control.
    bool ScanEvidence(const TFormObject& object) {
        bool holdsControl = false;
        for (const TFormObject& child : object.Children)
            holdsControl = ScanEvidence(child) || holdsControl;
        const TClassInfo* info = GetClass(object.ClassName);
        if (info)
            return info->InheritsFrom(&TControl::StaticClass());
        if (object.Kind == TFormObject::TKind::Inline || holdsControl ||
            StoresControlEvidence(object)) {
            FVisualEvidence.insert(AnsiUpperCase(object.ClassName));
            return true;
        }
        return false;
    }

    // The owner's published field of the component's name refers to it. Forms and
    // frames of classes without a table of their own get one field per name.
    static void BindField(TComponent& owner, TComponent& component) {
        if (component.Name().empty())
            return;
        if (TComponent** slot = owner.FieldAddress(component.Name())) {
            *slot = &component;
            return;
        }
        if (!IsGenericClass(*owner.ClassInfo()))
            return;
        if (auto* form = dynamic_cast<TCustomForm*>(&owner))
            form->Fields().Add(component.Name(), &component);
        else if (auto* frame = dynamic_cast<TCustomFrame*>(&owner))
            frame->Fields().Add(component.Name(), &component);
    }

    void ReadInlineFrame(TComponent& owner, TComponent& parent, const TFormObject& object) {
        if (++FFrameDepth > MaxFrameDepth)
            Fail("frames nested too deeply (does " + object.ClassName + " contain itself?)",
                 object);
        TComponent* existing = object.Name.empty() ? nullptr : owner.FindComponent(object.Name);
        TComponent* frame = existing;
        if (!frame) {
            const TClassInfo* info = GetClass(object.ClassName);
            if (info && info->Create)
                frame = info->Create(&owner);
            else
                frame = new TGeneric<TFrame>(&owner,
                                             GenericClass(object.ClassName, TFrame::StaticClass()));
            frame->SetParentComponent(&parent);
        }
        frame->SetInline(true);
        Prepare(*frame, object);
        if (!existing) {
            // The frame's own form file comes first, then the overrides of the block.
            if (const TFormObject* own = FrameDocument(object.ClassName)) {
                if (FOptions.Lenient)
                    ScanEvidence(*own);
                int savedPpi = FFormPpi;
                FFormPpi = StoredPpi(*own);
                for (const TFormProperty& property : own->Properties)
                    ReadProperty(*frame, property);
                for (const TFormObject& child : own->Children)
                    ReadFrameOwnChild(*frame, *frame, child);
                FFormPpi = savedPpi;
            } else if (!FOptions.Lenient) {
                Fail("form file of frame class " + object.ClassName + " not found", object);
            }
        }
        ReadObjectBody(*frame, *frame, object);
        BindField(owner, *frame);
        --FFrameDepth;
    }

    // A component of a frame's own file: it counts as inherited inside the form.
    void ReadFrameOwnChild(TComponent& owner, TComponent& parent, const TFormObject& object) {
        std::size_t before = FLoaded.size();
        ReadChild(owner, parent, object);
        for (std::size_t i = before; i < FLoaded.size(); ++i)
            FLoaded[i]->SetAncestor(true);
    }

    const TFormObject* FrameDocument(const String& className) {
        auto key = AnsiUpperCase(className);
        auto found = FFrameDocs.find(key);
        if (found != FFrameDocs.end())
            return found->second.get();
        IndexFrameFiles();
        found = FFrameDocs.find(key);
        if (found == FFrameDocs.end()) {
            FFrameDocs[key] = nullptr;
            return nullptr;
        }
        return found->second.get();
    }

    void IndexFrameFiles() {
        if (FIndexed)
            return;
        FIndexed = true;
        std::vector<String> candidates = FOptions.FrameFiles;
        if (!FOptions.FileName.empty()) {
            std::error_code ec;
            auto dir = PathOf(FOptions.FileName).parent_path();
            if (dir.empty())
                dir = ".";
            for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
                auto ext = AnsiLowerCase(Utf8Of(entry.path().extension()));
                if (entry.is_regular_file(ec) && ext == ".dfm")
                    candidates.push_back(Utf8Of(entry.path()));
            }
        }
        for (const String& path : candidates) {
            try {
                TFormTextOptions textOptions{path, FOptions.CodePage};
                auto doc = std::make_unique<TFormObject>(
                    ReadFormDocument(ReadFileBytes(path), textOptions));
                auto key = AnsiUpperCase(doc->ClassName);
                if (!FFrameDocs.count(key))
                    FFrameDocs[key] = std::move(doc);
            } catch (const EReadError&) {
                // A file beside the form that does not read is simply not a frame file.
                if (std::find(FOptions.FrameFiles.begin(), FOptions.FrameFiles.end(), path) !=
                    FOptions.FrameFiles.end())
                    throw;
            }
        }
    }

    // A stand-in of lenient reading takes a value under a name that the framework
    // publishes only when the value fits; otherwise the unknown class has a property
    // of its own by that name, and the value stays raw.
    bool StandsIn(const TComponent& component) const {
        return FOptions.Lenient && IsGenericClass(*component.ClassInfo());
    }

    void ReadProperty(TComponent& component, const TFormProperty& property) {
        ReadPropertyOf(component, component, property);
    }

    // Sets one property of `root` (the component, or an item of one of its
    // collections); unknown ones are kept in root's bag when reading leniently.
    void ReadPropertyOf(TPersistent& root, TComponent& component, const TFormProperty& property) {
        std::vector<String> path = SplitPath(property.Name);
        TPersistent* target = &root;
        for (std::size_t i = 0; i + 1 < path.size() && target; ++i) {
            const TPropInfo* info = GetPropInfo(*target, path[i]);
            if (!info || info->Kind != tkClass) {
                target = nullptr;
                break;
            }
            target = dynamic_cast<TPersistent*>(info->GetObj(*target));
        }
        const String& last = path.back();
        if (target) {
            if (auto* font = dynamic_cast<TFont*>(target); font && target != &root)
                font->SetPixelsPerInch(FFormPpi);
            try {
                if (const TPropInfo* info = GetPropInfo(*target, last)) {
                    AssignValue(*target, *info, property, component);
                    return;
                }
                TDefinitions definitions(false);
                target->DefineProperties(definitions);
                for (auto& item : definitions.Items)
                    if (SameText(item.Name, last) && item.Read) {
                        TReader reader(property.Value, FileName());
                        item.Read(reader);
                        return;
                    }
            } catch (const EReadError& e) {
                if (!StandsIn(component))
                    throw e.WithPosition(FileName(), property.Line, property.Column);
            } catch (const Exception& e) {
                // A setter refused the value: the reader stops there with its message.
                if (!StandsIn(component))
                    Fail(e.Message(), property.Line, property.Column);
            }
        }
        if (!FOptions.Lenient)
            Fail("Property " + property.Name + " does not exist in " + root.ClassName(),
                 property.Line, property.Column);
        // A property met again (an inherited component read once from its ancestor's
        // file and once from the overrides) keeps one entry with the last value.
        std::vector<TFormProperty>* unknownList = nullptr;
        if (auto* values = dynamic_cast<TValuesPersistent*>(&root))
            unknownList = &values->Values().Unknown;
        else
            unknownList = &component.Bag().Unknown;
        auto& unknown = *unknownList;
        auto same = std::find_if(unknown.begin(), unknown.end(), [&](const TFormProperty& p) {
            return SameText(p.Name, property.Name);
        });
        if (same != unknown.end())
            *same = property;
        else
            unknown.push_back(property);
    }

    void AssignValue(TPersistent& target, const TPropInfo& info, const TFormProperty& property,
                     TComponent& component) {
        const TFormValue& v = property.Value;
        auto bad = [&](const char* expected) { BadValue(property, expected); };
        switch (info.Kind) {
        case tkInteger:
            if (v.Kind == TFormValue::TKind::Integer) {
                if (v.Int < INT32_MIN || v.Int > static_cast<std::int64_t>(UINT32_MAX))
                    Fail("Integer out of range for " + property.Name, property.Line,
                         property.Column);
                info.SetOrd(target, static_cast<std::int32_t>(static_cast<std::uint32_t>(v.Int)));
                return;
            }
            if (v.Kind == TFormValue::TKind::Ident && info.Idents)
                if (auto value = info.Idents->ToInt(v.Str)) {
                    info.SetOrd(target, *value);
                    return;
                }
            BadValue(property, "an integer");
        case tkEnumeration: {
            if (v.Kind != TFormValue::TKind::Ident)
                bad(info.Enum == &BooleanInfo ? "True or False" : "an identifier");
            int index = info.Enum->IndexOf(v.Str);
            if (index < 0)
                Fail("Invalid property value " + v.Str + " for " + property.Name, property.Line,
                     property.Column);
            info.SetOrd(target, index);
            return;
        }
        case tkSet: {
            if (v.Kind != TFormValue::TKind::Set)
                bad("a set");
            std::int64_t bits = 0;
            for (const String& member : v.Set) {
                int index = info.Enum->IndexOf(member);
                if (index < 0 || index > 62)
                    Fail("Invalid set member " + member + " for " + property.Name, property.Line,
                         property.Column);
                bits |= std::int64_t{1} << index;
            }
            info.SetOrd(target, bits);
            return;
        }
        case tkFloat:
            if (v.Kind == TFormValue::TKind::Float)
                info.SetFloat(target, v.Float);
            else if (v.Kind == TFormValue::TKind::Integer)
                info.SetFloat(target, static_cast<double>(v.Int));
            else
                bad("a number");
            return;
        case tkString:
            if (v.Kind != TFormValue::TKind::String)
                bad("a string");
            info.SetStr(target, v.Str);
            return;
        case tkReference:
            if (v.Kind != TFormValue::TKind::Ident)
                bad("a component name");
            info.SetStr(target, SameText(v.Str, "nil") ? String() : v.Str);
            return;
        case tkMethod: {
            if (v.Kind != TFormValue::TKind::Ident)
                bad("an event handler name");
            TMethod method;
            if (!SameText(v.Str, "nil"))
                method.Name = v.Str;
            info.SetMethod(target, method);
            return;
        }
        case tkClass:
            if (auto* collection = dynamic_cast<TCollection*>(info.GetObj(target))) {
                if (v.Kind != TFormValue::TKind::Collection)
                    bad("a collection");
                collection->Clear();
                for (const TFormCollectionItem& item : v.Items) {
                    TCollectionItem* made = collection->Add();
                    for (const TFormProperty& p : item.Properties)
                        ReadPropertyOf(*made, component, p);
                }
                return;
            }
            BadValue(property, "its properties, not a value");
        }
    }

    [[noreturn]] void BadValue(const TFormProperty& property, const char* expected) const {
        Fail("Invalid property value for " + property.Name + ": expected " + expected,
             property.Line, property.Column);
    }

    void Finish() {
        for (TComponent* c : FLoaded)
            c->SetReadingState(false);
        // Loaded runs on the root first, then in reading order.
        for (TComponent* c : FLoaded)
            c->Loaded();
    }

    const TFormLoadOptions& FOptions;
    TComponent* FRoot = nullptr;
    int FFormPpi = 96;
    int FDepth = 0;
    int FFrameDepth = 0;
    bool FIndexed = false;
    std::vector<TComponent*> FLoaded;
    std::set<TComponent*> FSeen;
    std::set<String> FVisualEvidence; // upper-cased unknown class names
    std::map<String, std::unique_ptr<TFormObject>> FFrameDocs;
};

// ---- Writing -------------------------------------------------------------------------------

TFormValue OrdinalValue(const TPropInfo& info, std::int64_t v) {
    switch (info.Kind) {
    case tkEnumeration:
        if (v >= 0 && v < static_cast<std::int64_t>(info.Enum->Names.size()))
            return TFormValue::MakeIdent(info.Enum->Names[static_cast<std::size_t>(v)]);
        return TFormValue::MakeInteger(v);
    case tkSet: {
        std::vector<String> members;
        for (std::size_t i = 0; i < info.Enum->Names.size() && i < 63; ++i)
            if (v & (std::int64_t{1} << i))
                members.push_back(info.Enum->Names[i]);
        return TFormValue::MakeSet(std::move(members));
    }
    default:
        if (info.Idents)
            if (auto ident = info.Idents->ToIdent(v))
                return TFormValue::MakeIdent(*ident);
        return TFormValue::MakeInteger(v);
    }
}

void WriteDefined(TPersistent& object, const String& prefix, std::vector<TFormProperty>& out) {
    TDefinitions definitions(true);
    object.DefineProperties(definitions);
    for (auto& item : definitions.Items) {
        if (!item.HasData || !item.Write)
            continue;
        TWriter writer;
        item.Write(writer);
        if (writer.HasValue())
            out.push_back({prefix + item.Name, writer.Value(), 0, 0});
    }
}

void WriteProperties(TPersistent& object, const String& prefix, std::vector<TFormProperty>& out,
                     int depth);

TFormValue CollectionValue(TCollection& collection, int depth) {
    std::vector<TFormCollectionItem> items;
    for (int i = 0; i < collection.Count(); ++i) {
        TCollectionItem& item = *collection.Items(i);
        TFormCollectionItem written;
        WriteProperties(item, "", written.Properties, depth + 1);
        WriteDefined(item, "", written.Properties);
        for (const TFormProperty& p : item.Values().Unknown)
            written.Properties.push_back(p);
        items.push_back(std::move(written));
    }
    return TFormValue::MakeCollection(std::move(items));
}

void WriteProperties(TPersistent& object, const String& prefix, std::vector<TFormProperty>& out,
                     int depth) {
    for (const TPropInfo* info : object.ClassInfo()->AllProps()) {
        if (info->Stored && !info->Stored(object))
            continue;
        String name = prefix + info->Name;
        switch (info->Kind) {
        case tkInteger:
        case tkEnumeration:
        case tkSet: {
            std::int64_t v = info->GetOrd(object);
            if (info->Default && v == *info->Default)
                continue;
            out.push_back({name, OrdinalValue(*info, v), 0, 0});
            break;
        }
        case tkFloat:
            out.push_back({name, TFormValue::MakeFloat(info->GetFloat(object)), 0, 0});
            break;
        case tkString: {
            String s = info->GetStr(object);
            if (!s.empty())
                out.push_back({name, TFormValue::MakeString(s), 0, 0});
            break;
        }
        case tkReference: {
            String s = info->GetStr(object);
            if (!s.empty())
                out.push_back({name, TFormValue::MakeIdent(s), 0, 0});
            break;
        }
        case tkMethod: {
            TMethod m = info->GetMethod(object);
            if (m.Named())
                out.push_back({name, TFormValue::MakeIdent(m.Name), 0, 0});
            break;
        }
        case tkClass:
            if (auto* collection = dynamic_cast<TCollection*>(info->GetObj(object))) {
                if (collection->Count() > 0)
                    out.push_back({name, CollectionValue(*collection, depth), 0, 0});
                break;
            }
            if (depth < 8)
                if (auto* sub = dynamic_cast<TPersistent*>(info->GetObj(object))) {
                    WriteProperties(*sub, name + ".", out, depth + 1);
                    WriteDefined(*sub, name + ".", out);
                }
            break;
        }
    }
}

// The components a form file nests directly in `parent`, in their owner's order.
std::vector<TComponent*> ChildrenOf(TComponent& parent, TComponent& scope) {
    std::vector<TComponent*> children;
    auto collect = [&](TComponent& owner) {
        for (int i = 0; i < owner.ComponentCount(); ++i) {
            TComponent* c = owner.Components(i);
            TComponent* p = c->GetParentComponent();
            if (p == &parent || (p == nullptr && &parent == &owner))
                children.push_back(c);
        }
    };
    collect(scope);
    return children;
}

TFormObject WriteObject(TComponent& component, TComponent& scope, int depth) {
    TFormObject object;
    const auto state = component.ComponentState();
    object.Kind = state.Contains(csInline)     ? TFormObject::TKind::Inline
                  : state.Contains(csAncestor) ? TFormObject::TKind::Inherited
                                               : TFormObject::TKind::Object;
    object.Name = component.Name();
    object.ClassName = component.ClassName();
    component.SetWritingState(true);
    WriteProperties(component, "", object.Properties, 0);
    WriteDefined(component, "", object.Properties);
    if (const TPropertyBag* bag = component.BagIfAny())
        for (const TFormProperty& p : bag->Unknown)
            object.Properties.push_back(p);
    component.SetWritingState(false);
    if (depth > 1000)
        throw EInvalidOperation("components nested too deeply to write");
    // An inline frame is the scope of the components it owns.
    TComponent& childScope = state.Contains(csInline) ? component : scope;
    for (TComponent* child : ChildrenOf(component, childScope))
        object.Children.push_back(WriteObject(*child, childScope, depth + 1));
    if (&childScope != &scope)
        for (TComponent* child : ChildrenOf(component, scope))
            object.Children.push_back(WriteObject(*child, scope, depth + 1));
    return object;
}

} // namespace

// ---- Entry points -----------------------------------------------------------------------

std::unique_ptr<TComponent> LoadForm(const TFormObject& document, const TFormLoadOptions& options) {
    TLoader loader(options);
    std::unique_ptr<TComponent> root = loader.CreateRoot(document);
    ReadRootComponent(*root, document, options);
    return root;
}

void ReadRootComponent(TComponent& root, const TFormObject& document,
                       const TFormLoadOptions& options) {
    TLoader loader(options);
    loader.Load(root, document);
}

std::unique_ptr<TComponent> LoadFormText(std::string_view bytes, const TFormLoadOptions& options) {
    TFormTextOptions textOptions{options.FileName, options.CodePage};
    return LoadForm(ReadFormDocument(bytes, textOptions), options);
}

std::unique_ptr<TComponent> LoadFormFile(const String& path, const TFormLoadOptions& options) {
    TFormLoadOptions withName = options;
    if (withName.FileName.empty())
        withName.FileName = path;
    return LoadFormText(ReadFileBytes(path), withName);
}

TFormObject WriteComponent(TComponent& root) {
    TFormObject object = WriteObject(root, root, 0);
    // The root is never written as inline.
    if (object.Kind == TFormObject::TKind::Inline)
        object.Kind = TFormObject::TKind::Object;
    return object;
}

String SaveFormText(TComponent& root) { return WriteFormText(WriteComponent(root)); }

} // namespace Vcl
