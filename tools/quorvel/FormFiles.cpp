#include "FormFiles.h"

#include "Progress.h"

#include "DesktopOptions.h"
#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/FormStreaming.h"

namespace QuorvelTool {

std::string FormatError(const std::string& file, const std::string& message) {
    return file + ": error: " + message;
}

std::string FormatReadError(const std::string& file, const Vcl::EReadError& error) {
    const std::string& where = error.FileName().empty() ? file : error.FileName();
    if (error.Line() <= 0)
        return FormatError(where, error.Reason());
    return where + ":" + std::to_string(error.Line()) + ":" + std::to_string(error.Column()) +
           ": error: " + error.Reason();
}

int CheckFiles(const std::vector<std::string>& files, bool lenient, std::ostream& out,
               std::ostream& err, bool progress) {
    // Loading starts the components of a form, and they ask the window system.
    TDesktopScope desktop(TDesktopOptions{});
    int status = 0;
    TProgress steps(err, ChooseProgress(progress, files.size()), "check", files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        steps.Step(i + 1, file);
        try {
            Vcl::TFormLoadOptions options;
            options.FileName = file;
            options.Lenient = lenient;
            Vcl::LoadFormFile(file, options);
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

int PrintFile(const std::string& file, std::ostream& out, std::ostream& err) {
    try {
        Vcl::TFormTextOptions options;
        options.FileName = file;
        out << Vcl::WriteFormText(Vcl::ReadFormDocument(Vcl::ReadFileBytes(file), options));
        return 0;
    } catch (const Vcl::EReadError& e) {
        err << FormatReadError(file, e) << "\n";
    } catch (const std::exception& e) {
        err << FormatError(file, e.what()) << "\n";
    }
    return 2;
}

} // namespace QuorvelTool
