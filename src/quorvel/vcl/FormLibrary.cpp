#include "quorvel/vcl/FormLibrary.h"

#include "quorvel/vcl/FilePaths.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/PascalSource.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <set>

namespace Vcl {

namespace {

constexpr int kMaxChain = 16;
constexpr int kMaxDepth = 64;
// Enough for the first line of any form file, which is all an index reads.
constexpr std::size_t kRootLineBytes = 4096;

String Head(const String& name) { return name.substr(0, name.find('.')); }

bool HasExtension(const std::filesystem::path& path, std::initializer_list<const char*> exts) {
    const String ext = Utf8Of(path.extension());
    for (const char* e : exts)
        if (SameText(ext, e))
            return true;
    return false;
}

// Upper-cased object name -> upper-cased class.
using TNames = std::map<String, String>;

// What a form file's document tells lookups: its objects, and which of them it
// inherits. What an inline frame (or an inherited object over one) holds is the
// frame's business and left out.
struct TFacts {
    String Path;
    String Class; // upper-cased root class
    String Name;  // the root object's name, as written
    bool Inherited = false;
    TRootKind Kind = TRootKind::Unknown;
    TNames Own;           // every named object of the file
    TNames InheritedObjs; // the inherited ones
    std::set<String> New; // the names of the new ones
    // Inline frames anywhere in the file: their class with the inherited
    // objects each block names.
    std::vector<std::pair<String, TNames>> Inlines;
};

} // namespace

TRootKind RootKindOf(const TFormObject& root) {
    static const char* const formOnly[] = {
        "PixelsPerInch", "TextHeight", "ClientWidth", "ClientHeight", "Caption",
        "BorderIcons",   "FormStyle",  "Position",    "WindowState",  "Menu",
        "Icon",          "KeyPreview", "Scaled",      "BorderStyle"};
    bool frame = false;
    for (const TFormProperty& p : root.Properties) {
        const String head = Head(p.Name);
        for (const char* name : formOnly)
            if (SameText(head, name))
                return TRootKind::Form;
        frame = frame || SameText(head, "TabOrder") || SameText(head, "TabStop");
    }
    return frame ? TRootKind::Frame : TRootKind::Unknown;
}

// ---- State --------------------------------------------------------------------------

namespace {

struct TEntry {
    String Path;
    String Class; // upper-cased
};

struct TFolder {
    std::vector<TEntry> Forms;          // .dfm files by name
    std::vector<String> Files;          // every file, for lookups ignoring letter case
    std::multimap<String, int> ByClass; // upper-cased class -> index in Forms
};

struct TDocSlot {
    std::shared_ptr<const TFormObject> Object;
    std::optional<EReadError> Error;
};

// The form files one search covers, with the ancestor the objects tell for each
// inherited one, worked out together (see ResolveSet).
struct TCandidateSet {
    std::vector<const TFacts*> Entries;
    std::vector<int> Ancestor;    // index into Entries, -1 for none
    std::vector<TNames> All;      // Own, with the ancestors' objects
    std::vector<TRootKind> Kinds; // what the file, its uses and its relatives say it is
    std::vector<char> Settled;    // its chain is known to the end
};

} // namespace

struct TFormLibrary::TState {
    TCodePage CodePage; // of root lines
    TCounts Counts;
    std::map<String, TFolder> Folders;
    std::map<String, std::optional<TEntry>> Files;
    std::map<String, TDocSlot> Docs;
    std::map<String, std::unique_ptr<TFacts>> FactsOf;
    std::map<String, std::map<String, String>> Units;
    std::map<String, std::vector<TProjectUnit>> Projects;
    std::map<String, String> OnDisk;
    std::map<String, std::unique_ptr<TCandidateSet>> Sets;

    // ---- Folders and root lines ----

