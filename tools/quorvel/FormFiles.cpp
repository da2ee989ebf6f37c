#include "FormFiles.h"

#include "Progress.h"

#include "DesktopOptions.h"
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/FormStreaming.h"

namespace QuorvelTool {

std::string FormatError(const std::string& file, const std::string& message) {
    return file + ": error: " + message;
}

namespace {
std::string Position(const std::string& file, int line, int column) {
    if (line <= 0)
        return file;
    return file + ":" + std::to_string(line) + ":" + std::to_string(column);
}
} // namespace

std::string FormatReadError(const std::string& file, const Vcl::EReadError& error,
                            const char* severity) {
    const std::string& where = error.FileName().empty() ? file : error.FileName();
    std::string text =
        Position(where, error.Line(), error.Column()) + ": " + severity + ": " + error.Reason();
    for (const auto& by : error.IncludedBy())
        text.append("\n")
            .append(Position(by.FileName, by.Line, by.Column))
            .append(": note: included from here");
    return text;
}

Vcl::TFormLoadOptions LoadOptions(const std::string& file, const TReadOptions& read,
                                  std::ostream& err) {
    Vcl::TFormLoadOptions options;
    options.FileName = file;
    options.Lenient = read.Lenient;
    options.SearchDirs.assign(read.SearchDirs.begin(), read.SearchDirs.end());
    options.CodePage = Vcl::TCodePage(read.CodePage);
    options.Library = read.Library;
    options.OnWarning = [file, &err](const Vcl::EReadError& warning) {
        err << FormatReadError(file, warning, "warning") << "\n";
    };
    return options;
}

namespace {
void WarnIdle(const std::string& file, Vcl::TComponent& owner, std::ostream& err, int depth) {
    for (int i = 0; i < owner.ComponentCount() && depth < 64; ++i) {
        Vcl::TComponent& c = *owner.Components(i);
        if (dynamic_cast<const Quorvel::TQuorvel*>(&c) && !c.Name().empty() &&
            !owner.FieldAddress(c.Name())) {
            std::string text = file;
            text.append(": warning: ")
                .append(c.Name())
                .append(" takes no part in the layout: the class ")
                .append(owner.ClassName())
                .append(" declares no field named ")
                .append(c.Name());
            err << text << "\n";
        }
        // Components of an inline frame are the frame's.
        if (c.ComponentState().Contains(Vcl::csInline))
            WarnIdle(file, c, err, depth + 1);
    }
}
} // namespace

void WarnIdleComponents(const std::string& file, Vcl::TComponent& root, std::ostream& err) {
    WarnIdle(file, root, err, 0);
}

int CheckFiles(const std::vector<std::string>& files, const TReadOptions& read, std::ostream& out,
               std::ostream& err, bool progress) {
    // Loading starts the components of a form, and they ask the window system.
    TDesktopScope desktop(TDesktopOptions{});
    TReadOptions shared = read;
    if (!shared.Library)
        shared.Library = std::make_shared<Vcl::TFormLibrary>(Vcl::TCodePage(read.CodePage));
    int status = 0;
    TProgress steps(err, ChooseProgress(progress, files.size()), "check", files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        steps.Step(i + 1, file);
        try {
            const auto root = Vcl::LoadFormFile(file, LoadOptions(file, shared, err));
            WarnIdleComponents(file, *root, err);
            out << file << ": ok\n";
        } catch (const Vcl::EReadError& e) {
            out << FormatReadError(file, e) << "\n";
            status = 2;
        } catch (const std::exception& e) {
            out << FormatError(file, e.what()) << "\n";
            status = 2;
        }
    }
    return status;
}

int PrintFile(const std::string& file, std::ostream& out, std::ostream& err, unsigned codePage) {
    try {
        Vcl::TFormTextOptions options;
        options.FileName = file;
        options.CodePage = Vcl::TCodePage(codePage);
        out << Vcl::WriteFormText(Vcl::ReadFormDocument(Vcl::ReadFileBytes(file), options),
                                  options.CodePage);
        return 0;
    } catch (const Vcl::EReadError& e) {
        err << FormatReadError(file, e) << "\n";
    } catch (const std::exception& e) {
        err << FormatError(file, e.what()) << "\n";
    }
    return 2;
}

} // namespace QuorvelTool
