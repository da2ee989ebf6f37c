#include "Design.h"

#include "FormFiles.h"
#include "PropertyAssign.h"
#include "quorvel/vcl/FormStreaming.h"

#include <cstdio>
#include <fstream>

namespace QuorvelTool {

namespace {

// Written beside the target and renamed over it, so that a failed write never
// leaves half a form file.
bool WriteFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".quorvel-tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file)
            return false;
        file << text;
        file.flush();
        if (!file) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace

int RunDesign(const TDesignOptions& options, std::ostream& out, std::ostream& err) {
    for (const std::string& assignment : options.Assignments)
        if (!LooksLikeAssignment(assignment))
            throw EUsageError("--set " + assignment + ": expected COMPONENT.PROPERTY=VALUE");

    TDesktopScope desktop(options.Desktop);
    std::unique_ptr<Vcl::TComponent> root;
    const unsigned codePage = ResolveCodePage(options.File, options.CodePage);
    try {
        Vcl::TFormLoadOptions load = LoadOptions(
            options.File, TReadOptions{options.Lenient, options.SearchDirs, codePage, {}}, err);
        load.Designing = true;
        root = Vcl::LoadFormFile(options.File, load);
    } catch (const Vcl::EReadError& e) {
        err << FormatReadError(options.File, e) << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << FormatError(options.File, e.what()) << "\n";
        return 2;
    }

    for (const std::string& assignment : options.Assignments) {
        try {
            AssignProperty(*root, assignment);
        } catch (const std::exception& e) {
            err << FormatError(options.File, assignment + ": " + e.what()) << "\n";
            return 1;
        }
    }

    std::string text;
    try {
        text = Vcl::SaveFormText(*root, Vcl::TCodePage(codePage));
    } catch (const std::exception& e) {
        err << FormatError(options.File, std::string("cannot write the form: ") + e.what()) << "\n";
        return 2;
    }
    if (options.Output.empty() || options.Output == "-") {
        out << text;
        return 0;
    }
    if (!WriteFile(options.Output, text)) {
        err << FormatError(options.Output, "cannot write the file") << "\n";
        return 2;
    }
    return 0;
}

} // namespace QuorvelTool