    std::optional<TEntry> RootLine(const String& path) {
        std::ifstream in(PathOf(path), std::ios::binary);
        if (!in)
            return std::nullopt;
        String bytes(kRootLineBytes, '\0');
        in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        bytes.resize(static_cast<std::size_t>(in.gcount()));
        ++Counts.RootLines;
        // A cut UTF-8 character would make the text look like another code page.
        if (bytes.size() == kRootLineBytes)
            if (std::size_t end = bytes.rfind('\n'); end != String::npos)
                bytes.resize(end + 1);
        try {
            const TFormObject root = ReadFormRoot(bytes, TFormTextOptions{path, CodePage});
            return TEntry{path, AnsiUpperCase(root.ClassName)};
        } catch (const EReadError&) {
            return std::nullopt; // not a form file
        }
    }

    static String FolderKey(const std::filesystem::path& dir) {
        return Utf8Of(dir.lexically_normal());
    }

    const TFolder& Folder(const std::filesystem::path& dir) {
        const String key = FolderKey(dir);
        auto [it, added] = Folders.try_emplace(key);
        if (!added)
            return it->second;
        ++Counts.Folders;
        TFolder& folder = it->second;
        std::error_code ec;
        for (const auto& file : std::filesystem::directory_iterator(dir, ec))
            if (file.is_regular_file(ec))
                folder.Files.push_back(Utf8Of(file.path()));
        std::sort(folder.Files.begin(), folder.Files.end());
        for (const String& path : folder.Files)
            if (HasExtension(PathOf(path), {".dfm"}))
                if (std::optional<TEntry> entry = RootLine(path)) {
                    folder.ByClass.emplace(entry->Class, static_cast<int>(folder.Forms.size()));
                    folder.Forms.push_back(std::move(*entry));
                }
        return folder;
    }

    const std::optional<TEntry>& File(const String& path) {
        auto [it, added] = Files.try_emplace(path);
        if (added)
            it->second = RootLine(path);
        return it->second;
    }

    // A file of the folder by name, letter case ignored; empty when none.
    String FindInFolder(const std::filesystem::path& dir, const String& fileName) {
        for (const String& file : Folder(dir).Files)
            if (SameText(Utf8Of(PathOf(file).filename()), fileName))
                return file;
        return {};
    }

    // The folders of a search from `near`, in order, without repeats.
    std::vector<std::filesystem::path> Dirs(const String& near, const TFormSearch& search) {
        std::vector<std::filesystem::path> dirs;
        std::set<String> seen;
        auto add = [&](const std::filesystem::path& dir) {
            if (seen.insert(FolderKey(dir)).second)
                dirs.push_back(dir);
        };
        if (!near.empty())
            add(FolderOf(near));
        if (!search.FormFile.empty())
            add(FolderOf(search.FormFile));
        for (const String& dir : search.SearchDirs)
            add(dir.empty() ? std::filesystem::path(".") : PathOf(dir));
        return dirs;
    }

    // Every form file a search covers, in order: the files named, then the folders.
    std::vector<TEntry> Candidates(const String& near, const TFormSearch& search) {
        std::vector<TEntry> out;
        std::set<String> seen;
        for (const String& path : search.FrameFiles)
            if (const auto& entry = File(path); entry && seen.insert(path).second)
                out.push_back(*entry);
        for (const auto& dir : Dirs(near, search))
            for (const TEntry& entry : Folder(dir).Forms)
                if (seen.insert(entry.Path).second)
                    out.push_back(entry);
        return out;
    }

    std::vector<TEntry> OfClass(const String& upperClass, const String& near,
                                const TFormSearch& search) {
        std::vector<TEntry> out;
        std::set<String> seen;
        for (const String& path : search.FrameFiles)
            if (const auto& entry = File(path);
                entry && entry->Class == upperClass && seen.insert(path).second)
                out.push_back(*entry);
        for (const auto& dir : Dirs(near, search)) {
            const TFolder& folder = Folder(dir);
            for (auto [it, end] = folder.ByClass.equal_range(upperClass); it != end; ++it)
                if (seen.insert(folder.Forms[static_cast<std::size_t>(it->second)].Path).second)
                    out.push_back(folder.Forms[static_cast<std::size_t>(it->second)]);
        }
        return out;
    }

