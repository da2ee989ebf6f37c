#include "quorvel/vcl/FormStreaming.h"

#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/FilePaths.h"
#include "quorvel/vcl/Filer.h"
#include "quorvel/vcl/FormLibrary.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Published.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
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
    explicit TDefinitions(bool writing, TPersistent* ancestor = nullptr)
        : FWriting(writing), FAncestor(ancestor) {}
    bool Writing() const override { return FWriting; }
    TPersistent* Ancestor() const override { return FAncestor; }
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
    TPersistent* FAncestor;
};

// ---- Reading -------------------------------------------------------------------------------

bool IsIdent(const TFormValue& v, std::string_view prefix) {
    return v.Kind == TFormValue::TKind::Ident && v.Str.size() > prefix.size() &&
           SameText(v.Str.substr(0, prefix.size()), prefix);
}
bool IsBoolean(const TFormValue& v) {
    return v.Kind == TFormValue::TKind::Ident &&
           (SameText(v.Str, "True") || SameText(v.Str, "False"));
}
bool IsInteger(const TFormValue& v) { return v.Kind == TFormValue::TKind::Integer; }
bool IsOneOf(const String& name, std::initializer_list<const char*> names) {
    for (const char* n : names)
        if (SameText(name, n))
            return true;
    return false;
}

// Properties only controls store, with the kind of value a control stores in
// them: a non-visual component has no parent, no alignment, no tab order and no
// size constraints, and one that has a property of the same name (a Boolean
// Constraints, a printer's margins in millimetres) stores another kind of value.
bool IsControlOnlyProperty(const TFormProperty& property) {
    const String& name = property.Name;
    const TFormValue& v = property.Value;
    const std::size_t dot = name.find('.');
    const String head = name.substr(0, dot);
    const String sub = dot == String::npos ? String() : name.substr(dot + 1);
    // ParentFont, ParentColor, ParentShowHint, ParentBackground ...; menus have a
    // ParentBiDiMode too.
    if (head.size() > 6 && SameText(head.substr(0, 6), "Parent") &&
        !SameText(head, "ParentBiDiMode"))
        return sub.empty() && IsBoolean(v);
    if (SameText(head, "Align"))
        return sub.empty() && IsIdent(v, "al");
    if (SameText(head, "Anchors"))
        return sub.empty() && v.Kind == TFormValue::TKind::Set &&
               std::all_of(v.Set.begin(), v.Set.end(), [](const String& m) {
                   return m.size() > 2 && SameText(m.substr(0, 2), "ak");
               });
    if (SameText(head, "Constraints"))
        return IsOneOf(sub, {"MinWidth", "MinHeight", "MaxWidth", "MaxHeight"}) && IsInteger(v);
    if (SameText(head, "Margins") || SameText(head, "Padding"))
        return IsOneOf(sub, {"Left", "Top", "Right", "Bottom"}) && IsInteger(v);
    if (!sub.empty())
        return false;
    if (IsOneOf(head, {"TabOrder", "ClientWidth", "ClientHeight", "ExplicitLeft", "ExplicitTop",
                       "ExplicitWidth", "ExplicitHeight"}))
        return IsInteger(v);
    if (IsOneOf(head, {"AlignWithMargins", "DoubleBuffered"}))
        return IsBoolean(v);
    if (IsOneOf(head, {"BevelInner", "BevelOuter"}))
        return IsIdent(v, "bv");
    if (SameText(head, "BevelKind"))
        return IsIdent(v, "bk");
    if (SameText(head, "BorderStyle"))
        return IsIdent(v, "bs");
    if (SameText(head, "DragMode"))
        return IsIdent(v, "dm");
    if (SameText(head, "DragKind"))
        return IsIdent(v, "dk");
    if (SameText(head, "DragCursor"))
        return IsIdent(v, "cr") || IsInteger(v);
    if (IsOneOf(head, {"OnResize", "OnMouseDown", "OnMouseUp", "OnMouseMove", "OnEnter", "OnExit",
                       "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnDblClick", "OnDragDrop",
                       "OnDragOver", "OnPaint"}))
        return v.Kind == TFormValue::TKind::Ident;
    return false;
}

// Properties that controls store, but some components too (an action's caption,
// a font dialog's font): evidence only beside a size.
bool IsControlLikeProperty(const String& name) {
    const String head = name.substr(0, name.find('.'));
    return IsOneOf(head, {"Caption", "Visible", "Font", "Color", "Hint", "ShowHint", "Enabled",
                          "Cursor", "Text", "PopupMenu", "OnClick", "OnChange", "AutoSize"});
}

// A component's design position: Left and Top written after its published
// properties (only what it defines itself, binary data and lists, may follow),
// never followed by a size. A control's bounds are published and come first;
// only a tag and AlignWithMargins are written before them.
bool StoresDesignPosition(const TFormObject& object) {
    const auto& props = object.Properties;
    for (std::size_t i = 0; i + 1 < props.size(); ++i) {
        if (!SameText(props[i].Name, "Left") || !SameText(props[i + 1].Name, "Top"))
            continue;
        if (i + 2 < props.size() && IsOneOf(props[i + 2].Name, {"Width", "Height"}))
            return false;
        return std::any_of(props.begin(), props.begin() + static_cast<std::ptrdiff_t>(i),
                           [](const TFormProperty& p) {
                               return !IsOneOf(p.Name, {"Tag", "AlignWithMargins"});
                           });
    }
    return false;
}

