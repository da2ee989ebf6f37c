// Form files bound to live components: reading creates the components of a form
// file and sets their properties through their setters; writing turns a
// component and everything it owns back into a document.
//
// Reading, as the framework does it: every component is created with its owner
// (the root, or the inline frame it sits in), given its name and visual parent,
// and marked csLoading and csReading; its properties are set in file order; the
// owner's published field of each named component is assigned; once the whole
// file is read, csReading goes off and Loaded runs on every component, the root
// first, then in reading order.
#pragma once

#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/FormFile.h"

#include <functional>
#include <memory>
#include <vector>

namespace Vcl {

class TFormLibrary;

struct TFormLoadOptions {
    String FileName;                // for messages, and to find frame and ancestor files beside it
    std::vector<String> FrameFiles; // other form files to look for frame classes in
    // Folders whose form files are looked in for frame classes and ancestors too.
    std::vector<String> SearchDirs;
    TCodePage CodePage = TCodePage::Windows1252;
    // Lenient: unknown properties are kept as raw values and written back as they
    // were; an unknown class becomes a generic control when one of its objects
    // stores properties only controls have, with a control's kind of value
    // (alignment, anchors, tab order, parent flags, constraints and margins as
    // integers ...), a size with a caption, font, colour or the like, or holds a
    // control; else a generic component. An object whose Left and Top follow its
    // other properties (a component's design position) says nothing for a
    // control. Strict: both are errors.
    bool Lenient = false;
    // Unknown classes the user has decided on (names ignore letter case); they
    // win over the guess.
    std::vector<String> VisualClasses;
    std::vector<String> NonVisualClasses;
    // Unknown classes read as a registered one (TJvCheckBox as TCheckBox): pairs of
    // the unknown name and the registered one, names ignoring letter case. The
    // components are of the registered class.
    std::vector<std::pair<String, String>> ClassMap;
    // Components are created in design mode (csDesigning).
    bool Designing = false;
    // Told what lenient reading went on without (an ancestor form file that was
    // not found); the error carries the file and position it concerns.
    std::function<void(const EReadError&)> OnWarning;
    // The form files, units and project files of a run, shared by its loads
    // (FormLibrary.h): each folder is indexed once and each file read once (in
    // each code page asked for). Without one, each load makes its own.
    std::shared_ptr<TFormLibrary> Library;
};

// Where the form an inherited root or an inline frame derives from was read: the
// document that, loaded on its own, makes the ancestor. Kept by the loaded
// component so that writing it writes only what differs.
struct TFormAncestry {
    std::shared_ptr<const TFormObject> Document;
    String FileName;
    TFormLoadOptions Options;
};

// Visual form inheritance: a root declared `inherited` is read over its ancestor's
// form file, and an inline frame over its frame's; FormLibrary.h says where each
// is looked for. Ancestors are read first, up the whole chain; their components
// count as inherited, the descendant's `inherited` objects override their
// properties and new objects come after them. An `inherited` object whose
// ancestor has none of its name is an error ("Ancestor for 'X' not found"), as is
// an inherited root without an ancestor; lenient reading goes on and tells
// OnWarning. Errors and warnings name the file and line of their cause and each
// file on the way to the form given (EReadError::IncludedBy).

// Reads a whole form file. The root class is created from the class registry; an
// unregistered root class becomes a plain form (or frame) that keeps the class
// name and publishes a field for every named component. Raises EReadError with
// file, line and column; nothing is left behind when it does.
std::unique_ptr<TComponent> LoadFormFile(const String& path, const TFormLoadOptions& options = {});
std::unique_ptr<TComponent> LoadFormText(std::string_view bytes,
                                         const TFormLoadOptions& options = {});
std::unique_ptr<TComponent> LoadForm(const TFormObject& document,
                                     const TFormLoadOptions& options = {});

// Reads a document into an existing root of a matching class.
void ReadRootComponent(TComponent& root, const TFormObject& document,
                       const TFormLoadOptions& options = {});

// The document of a component with everything it owns. Properties in declaration
// order, values equal to their declared default left out, defined properties
// after the published ones. Of a component read over an ancestor (an inherited
// root, an inline frame), only what differs from a fresh ancestor is written, as
// the designer does: changed properties, inherited objects that changed, and the
// new objects.
TFormObject WriteComponent(TComponent& root);
String SaveFormText(TComponent& root, TCodePage codePage = TCodePage::Windows1252);

// Classes made for unregistered names: their instances report that class name.
const TClassInfo& GenericClass(std::string_view className, const TClassInfo& base);
bool IsGenericClass(const TClassInfo& info);

// Reads a file's bytes; raises EReadError when it cannot be read.
String ReadFileBytes(const String& path);

} // namespace Vcl