    bool HasFormFile(const String& upperClass, const String& near, const TFormSearch& search) {
        for (const String& path : search.FrameFiles)
            if (const auto& entry = File(path); entry && entry->Class == upperClass)
                return true;
        for (const auto& dir : Dirs(near, search))
            if (Folder(dir).ByClass.count(upperClass))
                return true;
        return false;
    }

    // ---- Documents and what they say ----

    std::shared_ptr<const TFormObject> Document(const String& path, TCodePage codePage) {
        TDocSlot& slot = Docs[path + '\n' + std::to_string(codePage.Number())];
        if (slot.Error)
            throw *slot.Error;
        if (!slot.Object) {
            try {
                ++Counts.Documents;
                slot.Object = std::make_shared<const TFormObject>(
                    ReadFormDocument(ReadFileBytes(path), TFormTextOptions{path, codePage}));
            } catch (const EReadError& e) {
                slot.Error = e;
                throw;
            }
        }
        return slot.Object;
    }

    // The facts of a form file; nullptr when it does not read.
    const TFacts* Facts(const String& path, const String& near, const TFormSearch& search) {
        const String key = path + '\n' + std::to_string(search.CodePage.Number());
        auto found = FactsOf.find(key);
        if (found != FactsOf.end())
            return found->second.get();
        std::shared_ptr<const TFormObject> doc;
        try {
            doc = Document(path, search.CodePage);
        } catch (const EReadError&) {
        }
        auto& slot = FactsOf[key];
        if (doc)
            slot = MakeFacts(*doc, path, near, search);
        return slot.get();
    }

    std::unique_ptr<TFacts> MakeFacts(const TFormObject& doc, const String& path,
                                      const String& near, const TFormSearch& search) {
        auto facts = std::make_unique<TFacts>();
        facts->Path = path;
        facts->Class = AnsiUpperCase(doc.ClassName);
        facts->Name = doc.Name;
        facts->Inherited = doc.Kind == TFormObject::TKind::Inherited;
        facts->Kind = RootKindOf(doc);
        Collect(doc, *facts, near.empty() ? path : near, search, 0);
        return facts;
    }

    void Collect(const TFormObject& object, TFacts& facts, const String& near,
                 const TFormSearch& search, int depth) {
        if (depth > kMaxDepth)
            return;
        for (const TFormObject& child : object.Children) {
            const String cls = AnsiUpperCase(child.ClassName);
            if (!child.Name.empty()) {
                const String name = AnsiUpperCase(child.Name);
                facts.Own.emplace(name, cls);
                if (child.Kind == TFormObject::TKind::Inherited)
                    facts.InheritedObjs.emplace(name, cls);
                else
                    facts.New.insert(name);
            }
            if (child.Kind == TFormObject::TKind::Inline) {
                TFacts block;
                Collect(child, block, near, search, depth + 1);
                facts.Inlines.emplace_back(cls, std::move(block.InheritedObjs));
                continue;
            }
            // An inherited frame of the ancestor: what it holds is the frame's.
            if (child.Kind == TFormObject::TKind::Inherited && HasFormFile(cls, near, search))
                continue;
            Collect(child, facts, near, search, depth + 1);
        }
    }

    // ---- Units and project files ----

    const std::map<String, String>& Unit(const String& path) {
        auto [it, added] = Units.try_emplace(path);
        if (added && !path.empty()) {
            try {
                it->second = ReadClassParents(ReadFileBytes(path));
                ++Counts.Units;
            } catch (const EReadError&) {
            }
        }
        return it->second;
    }

    const std::vector<TProjectUnit>& ProjectUnits(const std::filesystem::path& dir) {
        const String key = FolderKey(dir);
        auto [it, added] = Projects.try_emplace(key);
        if (!added)
            return it->second;
        const String folder = Utf8Of(dir);
        for (const String& file : Folder(dir).Files) {
            const auto path = PathOf(file);
            if (!HasExtension(path, {".dpr", ".dpk", ".dproj"}))
                continue;
            try {
                const String text = ReadFileBytes(file);
                ++Counts.Projects;
                for (TProjectUnit& unit :
                     ReadProjectUnits(text, HasExtension(path, {".dproj"}), folder))
                    it->second.push_back(std::move(unit));
            } catch (const EReadError&) {
            }
        }
        return it->second;
    }