// What one object of an unknown class says about being a control. A control's
// bounds are published and come first, Left, Top, Width, Height; a component's
// design position is written after its published properties, and an image
// list's image size is Height before Width.
bool StoresControlEvidence(const TFormObject& object) {
    if (StoresDesignPosition(object))
        return false;
    const auto& props = object.Properties;
    static const char* const bounds[] = {"Left", "Top", "Width", "Height"};
    if (props.size() >= 4 &&
        std::equal(std::begin(bounds), std::end(bounds), props.begin(),
                   [](const char* b, const TFormProperty& p) { return SameText(p.Name, b); }))
        return true;
    bool sized = false, like = false;
    for (const TFormProperty& p : object.Properties) {
        if (IsControlOnlyProperty(p))
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
        FFile = FOptions.FileName;
        // The ancestors come first, base first; then the descendant's own body.
        std::vector<TDocument> chain = RootChain(document);
        FFormPpi = StoredPpi(document, 0);
        for (auto it = chain.rbegin(); it != chain.rend() && FFormPpi == 0; ++it)
            FFormPpi = StoredPpi(*it->Object, 0);
        // A family without a stored resolution is taken at the screen's (0).
        const int storedPpi = FFormPpi;
        if (FFormPpi == 0)
            FFormPpi = 96;
        if (FOptions.Lenient) {
            for (const TDocument& ancestor : chain)
                ScanDocument(*ancestor.Object);
            ScanDocument(document);
        }
        Prepare(root, document);
        if (!chain.empty())
            ReadOver(root, chain, document);
        ReadObjectBody(root, root, document);
        if (auto* form = dynamic_cast<TCustomForm*>(&root))
            form->ReadFileDone(storedPpi, true);
        Finish();
    }

    // Creates the root component for a document.
    std::unique_ptr<TComponent> CreateRoot(const TFormObject& document) {
        FFile = FOptions.FileName;
        const TClassInfo* info = GetClass(document.ClassName);
        if (info && info->Create) {
            if (!info->InheritsFrom(&TComponent::StaticClass()))
                Fail("class " + document.ClassName + " cannot be a form file's root", document);
            return std::unique_ptr<TComponent>(info->Create(nullptr));
        }
        // An unregistered root: a plain form (or frame) that keeps the class name;
        // what the ancestors store counts as well.
        bool frame = LooksLikeFrame(document);
        for (const TDocument& ancestor : RootChain(document))
            frame = frame || LooksLikeFrame(*ancestor.Object);
        if (frame)
            return std::make_unique<TGeneric<TFrame>>(
                nullptr, GenericClass(document.ClassName, TFrame::StaticClass()));
        return std::make_unique<TGeneric<TForm>>(
            nullptr, GenericClass(document.ClassName, TForm::StaticClass()));
    }

private:
    // The file being read: the form's, or a frame's or ancestor's file it includes.
    const String& FileName() const { return FFile; }
    // An error in the file being read, with a note for each file on the way from
    // the form given.
    EReadError Here(EReadError error) const {
        for (auto it = FIncludes.rbegin(); it != FIncludes.rend(); ++it)
            error.AddIncludedBy(*it);
        return error;
    }
    // An error in a file that `at`, in the file being read, needed.
    EReadError From(EReadError error, const TFormObject& at) const {
        if (error.FileName() != FFile || !FIncludes.empty())
            error.AddIncludedBy({FFile, at.Line, at.Column});
        return Here(std::move(error));
    }
    [[noreturn]] void Fail(const String& reason, int line, int column) const {
        throw Here(EReadError(reason, FileName(), line, column));
    }
    void Warn(const String& reason, const TFormObject& at) const {
        Warn(reason, at.Line, at.Column);
    }
    void Warn(const String& reason, int line, int column) const {
        if (FOptions.OnWarning)
            FOptions.OnWarning(Here(EReadError(reason, FileName(), line, column)));
    }
    static String ObjectName(const TComponent& component) {
        return component.Name().empty() ? component.ClassName() : component.Name();
    }
    // What a stand-in is read as: a form or frame of the framework's, else a control
    // or a component.
    static String StandInKind(const TComponent& component) {
        if (dynamic_cast<const TCustomForm*>(&component) ||
            dynamic_cast<const TCustomFrame*>(&component))
            return component.ClassInfo()->Parent->Name;
        return dynamic_cast<const TControl*>(&component) ? "a control" : "a component";
    }

    // Switches to another file while one is read, remembering the way to it: the
    // files and positions that included it, outermost first.
    class TFileScope {
    public:
        TFileScope(TLoader& loader, const String& path,
                   const std::vector<EReadError::TInclusion>& via)
            : FLoader(loader), FFile(loader.FFile), FDepth(loader.FIncludes.size()) {
            if (path != loader.FFile) {
                for (const auto& by : via)
                    loader.FIncludes.push_back(by);
                loader.FFile = path;
            }
        }
        ~TFileScope() {
            FLoader.FFile = FFile;
            FLoader.FIncludes.resize(FDepth);
        }
        TFileScope(const TFileScope&) = delete;
        TFileScope& operator=(const TFileScope&) = delete;

    private:
        TLoader& FLoader;
        String FFile;
        std::size_t FDepth;
    };
    [[noreturn]] void Fail(const String& reason, const TFormObject& at) const {
        Fail(reason, at.Line, at.Column);
    }

    static int StoredPpi(const TFormObject& document, int fallback) {
        if (const TFormProperty* p = document.FindProperty("PixelsPerInch"))
            if (p->Value.Kind == TFormValue::TKind::Integer && p->Value.Int > 0 &&
                p->Value.Int < 10000)
                return static_cast<int>(p->Value.Int);
        return fallback;
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

    void ReadObjectBody(TComponent& component, TComponent& owner, const TFormObject& object,
                        bool setName = true) {
        if (setName && !object.Name.empty() && component.Name() != object.Name) {
            try {
                component.SetName(object.Name);
            } catch (const Exception& e) {
                Fail(e.Message(), object);
            }
        }
        // A stand-in takes little of what its class stores: one warning names
        // everything it kept as stored.
        std::vector<String> kept;
        std::vector<String>* const outer = FKeptRaw;
        FKeptRaw = StandsIn(component) ? &kept : nullptr;
        for (const TFormProperty& property : object.Properties)
            ReadProperty(component, property);
        FKeptRaw = outer;
        if (!kept.empty()) {
            String names;
            for (const String& name : kept)
                names += (names.empty() ? "" : ", ") + name;
            Warn(ObjectName(component) + ": class " + component.ClassName() +
                     " is not known (read as " + StandInKind(component) +
                     "); kept as stored, not applied: " + names,
                 object);
        }
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
        if (!component && object.Kind == TFormObject::TKind::Inherited) {
            // The real reader's words. Without an ancestor at all that was said once.
            if (!FOptions.Lenient)
                Fail("Ancestor for '" + object.Name + "' not found", object);
            if (FWithAncestor.count(&owner))
                Warn("Ancestor for '" + object.Name + "' not found; read as a new component",
                     object);
        }
        if (!component) {
            component = CreateComponent(owner, object);
            component->SetParentComponent(&parent);
        } else if (component->GetParentComponent() != &parent) {
            // An object named like one that holds it would hold itself.
            for (const TComponent* at = &parent; at; at = at->GetParentComponent())
                if (at == component)
                    Fail("A control cannot have itself as its parent", object);
            // A descendant may move an inherited control to another parent.
            component->SetParentComponent(&parent);
        }
        Prepare(*component, object);
        // An inline frame of the ancestor owns what its block overrides.
        TComponent& scope =
            component->ComponentState().Contains(csInline) || OwnsChildren(*component) ? *component
                                                                                       : owner;
        ReadObjectBody(*component, scope, object);
        // `[n]`: the parent puts it at that place among its children once read.
        if (object.Index)
            parent.SetChildOrder(component, *object.Index);
        BindField(owner, *component);
        --FDepth;
    }

    // A registered class, or the one the class map names for an unknown one.
    const TClassInfo* ClassOf(const String& className) const {
        if (const TClassInfo* info = GetClass(className))
            return info;
        const String key = AnsiUpperCase(className);
        for (const auto& [from, to] : FOptions.ClassMap)
            if (AnsiUpperCase(from) == key)
                return GetClass(to);
        return nullptr;
    }

    TComponent* CreateComponent(TComponent& owner, const TFormObject& object) {
        const TClassInfo* info = ClassOf(object.ClassName);
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

    // What lenient reading learns of unknown classes from a document before it is
    // read.
    void ScanDocument(const TFormObject& document) {
        ScanEvidence(document);
        ScanOwners(document);
    }

    // Names are unique among the components of one owner, not of the form: some
    // components own the objects nested in them. Where a file nests objects of
    // one name in objects of unknown classes, those classes own what they hold.
    void ScanOwners(const TFormObject& root) {
        for (std::size_t before = SIZE_MAX; before != FChildOwners.size();) {
            before = FChildOwners.size();
            MarkOwners(root, 0);
        }
    }

    // In one owner's scope: the unknown classes of the objects holding a name the
    // scope holds twice.
    void MarkOwners(const TFormObject& scope, int depth) {
        std::map<String, std::vector<const TFormObject*>> holders;
        CollectHolders(scope, holders, depth);
        for (const auto& entry : holders)
            if (entry.second.size() >= 2)
                for (const TFormObject* holder : entry.second)
                    if (holder != &scope && !GetClass(holder->ClassName))
                        FChildOwners.insert(AnsiUpperCase(holder->ClassName));
    }

    // The objects holding each new name of a scope; an inline frame, and a class
    // found to own its children, make scopes of their own.
    void CollectHolders(const TFormObject& parent,
                        std::map<String, std::vector<const TFormObject*>>& holders, int depth) {
        if (depth > 64)
            return;
        for (const TFormObject& child : parent.Children) {
            if (!child.Name.empty() && child.Kind == TFormObject::TKind::Object)
                holders[AnsiUpperCase(child.Name)].push_back(&parent);
            if (child.Kind == TFormObject::TKind::Inline ||
                FChildOwners.count(AnsiUpperCase(child.ClassName)))
                MarkOwners(child, depth + 1);
            else
                CollectHolders(child, holders, depth + 1);
        }
    }

    bool OwnsChildren(const TComponent& component) const {
        return !FChildOwners.empty() && IsGenericClass(*component.ClassInfo()) &&
               FChildOwners.count(AnsiUpperCase(component.ClassName()));
    }

    // Returns whether the object is (or holds) a control.
    bool ScanEvidence(const TFormObject& object) {
        bool holdsControl = false;
        for (const TFormObject& child : object.Children)
            holdsControl = ScanEvidence(child) || holdsControl;
        const TClassInfo* info = ClassOf(object.ClassName);
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
            // The frame's own form file (over its ancestors) comes first, then the
            // overrides of the block.
            if (std::optional<TDocument> own = FindDocument(object.ClassName, object)) {
                std::vector<TDocument> chain;
                {
                    TFileScope file(*this, own->Path, {{FFile, object.Line, object.Column}});
                    if (own->Object->Kind == TFormObject::TKind::Inherited)
                        chain = AncestorChain(*own->Object, own->Path, &object);
                }
                chain.push_back(*own);
                if (FOptions.Lenient)
                    for (const TDocument& doc : chain)
                        ScanDocument(*doc.Object);
                ReadOver(*frame, chain, object);
            } else if (!FOptions.Lenient) {
                Fail("form file of frame class " + object.ClassName + " not found", object);
            }
        }
        ReadObjectBody(*frame, *frame, object);
        if (object.Index)
            parent.SetChildOrder(frame, *object.Index);
        BindField(owner, *frame);
        --FFrameDepth;
    }

    // ---- Ancestors ----

    struct TDocument {
        std::shared_ptr<const TFormObject> Object;
        String Path;
    };

    // Reads the documents of `chain` (base first) into `component`, each from its
    // own file: the components they make count as inherited. The last one is
    // remembered as the component's ancestry, for writing.
    void ReadOver(TComponent& component, const std::vector<TDocument>& chain,
                  const TFormObject& includedAt) {
        for (std::size_t k = 0; k < chain.size(); ++k) {
            const TDocument& doc = chain[k];
            // The way to an ancestor's file goes through each descendant's.
            std::vector<EReadError::TInclusion> via{{FFile, includedAt.Line, includedAt.Column}};
            for (std::size_t j = chain.size() - 1; j > k; --j)
                via.push_back({chain[j].Path, chain[j].Object->Line, chain[j].Object->Column});
            TFileScope file(*this, doc.Path, via);
            const int savedPpi = FFormPpi;
            FFormPpi = StoredPpi(*doc.Object, FFormPpi);
            const std::size_t before = FLoaded.size();
            ReadObjectBody(component, component, *doc.Object, false);
            for (std::size_t i = before; i < FLoaded.size(); ++i)
                FLoaded[i]->SetAncestor(true);
            // Each file of the form's family is in its own resolution.
            if (auto* form = dynamic_cast<TCustomForm*>(&component); form && &component == FRoot)
                form->ReadFileDone(StoredPpi(*doc.Object, 0), false);
            FFormPpi = savedPpi;
        }
        TFormLoadOptions options = FOptions;
        options.FileName = chain.back().Path;
        options.Designing = true;
        options.OnWarning = nullptr;
        component.SetAncestry(std::make_shared<const TFormAncestry>(
            TFormAncestry{chain.back().Object, chain.back().Path, std::move(options)}));
        FWithAncestor.insert(&component);
    }

    // The ancestors of the root document (none unless it is inherited), found once.
    const std::vector<TDocument>& RootChain(const TFormObject& document) {
        if (FChainOf != &document) {
            FChain.clear();
            if (document.Kind == TFormObject::TKind::Inherited)
                FChain = AncestorChain(document, FOptions.FileName);
            FChainOf = &document;
        }
        return FChain;
    }

    // The ancestors of an inherited document read from `path` (the file being
    // read), base first; `usage` is the inline block that needs it. A missing one
    // ends the chain: an error in strict reading, a warning in lenient reading,
    // in the file that names it, with the files on the way.
    std::vector<TDocument> AncestorChain(const TFormObject& document, const String& path,
                                         const TFormObject* usage = nullptr) {
        std::vector<TDocument> chain;
        std::set<String> seen{AnsiUpperCase(document.ClassName)};
        const TFormObject* at = &document;
        String atPath = path;
        // The files between the one being read and `at`, innermost last.
        std::vector<EReadError::TInclusion> via;
        auto inFile = [&](const String& reason) {
            EReadError error(reason, atPath, at->Line, at->Column);
            for (auto it = via.rbegin(); it != via.rend(); ++it)
                error.AddIncludedBy(*it);
            return Here(std::move(error));
        };
        while (at->Kind == TFormObject::TKind::Inherited) {
            std::optional<TFoundForm> ancestor;
            try {
                ancestor =
                    Library().FindAncestor(*at, atPath, FSearch, at == &document ? usage : nullptr);
            } catch (EReadError& e) {
                e.AddIncludedBy({atPath, at->Line, at->Column});
                for (auto it = via.rbegin(); it != via.rend(); ++it)
                    e.AddIncludedBy(*it);
                throw Here(std::move(e));
            }
            if (!ancestor) {
                if (!FOptions.Lenient)
                    throw inFile("Ancestor for '" + at->Name + "' not found");
                if (FOptions.OnWarning)
                    FOptions.OnWarning(
                        inFile("ancestor of " + at->ClassName +
                               " not found; read without the components it inherits"));
                break;
            }
            if (!seen.insert(AnsiUpperCase(ancestor->Document->ClassName)).second)
                throw inFile("form class " + at->ClassName + " inherits from itself");
            if (chain.size() >= MaxFrameDepth)
                throw inFile("ancestors nested too deeply");
            via.push_back({atPath, at->Line, at->Column});
            chain.push_back({ancestor->Document, ancestor->Path});
            at = chain.back().Object.get();
            atPath = chain.back().Path;
        }
        std::reverse(chain.begin(), chain.end());
        return chain;
    }

    // ---- Form files of frames and ancestors, by the root class they declare ----

    TFormLibrary& Library() {
        if (!FLibrary) {
            FLibrary = FOptions.Library ? FOptions.Library : std::make_shared<TFormLibrary>();
            FSearch = {FOptions.FileName, FOptions.FrameFiles, FOptions.SearchDirs,
                       FOptions.CodePage};
        }
        return *FLibrary;
    }

    // The form file of a frame class that `at` (in the file being read) needs.
    std::optional<TDocument> FindDocument(const String& className, const TFormObject& at) {
        try {
            if (std::optional<TFoundForm> found =
                    Library().FindClass(className, FFile, FSearch, &at))
                return TDocument{found->Document, found->Path};
        } catch (const EReadError& e) {
            throw From(e, at);
        }
        return std::nullopt;
    }

    // A stand-in of lenient reading takes a value under a name that the framework
    // publishes only when the value fits; otherwise the unknown class has a property
    // of its own by that name, and the value stays raw.
    bool StandsIn(const TComponent& component) const {
        return FOptions.Lenient && IsGenericClass(*component.ClassInfo());
    }

    void ReadProperty(TComponent& component, const TFormProperty& property) {
        ReadPropertyOf(component, component, property);
        if (auto* control = dynamic_cast<TControl*>(&component))
            NoteScaling(*control, property.Name);
    }

    // What a change of resolution scales of what the file set (see TScalingFlag).
    static void NoteScaling(TControl& control, const String& name) {
        const String head = name.substr(0, name.find('.'));
        const bool form = dynamic_cast<TCustomForm*>(&control) != nullptr;
        if (SameText(head, "Left"))
            control.IncludeScalingFlag(sfLeft);
        else if (SameText(head, "Top"))
            control.IncludeScalingFlag(sfTop);
        else if (SameText(head, "Width") || (form && SameText(head, "ClientWidth")))
            control.IncludeScalingFlag(sfWidth);
        else if (SameText(head, "Height") || (form && SameText(head, "ClientHeight")))
            control.IncludeScalingFlag(sfHeight);
        else if (SameText(head, "Font") && head.size() < name.size())
            control.IncludeScalingFlag(sfFont);
        else if (SameText(head, "Constraints") && head.size() < name.size())
            control.IncludeScalingFlag(sfConstraints);
    }

    // Sets one property of `root` (the component, or an item of one of its
    // collections); unknown ones are kept in root's bag when reading leniently.
    // `shown` names the property in warnings (an item's as Columns[2].Width).
    void ReadPropertyOf(TPersistent& root, TComponent& component, const TFormProperty& property,
                        const String& shown = {}) {
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
        String refusal;
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
                        if (target == &component && !component.Bag().UnknownBeforeDefined)
                            component.Bag().UnknownBeforeDefined = component.Bag().Unknown.size();
                        return;
                    }
            } catch (const EReadError& e) {
                if (!FOptions.Lenient)
                    throw Here(e.WithPosition(FileName(), property.Line, property.Column));
                refusal = e.Reason();
            } catch (const Exception& e) {
                // A setter refused the value: the reader stops there with its message.
                if (!FOptions.Lenient)
                    Fail(e.Message(), property.Line, property.Column);
                refusal = e.Message();
            }
        }
        if (!FOptions.Lenient)
            Fail("Property " + property.Name + " does not exist in " + root.ClassName(),
                 property.Line, property.Column);
        // Lenient reading keeps what it cannot take, and says so.
        const String& name = shown.empty() ? property.Name : shown;
        if (StandsIn(component)) {
            if (FKeptRaw)
                FKeptRaw->push_back(name);
        } else {
            Warn(ObjectName(component) + "." + name + ": " +
                     (refusal.empty() ? root.ClassName() + " has no such property" : refusal) +
                     "; kept as stored, not applied",
                 property.Line, property.Column);
        }
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
                info.SetFloat(target, v.Number());
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
                    const String at =
                        property.Name + "[" + std::to_string(collection->Count()) + "].";
                    TCollectionItem* made = collection->Add();
                    for (const TFormProperty& p : item.Properties)
                        ReadPropertyOf(*made, component, p, at + p.Name);
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
    std::vector<TComponent*> FLoaded;
    std::set<TComponent*> FSeen;
    std::set<String> FVisualEvidence;        // upper-cased unknown class names
    std::vector<String>* FKeptRaw = nullptr; // what a stand-in being read keeps raw
    std::set<String> FChildOwners;           // upper-cased unknown classes that own their children
    String FFile;
    std::vector<EReadError::TInclusion> FIncludes; // the way to FFile, outermost first
    std::shared_ptr<TFormLibrary> FLibrary;
    TFormSearch FSearch;
    const TFormObject* FChainOf = nullptr;
    std::vector<TDocument> FChain;
    std::set<const TComponent*> FWithAncestor; // scopes read over their ancestor's file
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

