#include "CommandLineDocs.h"

#include "Actions.h"
#include "CommandLineDefinition.h"
#include "quorvel/Version.h"

#include <sstream>
#include <string>
#include <vector>

namespace QuorvelTool {

namespace {

struct TOptionDoc {
    std::vector<std::string> Names; // -o, --output
    std::string Value;              // empty for a flag
    std::string Description;
    std::string Default;
};

struct TCommandDoc {
    std::string Name;
    std::string Description;
    std::string Positional; // FILE, ARGS ...
    std::string PositionalValue;
    std::vector<TOptionDoc> Options;
};

std::vector<TCommandDoc> Commands(TCommandLine& cl) {
    std::vector<TCommandDoc> commands;
    for (CLI::App* sub : cl.App.get_subcommands({})) {
        TCommandDoc command;
        command.Name = sub->get_name();
        command.Description = sub->get_description();
        for (const CLI::Option* opt : sub->get_options()) {
            if (opt->get_positional()) {
                // A positional of many kinds of word says what they are.
                command.Positional =
                    opt->get_name() == "ARGS" ? opt->get_description() : opt->get_name();
                if (!opt->get_required())
                    command.Positional = "[" + command.Positional + "]";
                command.PositionalValue = opt->get_type_name();
                continue;
            }
            TOptionDoc doc;
            for (const std::string& s : opt->get_snames())
                doc.Names.push_back("-" + s);
            for (const std::string& l : opt->get_lnames())
                doc.Names.push_back("--" + l);
            if (opt->get_type_size_max() > 0)
                doc.Value = opt->get_type_name();
            doc.Description = opt->get_description();
            doc.Default = opt->get_default_str();
            command.Options.push_back(std::move(doc));
        }
        commands.push_back(std::move(command));
    }
    return commands;
}

// Text of man(7): backslashes doubled, hyphens as minus signs, no line that
// starts like a request.
std::string Roff(const std::string& text) {
    std::string out;
    for (char ch : text) {
        if (ch == '\\')
            out += "\\e";
        else if (ch == '-')
            out += "\\-";
        else
            out += ch;
    }
    if (!out.empty() && (out[0] == '.' || out[0] == '\''))
        out.insert(0, "\\&");
    return out;
}

// A footer's lines as they stand, in a no-fill block.
void Verbatim(std::ostream& out, const std::string& text) {
    out << ".nf\n";
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        out << Roff(line) << "\n";
    out << ".fi\n";
}

std::string Join(const std::vector<std::string>& words, const char* separator) {
    std::string out;
    for (const std::string& w : words)
        out.append(out.empty() ? "" : separator).append(w);
    return out;
}

// Words of the options of a command, and those that take a file or a folder.
struct TCompletionWords {
    std::vector<std::string> All, Files, Dirs;
};

TCompletionWords WordsOf(const TCommandDoc& command) {
    TCompletionWords words;
    for (const TOptionDoc& o : command.Options)
        for (const std::string& name : o.Names) {
            words.All.push_back(name);
            if (o.Value == FileValue)
                words.Files.push_back(name);
            else if (o.Value == DirValue)
                words.Dirs.push_back(name);
        }
    words.All.push_back("--help");
    return words;
}

} // namespace

void WriteManPage(std::ostream& out) {
    TCommandLine cl;
    const std::vector<TCommandDoc> commands = Commands(cl);
    out << ".\\\" Written from the command line's definition; do not edit.\n";
    out << ".TH QUORVEL 1 \"\" \"quorvel " QUORVEL_VERSION_STRING "\" \"User Commands\"\n";
    out << ".SH NAME\nquorvel \\- " << Roff(cl.App.get_description()) << "\n";
    out << ".SH SYNOPSIS\n";
    for (const TCommandDoc& c : commands) {
        out << ".B quorvel " << c.Name << "\n";
        if (!c.Positional.empty())
            out << ".I " << Roff(c.Positional) << "\n";
        out << "[\\fIOPTIONS\\fR]\n.br\n";
    }
    out << ".SH DESCRIPTION\n";
    Verbatim(out, ToolFooter);
    out << ".SH COMMANDS\n";
    for (const TCommandDoc& c : commands) {
        out << ".SS \"quorvel " << c.Name;
        if (!c.Positional.empty())
            out << " " << Roff(c.Positional);
        out << "\"\n" << Roff(c.Description) << ".\n";
        for (const TOptionDoc& o : c.Options) {
            out << ".TP\n\\fB" << Roff(Join(o.Names, ", ")) << "\\fR";
            if (!o.Value.empty())
                out << " \\fI" << Roff(o.Value) << "\\fR";
            out << "\n" << Roff(o.Description);
            if (!o.Default.empty())
                out << " (default: " << Roff(o.Default) << ")";
            out << "\n";
        }
        if (c.Name == "run") {
            out << ".PP\n";
            Verbatim(out, RunFooter);
        }
    }
    out << ".SH ENVIRONMENT\n"
           ".TP\n.B QUORVEL_EXAMPLE\nthe form run takes without a form file\n"
           ".TP\n.B QUORVEL_PACKAGE\nthe component package palette loads by default\n"
           ".TP\n.B LANG, LC_ALL, LC_MESSAGES\nthe default of \\-\\-locale\n";
    out << ".SH EXIT STATUS\n0 success; 1 an action failed, a setter refused a value or lint "
           "found something; 2 a usage error or a file that cannot be read or written, told "
           "before anything runs.\n";
}

void WriteBashCompletion(std::ostream& out) {
    TCommandLine cl;
    const std::vector<TCommandDoc> commands = Commands(cl);
    std::vector<std::string> names;
    for (const TCommandDoc& c : commands)
        names.push_back(c.Name);
    out << "# bash completion for quorvel; written from its command line's definition.\n"
           "_quorvel() {\n"
           "  local cur prev command i\n"
           "  cur=${COMP_WORDS[COMP_CWORD]}\n"
           "  prev=${COMP_WORDS[COMP_CWORD-1]}\n"
           "  command=\n"
           "  for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "    case ${COMP_WORDS[i]} in -*) ;; *) command=${COMP_WORDS[i]}; break ;; esac\n"
           "  done\n"
           "  if [[ -z $command ]]; then\n"
           "    COMPREPLY=($(compgen -W '"
        << Join(names, " ")
        << " --help --version' -- \"$cur\"))\n"
           "    return\n"
           "  fi\n"
           "  case $command in\n";
    for (const TCommandDoc& c : commands) {
        const TCompletionWords words = WordsOf(c);
        out << "  " << c.Name << ")\n    case $prev in\n";
        if (!words.Files.empty())
            out << "    " << Join(words.Files, "|")
                << ") COMPREPLY=($(compgen -f -- \"$cur\")); return ;;\n";
        if (!words.Dirs.empty())
            out << "    " << Join(words.Dirs, "|")
                << ") COMPREPLY=($(compgen -d -- \"$cur\")); return ;;\n";
        out << "    esac\n"
               "    if [[ $cur == -* ]]; then\n"
               "      COMPREPLY=($(compgen -W '"
            << Join(words.All, " ")
            << "' -- \"$cur\"))\n"
               "    else\n"
               "      COMPREPLY=($(compgen -f -- \"$cur\"";
        if (c.Name == "run")
            out << "; compgen -W '" << Join(ActionWords(), " ") << "' -- \"$cur\"";
        out << "))\n    fi\n    ;;\n";
    }
    out << "  esac\n}\ncomplete -o filenames -F _quorvel quorvel\n";
}