    // A unit's path as found on disk (its file name's letter case ignored).
    String Existing(const String& path) {
        auto [it, added] = OnDisk.try_emplace(path);
        if (added) {
            const auto p = PathOf(path);
            std::error_code ec;
            it->second = std::filesystem::is_regular_file(p, ec)
                             ? path
                             : FindInFolder(FolderOf(path), Utf8Of(p.filename()));
        }
        return it->second;
    }

    // The project files' folders for a form file: its own, the two above, the
    // search folders.
    std::vector<std::filesystem::path> ProjectDirs(const String& path, const TFormSearch& search) {
        std::vector<std::filesystem::path> dirs;
        std::set<String> seen;
        auto add = [&](const std::filesystem::path& dir) {
            if (!dir.empty() && seen.insert(FolderKey(dir)).second)
                dirs.push_back(dir);
        };
        if (!path.empty()) {
            std::filesystem::path dir = FolderOf(path);
            for (int up = 0; up < 3 && !dir.empty(); ++up) {
                add(dir);
                const std::filesystem::path parent = dir.lexically_normal().parent_path();
                if (parent == dir || dir == "." || dir.lexically_normal() == ".")
                    break;
                dir = parent;
            }
        }
        for (const String& dir : search.SearchDirs)
            add(PathOf(dir));
        return dirs;
    }

    // The class the Pascal sources derive `upperClass` from: the unit beside the
    // form file, the project's unit of the form, any unit of the projects.
    std::optional<String> DeclaredParent(const String& upperClass, const String& path,
                                         const String& formName, const TFormSearch& search) {
        auto declares = [&](const String& unitPath) -> std::optional<String> {
            const auto& parents = Unit(unitPath);
            if (auto it = parents.find(upperClass); it != parents.end())
                return it->second;
            return std::nullopt;
        };
        if (!path.empty()) {
            const String beside =
                FindInFolder(FolderOf(path), Utf8Of(PathOf(path).stem()) + ".pas");
            if (auto parent = declares(beside))
                return parent;
        }
        std::vector<String> others;
        for (const auto& dir : ProjectDirs(path, search))
            for (const TProjectUnit& unit : ProjectUnits(dir)) {
                const String file = Existing(unit.Path);
                if (file.empty())
                    continue;
                if (!formName.empty() && SameText(unit.FormName, formName)) {
                    if (auto parent = declares(file))
                        return parent;
                } else {
                    others.push_back(file);
                }
            }
        for (const String& file : others)
            if (auto parent = declares(file))
                return parent;
        return std::nullopt;
    }

    // ---- Choosing among form files ----

    // Whether a file with these objects can be the ancestor of one that names
    // `inherited` and `fresh`.
    static bool Fits(const TNames& all, const TNames& inherited, const std::set<String>& fresh) {
        for (const auto& [name, cls] : inherited) {
            auto it = all.find(name);
            if (it == all.end() || it->second != cls)
                return false;
        }
        for (const String& name : fresh)
            if (all.count(name))
                return false;
        return true;
    }

    // Of several files declaring one class, the first whose objects hold what
    // `inherited` names; the first when none does.
    int ChooseCopy(const std::vector<int>& copies, const TCandidateSet& set,
                   const TNames& inherited) {
        for (int i : copies)
            if (Fits(set.All[static_cast<std::size_t>(i)], inherited, {}))
                return i;
        return copies.empty() ? -1 : copies.front();
    }

    // The candidate set of a search from `near`, resolved once per run.
    TCandidateSet& Set(const String& near, const TFormSearch& search) {
        String key;
        for (const auto& dir : Dirs(near, search))
            key += FolderKey(dir) + '\n';
        for (const String& file : search.FrameFiles)
            key += "file:" + file + '\n';
        key += std::to_string(search.CodePage.Number());
        auto& slot = Sets[key];
        if (!slot) {
            slot = std::make_unique<TCandidateSet>();
            ResolveSet(*slot, near, search);
        }
        return *slot;
    }

