#include "FormFiles.h"

#include "Progress.h"

#include "DesktopOptions.h"
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
    const auto& by = error.IncludedBy();
    if (!by.FileName.empty())
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
    options.OnWarning = [file, &err](const Vcl::EReadError& warning) {
        err << FormatReadError(file, warning, "warning") << "\n";
    };
    return options;
}

int CheckFiles(const std::vector<std::string>& files, const TReadOptions& read, std::ostream& out,
               std::ostream& err, bool progress) {
    // Loading starts the components of a form, and they ask the window system.
    TDesktopScope desktop(TDesktopOptions{});
    int status = 0;
    TProgress steps(err, ChooseProgress(progress, files.size()), "check", files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        steps.Step(i + 1, file);
        try {
            Vcl::LoadFormFile(file, LoadOptions(file, read, err));
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
