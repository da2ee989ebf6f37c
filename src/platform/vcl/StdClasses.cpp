// The classes a form file can name without the program registering them.
#include "platform/vcl/ClassRegistry.h"
#include "platform/vcl/ComCtrls.h"
#include "platform/vcl/Dialogs.h"
#include "platform/vcl/ExtCtrls.h"
#include "platform/vcl/Forms.h"
#include "platform/vcl/Menus.h"
#include "platform/vcl/StdCtrls.h"

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