    // Every inherited file of the set gets its ancestor within the set: by the
    // class its units declare, else by its objects. The objects of a file count
    // its ancestors' as well, and a file is a frame where its class is used as
    // one or its descendants are frames, which the choices of other files depend
    // on; so the choices are made again until none changes. Files whose chains
    // are known to the end are candidates first; then the others too, for a
    // descendant that inherits one of their own objects.
    void ResolveSet(TCandidateSet& set, const String& near, const TFormSearch& search) {
        for (const TEntry& entry : Candidates(near, search))
            if (const TFacts* facts = Facts(entry.Path, entry.Path, search))
                set.Entries.push_back(facts);
        const std::size_t n = set.Entries.size();
        set.Ancestor.assign(n, -1);
        set.All.resize(n);
        set.Kinds.resize(n);
        set.Settled.assign(n, 0);
        std::vector<char> declared(n, 0);
        std::multimap<String, int> byClass;
        // What the other files' inline frames of a class say it inherits.
        std::map<String, TNames> usage;
        for (const TFacts* facts : set.Entries)
            for (const auto& [cls, names] : facts->Inlines)
                usage[cls].insert(names.begin(), names.end());
        std::vector<TNames> evidence(n);
        for (std::size_t i = 0; i < n; ++i) {
            const TFacts& facts = *set.Entries[i];
            set.All[i] = facts.Own;
            byClass.emplace(facts.Class, static_cast<int>(i));
            set.Settled[i] = !facts.Inherited;
            evidence[i] = facts.InheritedObjs;
            set.Kinds[i] = facts.Kind;
            if (auto it = usage.find(facts.Class); it != usage.end()) {
                evidence[i].insert(it->second.begin(), it->second.end());
                if (set.Kinds[i] == TRootKind::Unknown)
                    set.Kinds[i] = TRootKind::Frame;
            }
        }
        // Declared ancestors first: they need no objects to go by.
        for (std::size_t i = 0; i < n; ++i) {
            const TFacts& facts = *set.Entries[i];
            if (!facts.Inherited)
                continue;
            String cls = facts.Class;
            std::set<String> seen{cls};
            for (int step = 0; step < kMaxChain; ++step) {
                std::optional<String> parent = DeclaredParent(cls, facts.Path, facts.Name, search);
                if (!parent || parent->empty())
                    break;
                declared[i] = 1;
                cls = AnsiUpperCase(*parent);
                if (!seen.insert(cls).second)
                    break;
                std::vector<int> copies;
                for (auto [it, end] = byClass.equal_range(cls); it != end; ++it)
                    copies.push_back(it->second);
                if (!copies.empty()) {
                    set.Ancestor[i] = ChooseCopy(copies, set, evidence[i]);
                    break;
                }
            }
        }
        for (int phase = 0; phase < 2; ++phase) {
            for (int round = 0; round <= static_cast<int>(n) && round < 64; ++round) {
                bool changed = false;
                std::vector<char> candidate = set.Settled;
                if (phase == 1)
                    candidate.assign(n, 1);
                for (std::size_t i = 0; i < n; ++i)
                    if (set.Entries[i]->Inherited && !declared[i]) {
                        const int choice =
                            Infer(set, candidate, i, set.Entries[i]->Class, evidence[i],
                                  set.Entries[i]->New, set.Kinds[i], phase == 1);
                        if (choice != set.Ancestor[i]) {
                            set.Ancestor[i] = choice;
                            changed = true;
                        }
                    }
                changed = Propagate(set) || changed;
                if (!changed)
                    break;
            }
        }
    }

