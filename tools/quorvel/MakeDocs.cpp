// Writes quorvel's manual page and shell completions at build time:
// quorvel_docs MAN_PAGE BASH_COMPLETION ZSH_COMPLETION.
#include "CommandLineDocs.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: quorvel_docs MAN_PAGE BASH_COMPLETION ZSH_COMPLETION\n");
        return 2;
    }
    void (*const writers[])(std::ostream&) = {QuorvelTool::WriteManPage,
                                              QuorvelTool::WriteBashCompletion,
                                              QuorvelTool::WriteZshCompletion};
    for (int i = 0; i < 3; ++i) {
        std::ofstream file(argv[i + 1], std::ios::binary | std::ios::trunc);
        writers[i](file);
        file.flush();
        if (!file) {
            std::fprintf(stderr, "quorvel_docs: cannot write %s\n", argv[i + 1]);
            return 2;
        }
    }
    return 0;
}