void WriteZshCompletion(std::ostream& out) {
    TCommandLine cl;
    const std::vector<TCommandDoc> commands = Commands(cl);
    auto quote = [](const std::string& text) {
        std::string quoted;
        for (char ch : text) {
            if (ch == '\'')
                quoted += "'\\''";
            else if (ch == '[' || ch == ']' || ch == ':')
                quoted += std::string("\\") + ch;
            else
                quoted += ch;
        }
        return quoted;
    };
    out << "#compdef quorvel\n# zsh completion for quorvel; written from its command line's "
           "definition.\n"
           "_quorvel() {\n"
           "  local -a commands\n"
           "  commands=(\n";
    for (const TCommandDoc& c : commands)
        out << "    '" << c.Name << ":" << quote(c.Description) << "'\n";
    out << "  )\n"
           "  if (( CURRENT == 2 )); then\n"
           "    _describe command commands\n"
           "    return\n"
           "  fi\n"
           "  local command=${words[2]}\n"
           "  shift words\n"
           "  (( CURRENT-- ))\n"
           "  case $command in\n";
    for (const TCommandDoc& c : commands) {
        out << "  " << c.Name << ")\n    _arguments -s";
        for (const TOptionDoc& o : c.Options)
            for (const std::string& name : o.Names) {
                out << " \\\n      '" << name << "[" << quote(o.Description) << "]";
                if (o.Value == FileValue)
                    out << ":file:_files";
                else if (o.Value == DirValue)
                    out << ":folder:_files -/";
                else if (!o.Value.empty())
                    out << ":" << quote(o.Value) << ": ";
                out << "'";
            }
        if (c.Name == "run")
            out << " \\\n      '*:file or action:{_files; compadd " << Join(ActionWords(), " ")
                << "}'";
        else if (!c.Positional.empty())
            out << " \\\n      '*:file:_files'";
        out << "\n    ;;\n";
    }
    out << "  esac\n}\n_quorvel \"$@\"\n";
}

} // namespace QuorvelTool
