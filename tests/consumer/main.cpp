// A form made in code with proportional layout, run on the simulated desktop.
#include <quorvel/component/Quorvel.h>
#include <quorvel/vcl/StdCtrls.h>
#include <quorvel/win/sim/SimDesktop.h>

#include <cstdio>

int main() {
    Sim::TDesktop desktop; // a 1920 x 1080 screen at 96 DPI

    Vcl::TForm form(nullptr);
    form.SetName("MainForm");
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    auto* ok = new Vcl::TButton(&form);
    ok->SetName("OkButton");
    ok->SetParent(&form);
    ok->SetBounds(300, 250, 80, 30);

    // Designed at this client size on a 96-DPI screen; fonts stay as they are.
    Quorvel::TQuorvel::Attach(form, {400, 300, 96, 96},
                              [](Quorvel::TQuorvel& q) { q.SetResizeFont(false); });
    form.Show();

    form.SetClientWidth(800); // twice as wide: the button follows
    form.SetClientHeight(600);

    std::printf("OkButton at %d,%d size %dx%d\n", ok->Left(), ok->Top(), ok->Width(), ok->Height());
    return ok->Left() == 600 && ok->Top() == 500 && ok->Width() == 160 && ok->Height() == 60 ? 0
                                                                                             : 1;
}