void WriteDefined(TPersistent& object, TPersistent* ancestor, const String& prefix,
                  std::vector<TFormProperty>& out) {
    TDefinitions definitions(true, ancestor);
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

void WriteProperties(TPersistent& object, TPersistent* ancestor, const String& prefix,
                     std::vector<TFormProperty>& out, int depth, const TComponent* scope = nullptr);

TFormValue CollectionValue(TCollection& collection, int depth) {
    std::vector<TFormCollectionItem> items;
    for (int i = 0; i < collection.Count(); ++i) {
        TCollectionItem& item = *collection.Items(i);
        TFormCollectionItem written;
        WriteProperties(item, nullptr, "", written.Properties, depth + 1);
        WriteDefined(item, nullptr, "", written.Properties);
        for (const TFormProperty& p : item.Values().Unknown)
            written.Properties.push_back(p);
        items.push_back(std::move(written));
    }
    return TFormValue::MakeCollection(std::move(items));
}

// The value of a property as written; with `always`, also a value that equals
// the declared default or is empty (what a descendant writes to undo its
// ancestor's value). No value for a sub-object, which is written property by
// property.
std::optional<TFormValue> PropertyValue(TPersistent& object, const TPropInfo& info, int depth,
                                        bool always) {
    switch (info.Kind) {
    case tkInteger:
    case tkEnumeration:
    case tkSet: {
        std::int64_t v = info.GetOrd(object);
        if (!always && info.Default && v == *info.Default)
            return std::nullopt;
        return OrdinalValue(info, v);
    }
    case tkFloat: return TFormValue::MakeFloat(info.GetFloat(object));
    case tkString: {
        String s = info.GetStr(object);
        if (s.empty() && !always)
            return std::nullopt;
        return TFormValue::MakeString(s);
    }
    case tkReference: {
        String s = info.GetStr(object);
        if (s.empty())
            return always ? std::optional(TFormValue::MakeIdent("nil")) : std::nullopt;
        return TFormValue::MakeIdent(s);
    }
    case tkMethod: {
        TMethod m = info.GetMethod(object);
        if (!m.Named())
            return always ? std::optional(TFormValue::MakeIdent("nil")) : std::nullopt;
        return TFormValue::MakeIdent(m.Name);
    }
    case tkClass:
        if (auto* collection = dynamic_cast<TCollection*>(info.GetObj(object))) {
            if (collection->Count() == 0 && !always)
                return std::nullopt;
            return CollectionValue(*collection, depth);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

// Whether a reference names a component of `scope` itself. Others (a frame's
// component seen from the form, the form's seen from inside a frame, another
// module's) point at different objects in the ancestor and the descendant, so a
// descendant writes them even when the names agree, as the designer does.
bool RefersIntoScope(const TFormValue& value, const TComponent* scope) {
    return scope && value.Kind == TFormValue::TKind::Ident && value.Str.find('.') == String::npos &&
           (SameText(value.Str, "nil") || scope->FindComponent(value.Str) ||
            SameText(value.Str, scope->Name()));
}

// Published properties in declaration order. Written against an ancestor (the
// same object of the ancestor form), only those whose value differs from it;
// `scope` is the owner whose components references of the object name.
void WriteProperties(TPersistent& object, TPersistent* ancestor, const String& prefix,
                     std::vector<TFormProperty>& out, int depth, const TComponent* scope) {
    for (const TPropInfo* info : object.ClassInfo()->AllProps()) {
        if (info->Stored && !info->Stored(object))
            continue;
        const String name = prefix + info->Name;
        const TPropInfo* theirs = ancestor ? GetPropInfo(*ancestor, info->Name) : nullptr;
        if (info->Kind == tkClass && !dynamic_cast<TCollection*>(info->GetObj(object))) {
            if (depth < 8)
                if (auto* sub = dynamic_cast<TPersistent*>(info->GetObj(object))) {
                    TPersistent* theirSub =
                        theirs && theirs->Kind == tkClass
                            ? dynamic_cast<TPersistent*>(theirs->GetObj(*ancestor))
                            : nullptr;
                    WriteProperties(*sub, theirSub, name + ".", out, depth + 1, scope);
                    WriteDefined(*sub, theirSub, name + ".", out);
                }
            continue;
        }
        if (theirs && theirs->Kind == info->Kind) {
            std::optional<TFormValue> mine = PropertyValue(object, *info, depth, true);
            std::optional<TFormValue> other = PropertyValue(*ancestor, *theirs, depth, true);
            if (!mine)
                continue;
            // The designer writes a form's resolution and text height every time.
            const bool always =
                dynamic_cast<TCustomForm*>(&object) &&
                (SameText(info->Name, "PixelsPerInch") || SameText(info->Name, "TextHeight"));
            const bool same = !always && other && *other == *mine &&
                              (info->Kind != tkReference || RefersIntoScope(*mine, scope));
            if (!same)
                out.push_back({name, std::move(*mine), 0, 0});
            continue;
        }
        if (std::optional<TFormValue> value = PropertyValue(object, *info, depth, false))
            out.push_back({name, std::move(*value), 0, 0});
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

// A fresh instance of what a component was read over (its ancestor form, or its
// frame's file), loaded on its own in design mode; nullptr without one.
std::unique_ptr<TComponent> FreshAncestor(const TComponent& component) {
    const auto& ancestry = component.Ancestry();
    if (!ancestry || !ancestry->Document)
        return nullptr;
    return LoadForm(*ancestry->Document, ancestry->Options);
}

class TComponentWriter {
public:
    // `ancestor` is the same component in a fresh ancestor, `ancestorScope` the
    // owner the ancestor's components of this scope are found in.
    TFormObject Write(TComponent& component, TComponent& scope, TComponent* ancestor,
                      TComponent* ancestorScope, int depth) {
        TFormObject object;
        const auto state = component.ComponentState();
        object.Kind = ancestor                                       ? TFormObject::TKind::Inherited
                      : state.Contains(csInline)                     ? TFormObject::TKind::Inline
                      : state.Contains(csAncestor) && !ancestorScope ? TFormObject::TKind::Inherited
                                                                     : TFormObject::TKind::Object;
        object.Name = component.Name();
        object.ClassName = component.ClassName();
        component.SetWritingState(true);
        WriteProperties(component, ancestor, "", object.Properties, 0, &scope);
        const TPropertyBag* bag = component.BagIfAny();
        const TPropertyBag* theirs = ancestor ? ancestor->BagIfAny() : nullptr;
        auto writeUnknown = [&](std::size_t from, std::size_t to) {
            for (std::size_t i = from; bag && i < to; ++i) {
                const TFormProperty& p = bag->Unknown[i];
                bool inherited =
                    theirs && std::any_of(theirs->Unknown.begin(), theirs->Unknown.end(),
                                          [&](const TFormProperty& q) {
                                              return SameText(q.Name, p.Name) && q == p;
                                          });
                if (!inherited)
                    object.Properties.push_back(p);
            }
        };
        const std::size_t unknown = bag ? bag->Unknown.size() : 0;
        const std::size_t before =
            bag ? std::min(bag->UnknownBeforeDefined.value_or(0), unknown) : 0;
        writeUnknown(0, before);
        WriteDefined(component, ancestor, "", object.Properties);
        writeUnknown(before, unknown);
        component.SetWritingState(false);
        if (depth > 1000)
            throw EInvalidOperation("components nested too deeply to write");
        // An inline frame is the scope of the components it owns; what they
        // inherit is in the same frame of the ancestor, or in a fresh frame.
        TComponent& childScope = state.Contains(csInline) ? component : scope;
        TComponent* childAncestors = ancestorScope;
        if (state.Contains(csInline)) {
            childAncestors = ancestor;
            if (!childAncestors)
                childAncestors = Keep(FreshAncestor(component));
        }
        // The same parent in the ancestor: the same component, or a fresh frame.
        TComponent* ancestorParent = ancestor;
        if (!ancestorParent && state.Contains(csInline))
            ancestorParent = childAncestors;
        std::vector<TChild> children;
        CollectChildren(component, childScope, childAncestors, ancestorParent, children, depth);
        if (&childScope != &scope)
            CollectChildren(component, scope, ancestorScope, ancestorParent, children, depth);
        // A component that owns components of its own nests them.
        if (&component != &childScope && &component != &scope && component.ComponentCount() > 0)
            CollectChildren(component, component, ancestor, ancestorParent, children, depth);
        auto* win = dynamic_cast<TWinControl*>(&component);
        auto* ancestorWin = dynamic_cast<TWinControl*>(ancestorParent);
        // A parent whose ancestor is no control (a guess that differs) is left as read.
        if (win && (ancestorWin || !ancestorParent))
            SetChildPositions(*win, ancestorWin, children);
        for (TChild& child : children) {
            // An inherited component the descendant left as it was, where it was,
            // is not written.
            if (child.Inherited && !child.Moved && child.Object.Properties.empty() &&
                child.Object.Children.empty() && !child.Object.Index)
                continue;
            object.Children.push_back(std::move(child.Object));
        }
        return object;
    }

    TComponent* Keep(std::unique_ptr<TComponent> fresh) {
        FFresh.push_back(std::move(fresh));
        return FFresh.back().get();
    }

private:
    struct TChild {
        TComponent* Component;
        TFormObject Object;
        bool Inherited; // the ancestor has it
        bool Moved;     // ... on another parent: its place in the file moves it back
    };

    void CollectChildren(TComponent& component, TComponent& scope, TComponent* ancestorScope,
                         const TComponent* ancestorParent, std::vector<TChild>& out, int depth) {
        for (TComponent* child : ChildrenOf(component, scope)) {
            TComponent* theirs = ancestorScope && !child->Name().empty()
                                     ? ancestorScope->FindComponent(child->Name())
                                     : nullptr;
            TFormObject written = Write(*child, scope, theirs, ancestorScope, depth + 1);
            const bool moved = theirs && theirs->GetParentComponent() != ancestorParent;
            out.push_back({child, std::move(written), theirs != nullptr, moved});
        }
    }

    // Gives `[n]` to the children whose place among the parent's controls reading
    // would not give them otherwise. Reading starts from the ancestor's order
    // (none for a new parent), appends each new or moved control as it comes and
    // moves a control with `[n]` there once read. The controls that already stand
    // in the wanted order keep their place; every other one, as it comes, goes
    // just after the nearest control before it that has its place.
    static void SetChildPositions(TWinControl& parent, TWinControl* ancestor,
                                  std::vector<TChild>& children) {
        std::vector<TControl*> wanted;
        for (int i = 0; i < parent.ControlCount(); ++i)
            wanted.push_back(parent.Controls(i));
        auto rank = [&](const TControl* c) {
            return static_cast<std::size_t>(std::find(wanted.begin(), wanted.end(), c) -
                                            wanted.begin());
        };
        std::vector<TControl*> order; // the ancestor's, with the descendant's controls
        if (ancestor)
            for (int i = 0; i < ancestor->ControlCount(); ++i) {
                const String& name = ancestor->Controls(i)->Name();
                if (name.empty())
                    return; // cannot be told apart: left as read
                auto mine = std::find_if(wanted.begin(), wanted.end(), [&](const TControl* c) {
                    return SameText(c->Name(), name);
                });
                if (mine != wanted.end() &&
                    std::find(order.begin(), order.end(), *mine) == order.end())
                    order.push_back(*mine);
            }
        std::map<const TControl*, TChild*> entries;
        for (TChild& child : children)
            if (auto* c = dynamic_cast<TControl*>(child.Component); c && c->Parent() == &parent)
                entries[c] = &child;
        for (TControl* c : wanted)
            if (!entries.count(c) && std::find(order.begin(), order.end(), c) == order.end())
                return; // a control no file of this scope places
        // The longest run of the ancestor's order that is already in the wanted order.
        std::set<const TControl*> placed;
        {
            std::vector<std::size_t> length(order.size(), 1), from(order.size(), SIZE_MAX);
            std::size_t best = SIZE_MAX;
            for (std::size_t i = 0; i < order.size(); ++i) {
                for (std::size_t j = 0; j < i; ++j)
                    if (rank(order[j]) < rank(order[i]) && length[j] + 1 > length[i]) {
                        length[i] = length[j] + 1;
                        from[i] = j;
                    }
                if (best == SIZE_MAX || length[i] > length[best])
                    best = i;
            }
            for (std::size_t i = best; i != SIZE_MAX; i = from[i])
                placed.insert(order[i]);
        }
        for (TChild& child : children) {
            auto* c = dynamic_cast<TControl*>(child.Component);
            if (!c || c->Parent() != &parent || placed.count(c))
                continue;
            auto at = std::find(order.begin(), order.end(), c);
            if (at == order.end() || child.Moved) {
                if (at != order.end())
                    order.erase(at);
                order.push_back(c);
                at = order.end() - 1;
            }
            // Its nearest placed neighbours must be before and after it in the wanted order.
            bool fits = true;
            for (auto before = at; fits && before != order.begin();)
                if (placed.count(*--before)) {
                    fits = rank(*before) < rank(c);
                    break;
                }
            for (auto after = at + 1; fits && after != order.end(); ++after)
                if (placed.count(*after)) {
                    fits = rank(*after) > rank(c);
                    break;
                }
            if (!fits) {
                order.erase(at);
                std::size_t n = 0;
                for (std::size_t i = 0; i < order.size(); ++i)
                    if (placed.count(order[i]) && rank(order[i]) < rank(c))
                        n = i + 1;
                order.insert(order.begin() + static_cast<std::ptrdiff_t>(n), c);
                child.Object.Index = static_cast<int>(n);
            }
            placed.insert(c);
        }
    }

    std::vector<std::unique_ptr<TComponent>> FFresh;
};

} // namespace

// ---- Entry points -----------------------------------------------------------------------

std::unique_ptr<TComponent> LoadForm(const TFormObject& document, const TFormLoadOptions& options) {
    TLoader loader(options);
    std::unique_ptr<TComponent> root = loader.CreateRoot(document);
    loader.Load(*root, document);
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
    // A file of the run's library is read once, whether named or inherited from.
    if (options.Library && withName.FileName == path)
        return LoadForm(*options.Library->Document(path, options.CodePage), withName);
    return LoadFormText(ReadFileBytes(path), withName);
}

TFormObject WriteComponent(TComponent& root) {
    TComponentWriter writer;
    TComponent* ancestor =
        root.ComponentState().Contains(csInline) ? nullptr : writer.Keep(FreshAncestor(root));
    TFormObject object = writer.Write(root, root, ancestor, ancestor, 0);
    // The root is never written as inline.
    if (object.Kind == TFormObject::TKind::Inline)
        object.Kind = TFormObject::TKind::Object;
    return object;
}

String SaveFormText(TComponent& root, TCodePage codePage) {
    return WriteFormText(WriteComponent(root), codePage);
}

} // namespace Vcl
