// The form files a run reads besides the ones it is given (the files of inline
// frames and of the forms others inherit from), with the Pascal units and
// project files that name ancestors. One library serves every load of a run
// (TFormLoadOptions::Library): each folder is indexed once, from the first line
// of each form file only (the root class it declares), and a form file, unit or
// project file is read whole once, when something first needs it, and shared.
//
// Where a class's form file is looked for, in this order: the form files the
// caller names, the folder of the file that needs it, the folder of the form
// being read, the search folders. Where several files declare the class, the
// first whose objects hold the inherited objects the file that needs it names.
//
// The ancestor of an inherited form is the form file of the class its class
// derives from, as the Pascal sources declare it: the unit beside the form file
// (FORM.pas), else the project files (.dpr, .dpk, .dproj) in the form's folder,
// the two above it and the search folders: first the unit they list for the
// form's name, then any unit of theirs that declares the class. A parent class
// without a form file of its own is followed up the same sources. Without any
// declaration the ancestor is told by the objects: the form file that holds
// every inherited object the descendant names (and those the inline frames of
// its class in the other files name) with the same class, none of its new ones,
// is a form where the descendant is a form and a frame where it is a frame, and
// adds the fewest objects the descendant does not name (a base form before its
// other descendants). Two different classes that fit equally well are no answer.
#pragma once

#include "quorvel/vcl/FormFile.h"

#include <memory>
#include <optional>
#include <vector>

namespace Vcl {

// Where one load looks for form files, and how it reads them.
struct TFormSearch {
    String FormFile;                // the form being read, whose folder is looked in
    std::vector<String> FrameFiles; // files named by the caller, looked in first
    std::vector<String> SearchDirs; // folders looked in after the form's
    TCodePage CodePage;             // of the text of the files found
};

struct TFoundForm {
    std::shared_ptr<const TFormObject> Document;
    String Path;
};

// What a root object's stored properties say it is: a form (a client size, a
// resolution, a caption ...), a frame (a tab order), or either.
enum class TRootKind { Unknown, Form, Frame };
TRootKind RootKindOf(const TFormObject& root);

class TFormLibrary {
public:
    // `rootLines` is the page the first lines of form files are indexed in.
    explicit TFormLibrary(TCodePage rootLines = TCodePage::Windows1252);
    ~TFormLibrary();
    TFormLibrary(const TFormLibrary&) = delete;
    TFormLibrary& operator=(const TFormLibrary&) = delete;

    // The form file of a class (an inline frame's, a named ancestor's), looked
    // for from the file `near`; `evidence` (an inherited object or root) tells
    // apart files that declare the same class. Raises the EReadError of the file
    // found when it does not read.
    std::optional<TFoundForm> FindClass(std::string_view className, const String& near,
                                        const TFormSearch& search,
                                        const TFormObject* evidence = nullptr);

    // The ancestor of an inherited root read from `path` (see above); `usage`
    // is an inline block of the class, whose inherited objects count as the
    // descendant's. Raises the EReadError of the ancestor's file.
    std::optional<TFoundForm> FindAncestor(const TFormObject& document, const String& path,
                                           const TFormSearch& search,
                                           const TFormObject* usage = nullptr);

    // A form file's document, read once in each page asked for; its read error
    // again on every request.
    std::shared_ptr<const TFormObject> Document(const String& path, TCodePage codePage);

    // What the library has read so far.
    struct TCounts {
        std::size_t Folders = 0, RootLines = 0, Documents = 0, Units = 0, Projects = 0;
    };
    TCounts Counts() const;

private:
    struct TState;
    std::unique_ptr<TState> F;
};

} // namespace Vcl
