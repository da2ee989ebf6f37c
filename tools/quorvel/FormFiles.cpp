#include "FormFiles.h"

#include "Progress.h"

#include "DesktopOptions.h"
#include "quorvel/component/Quorvel.h"
#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/FormFile.h"
#include "quorvel/vcl/FormStreaming.h"
#include "quorvel/vcl/Graphics.h"

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

unsigned CharsetCodePage(int charset) {
    switch (charset) {
    case 128: return 932;  // SHIFTJIS
    case 129: return 949;  // HANGEUL
    case 134: return 936;  // GB2312
    case 136: return 950;  // CHINESEBIG5
    case 161: return 1253; // GREEK
    case 162: return 1254; // TURKISH
    case 163: return 1258; // VIETNAMESE
    case 177: return 1255; // HEBREW
    case 178: return 1256; // ARABIC
    case 186: return 1257; // BALTIC
    case 204: return 1251; // RUSSIAN
    case 222: return 874;  // THAI
    case 238: return 1250; // EASTEUROPE
    default: return 0;
    }
}

namespace {

int CharsetOf(const Vcl::TFormValue& value) {
    if (value.Kind == Vcl::TFormValue::TKind::Integer)
        return static_cast<int>(value.Int);
    if (value.Kind == Vcl::TFormValue::TKind::Ident)
        if (auto number = Vcl::CharsetIdents.ToInt(value.Str))
            return static_cast<int>(*number);
    return 1;
}

// The first page a Font.Charset of the object or of what it holds names.
unsigned FindCharsetPage(const Vcl::TFormObject& object, int depth) {
    for (const Vcl::TFormProperty& p : object.Properties)
        if (Vcl::SameText(p.Name, "Font.Charset"))
            if (const unsigned page = CharsetCodePage(CharsetOf(p.Value)))
                return page;
    for (const Vcl::TFormObject& child : object.Children)
        if (depth < Vcl::kFormTextMaxDepth)
            if (const unsigned page = FindCharsetPage(child, depth + 1))
                return page;
    return 0;
}

} // namespace

unsigned ResolveCodePage(const std::string& file, unsigned named) {
    if (named != 0)
        return named;
    try {
        // ASCII names and identifiers read the same in every page.
        const Vcl::TFormObject root = Vcl::ReadFormDocument(Vcl::ReadFileBytes(file));
        const unsigned page = FindCharsetPage(root, 0);
        if (page != 0 && Vcl::CodePageProblem(Vcl::TCodePage(page)).empty())
            return page;
    } catch (const std::exception&) {
        // Reading proper tells what is wrong with the file.
    }
    return 1252;
}

std::vector<std::pair<std::string, std::string>>
ParseClassMap(const std::vector<std::string>& pairs) {
    std::vector<std::pair<std::string, std::string>> map;
    for (const std::string& pair : pairs) {
        const std::size_t eq = pair.find('=');
        if (eq == std::string::npos || eq == 0 || eq + 1 == pair.size())
            throw EUsageError("--class-map " + pair + ": expected CLASS=STANDARD");
        std::string from = pair.substr(0, eq), to = pair.substr(eq + 1);
        const Vcl::TClassInfo* info = Vcl::GetClass(to);
        if (!info || !info->Create)
            throw EUsageError("--class-map " + pair + ": " + to + " is no standard class");
        map.emplace_back(std::move(from), std::move(to));
    }
    return map;
}

Vcl::TFormLoadOptions LoadOptions(const std::string& file, const TReadOptions& read,
                                  std::ostream& err) {
    Vcl::TFormLoadOptions options;
    options.FileName = file;
    options.Lenient = read.Lenient || !read.ClassMap.empty();
    options.ClassMap = ParseClassMap(read.ClassMap);
    options.SearchDirs.assign(read.SearchDirs.begin(), read.SearchDirs.end());
    options.CodePage = Vcl::TCodePage(ResolveCodePage(file, read.CodePage));
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
    int status = 0;
    TProgress steps(err, ChooseProgress(progress, files.size()), "check", files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::string& file = files[i];
        steps.Step(i + 1, file);
        try {
            const auto root = Vcl::LoadFormFile(file, LoadOptions(file, read, err));
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
        options.CodePage = Vcl::TCodePage(ResolveCodePage(file, codePage));
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
