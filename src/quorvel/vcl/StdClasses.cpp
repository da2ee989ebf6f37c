// The classes a form file can name without the program registering them.
#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/Dialogs.h"
#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Menus.h"
#include "quorvel/vcl/StdCtrls.h"

namespace Vcl {

void RegisterStandardClasses() {
    RegisterClasses({
        &TForm::StaticClass(),      &TFrame::StaticClass(),       &TLabel::StaticClass(),
        &TButton::StaticClass(),    &TEdit::StaticClass(),        &TMemo::StaticClass(),
        &TCheckBox::StaticClass(),  &TRadioButton::StaticClass(), &TComboBox::StaticClass(),
        &TListBox::StaticClass(),   &TGroupBox::StaticClass(),    &TPanel::StaticClass(),
        &TImage::StaticClass(),     &TShape::StaticClass(),       &TBevel::StaticClass(),
        &TTimer::StaticClass(),     &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
        &TScrollBox::StaticClass(), &TMainMenu::StaticClass(),    &TPopupMenu::StaticClass(),
        &TMenuItem::StaticClass(),  &TOpenDialog::StaticClass(),  &TSaveDialog::StaticClass(),
    });
}

} // namespace Vcl