    // Each file's objects with its chain's, whether its chain is known to the
    // end, and the kind of a file of unknown kind from its descendants. Returns
    // whether anything changed.
    static bool Propagate(TCandidateSet& set) {
        bool changed = false;
        const std::size_t n = set.Entries.size();
        for (std::size_t i = 0; i < n; ++i) {
            TNames all = set.Entries[i]->Own;
            int at = set.Ancestor[i];
            bool complete = !set.Entries[i]->Inherited || at >= 0;
            for (int step = 0; at >= 0 && step < kMaxChain; ++step) {
                const auto a = static_cast<std::size_t>(at);
                all.insert(set.Entries[a]->Own.begin(), set.Entries[a]->Own.end());
                if (set.Entries[a]->Inherited && set.Ancestor[a] < 0)
                    complete = false;
                if (set.Kinds[a] == TRootKind::Unknown && set.Kinds[i] != TRootKind::Unknown) {
                    set.Kinds[a] = set.Kinds[i];
                    changed = true;
                }
                at = set.Ancestor[a];
            }
            if (all.size() != set.All[i].size() || complete != static_cast<bool>(set.Settled[i]))
                changed = true;
            set.All[i] = std::move(all);
            set.Settled[i] = complete;
        }
        return changed;
    }

    // Whether `ancestor` is `of` or one of the files up its chain.
    static bool InChain(const TCandidateSet& set, int of, std::size_t ancestor) {
        for (int step = 0; of >= 0 && step <= kMaxChain; ++step) {
            if (static_cast<std::size_t>(of) == ancestor)
                return true;
            of = set.Ancestor[static_cast<std::size_t>(of)];
        }
        return false;
    }

