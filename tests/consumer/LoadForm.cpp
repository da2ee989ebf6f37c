// A form file with a TQuorvel on it, loaded by a program and run on the
// simulated desktop. Linking the component is all it takes for the reader to
// know the class.
#include <quorvel/vcl/FormStreaming.h>
#include <quorvel/vcl/Forms.h>
#include <quorvel/win/sim/SimDesktop.h>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    Sim::TDesktop desktop; // a 1920 x 1080 screen at 96 DPI
    try {
        // The file's own folder is where frames and ancestors are looked for.
        std::unique_ptr<Vcl::TComponent> root =
            Vcl::LoadFormFile(argc > 1 ? argv[1] : "MainForm.dfm");
        auto& form = dynamic_cast<Vcl::TCustomForm&>(*root);
        form.Show(); // placed in the middle of the screen

        form.SetClientWidth(800); // twice as wide and high: the button follows
        form.SetClientHeight(600);

        auto& ok = dynamic_cast<Vcl::TControl&>(*form.FindComponent("OkButton"));
        std::printf("OkButton at %d,%d size %dx%d\n", ok.Left(), ok.Top(), ok.Width(), ok.Height());
        return ok.Left() == 600 && ok.Top() == 500 && ok.Width() == 160 && ok.Height() == 60 ? 0
                                                                                             : 1;
    } catch (const std::exception& e) {
        // A file that cannot be read, or one the reader refuses.
        std::fprintf(stderr, "%s\n", e.what());
        return 2;
    }
}