    // The settled file (not `self` nor one derived from it) whose objects fit and
    // add the fewest unnamed ones; -1 when there is none, or two classes tie.
    // `self` is the file's place in the set, or SIZE_MAX. A candidate whose
    // chain is not known to the end counts only where the file inherits one of
    // its new objects: a sibling shares none.
    static int Infer(const TCandidateSet& set, const std::vector<char>& candidate, std::size_t self,
                     const String& selfClass, const TNames& inherited,
                     const std::set<String>& fresh, TRootKind kind, bool orphans = false) {
        std::vector<int> best;
        std::size_t fewest = SIZE_MAX;
        for (std::size_t j = 0; j < set.Entries.size(); ++j) {
            const TFacts& c = *set.Entries[j];
            if (j == self || !candidate[j] || c.Class == selfClass ||
                (self != SIZE_MAX && InChain(set, static_cast<int>(j), self)))
                continue;
            if (kind != TRootKind::Unknown && set.Kinds[j] != TRootKind::Unknown &&
                set.Kinds[j] != kind)
                continue;
            if (!Fits(set.All[j], inherited, fresh))
                continue;
            if (orphans && c.Inherited && !set.Settled[j] &&
                std::none_of(inherited.begin(), inherited.end(),
                             [&](const auto& entry) { return c.New.count(entry.first) > 0; }))
                continue;
            const std::size_t size = set.All[j].size();
            if (size < fewest) {
                fewest = size;
                best.clear();
            }
            if (size == fewest)
                best.push_back(static_cast<int>(j));
        }
        if (best.empty())
            return -1;
        // A tie with a file derived from another tied one goes to the base; copies
        // of one class to the first in the search.
        std::vector<int> bases;
        for (int b : best)
            if (std::none_of(best.begin(), best.end(), [&](int other) {
                    return other != b && InChain(set, set.Ancestor[static_cast<std::size_t>(b)],
                                                 static_cast<std::size_t>(other));
                }))
                bases.push_back(b);
        for (int b : bases)
            if (set.Entries[static_cast<std::size_t>(b)]->Class !=
                set.Entries[static_cast<std::size_t>(bases.front())]->Class)
                return -1;
        return bases.empty() ? -1 : bases.front();
    }
};

// ---- TFormLibrary -------------------------------------------------------------------

TFormLibrary::TFormLibrary(TCodePage rootLines) : F(std::make_unique<TState>()) {
    F->CodePage = rootLines;
}

TFormLibrary::~TFormLibrary() = default;

TFormLibrary::TCounts TFormLibrary::Counts() const { return F->Counts; }

std::shared_ptr<const TFormObject> TFormLibrary::Document(const String& path, TCodePage codePage) {
    return F->Document(path, codePage);
}

std::optional<TFoundForm> TFormLibrary::FindClass(std::string_view className, const String& near,
                                                  const TFormSearch& search,
                                                  const TFormObject* evidence) {
    const String upper = AnsiUpperCase(className);
    std::vector<TEntry> matches = F->OfClass(upper, near, search);
    if (matches.empty())
        return std::nullopt;
    std::size_t choice = 0;
    if (matches.size() > 1 && evidence) {
        TFacts wanted;
        F->Collect(*evidence, wanted, near, search, 0);
        TCandidateSet& set = F->Set(near, search);
        for (std::size_t m = 0; m < matches.size(); ++m) {
            auto at = std::find_if(set.Entries.begin(), set.Entries.end(),
                                   [&](const TFacts* f) { return f->Path == matches[m].Path; });
            if (at != set.Entries.end() &&
                TState::Fits(set.All[static_cast<std::size_t>(at - set.Entries.begin())],
                             wanted.InheritedObjs, {})) {
                choice = m;
                break;
            }
        }
    }
    return TFoundForm{F->Document(matches[choice].Path, search.CodePage), matches[choice].Path};
}

std::optional<TFoundForm> TFormLibrary::FindAncestor(const TFormObject& document,
                                                     const String& path, const TFormSearch& search,
                                                     const TFormObject* usage) {
    const String self = AnsiUpperCase(document.ClassName);
    // Declared: the sources name the class, and its form file is found by name.
    String cls = self;
    std::set<String> seen{cls};
    for (int step = 0; step < kMaxChain; ++step) {
        std::optional<String> parent = F->DeclaredParent(cls, path, document.Name, search);
        if (!parent)
            break;
        if (parent->empty())
            return std::nullopt; // declared without an ancestor of its own
        cls = AnsiUpperCase(*parent);
        if (!seen.insert(cls).second)
            return std::nullopt;
        if (auto found = FindClass(cls, path, search, &document))
            return found;
    }
    if (cls != self)
        return std::nullopt; // declared, but no form file of that class
    // Told by the objects, together with every other file of the search.
    TCandidateSet& set = F->Set(path, search);
    auto found = [&](int choice) -> std::optional<TFoundForm> {
        if (choice < 0 || static_cast<std::size_t>(choice) >= set.Entries.size())
            return std::nullopt;
        const String& file = set.Entries[static_cast<std::size_t>(choice)]->Path;
        return TFoundForm{F->Document(file, search.CodePage), file};
    };
    auto at = std::find_if(set.Entries.begin(), set.Entries.end(),
                           [&](const TFacts* f) { return !path.empty() && f->Path == path; });
    if (at != set.Entries.end() && !usage)
        return found(set.Ancestor[static_cast<std::size_t>(at - set.Entries.begin())]);
    // A document the set does not hold (text without a file), or one that an
    // inline block of its class says more of.
    std::unique_ptr<TFacts> own;
    const TFacts* facts = at != set.Entries.end() ? *at : nullptr;
    const std::size_t index = facts ? static_cast<std::size_t>(at - set.Entries.begin()) : SIZE_MAX;
    if (!facts) {
        own = F->MakeFacts(document, path, path, search);
        facts = own.get();
    }
    TNames inherited = facts->InheritedObjs;
    if (usage) {
        TFacts block;
        F->Collect(*usage, block, path, search, 0);
        inherited.insert(block.InheritedObjs.begin(), block.InheritedObjs.end());
    }
    for (const TFacts* other : set.Entries)
        for (const auto& [inlineClass, names] : other->Inlines)
            if (inlineClass == self)
                inherited.insert(names.begin(), names.end());
    TRootKind kind = index != SIZE_MAX ? set.Kinds[index] : facts->Kind;
    if (usage && kind == TRootKind::Unknown)
        kind = TRootKind::Frame;
    std::vector<char> candidate = set.Settled;
    if (index != SIZE_MAX)
        candidate[index] = 0;
    int choice = TState::Infer(set, candidate, index, self, inherited, facts->New, kind);
    if (choice < 0) {
        candidate.assign(candidate.size(), 1);
        if (index != SIZE_MAX)
            candidate[index] = 0;
        choice = TState::Infer(set, candidate, index, self, inherited, facts->New, kind, true);
    }
    return found(choice);
}

} // namespace Vcl
