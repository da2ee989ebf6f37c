// The classes a form file can name without the program registering them.
#include "quorvel/vcl/ActnList.h"
#include "quorvel/vcl/AppEvnts.h"
#include "quorvel/vcl/Buttons.h"
#include "quorvel/vcl/CheckLst.h"
#include "quorvel/vcl/ClassRegistry.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/Dialogs.h"
#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/ExtDlgs.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Grids.h"
#include "quorvel/vcl/ImgList.h"
#include "quorvel/vcl/Mask.h"
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
    // Controls of the common-control, button, grid and mask units.
    RegisterClasses({
        &TListView::StaticClass(),       &TTreeView::StaticClass(),
        &TStatusBar::StaticClass(),      &TToolBar::StaticClass(),
        &TCoolBar::StaticClass(),        &TToolButton::StaticClass(),
        &TTrackBar::StaticClass(),       &TUpDown::StaticClass(),
        &TProgressBar::StaticClass(),    &TRichEdit::StaticClass(),
        &TDateTimePicker::StaticClass(), &TMonthCalendar::StaticClass(),
        &THotKey::StaticClass(),         &TTabControl::StaticClass(),
        &THeaderControl::StaticClass(),  &TAnimate::StaticClass(),
        &TSpeedButton::StaticClass(),    &TBitBtn::StaticClass(),
        &TSplitter::StaticClass(),       &TRadioGroup::StaticClass(),
        &TPaintBox::StaticClass(),       &TColorBox::StaticClass(),
        &TButtonedEdit::StaticClass(),   &TLinkLabel::StaticClass(),
        &TStringGrid::StaticClass(),     &TDrawGrid::StaticClass(),
        &TMaskEdit::StaticClass(),       &TCheckListBox::StaticClass(),
    });
    // Non-visual components: never controls, whatever they store.
    RegisterClasses({
        &TImageList::StaticClass(),
        &TImageCollection::StaticClass(),
        &TVirtualImageList::StaticClass(),
        &TActionList::StaticClass(),
        &TAction::StaticClass(),
        &TApplicationEvents::StaticClass(),
        &TTrayIcon::StaticClass(),
        &TFontDialog::StaticClass(),
        &TColorDialog::StaticClass(),
        &TPrintDialog::StaticClass(),
        &TPrinterSetupDialog::StaticClass(),
        &TPageSetupDialog::StaticClass(),
        &TFindDialog::StaticClass(),
        &TReplaceDialog::StaticClass(),
        &TOpenPictureDialog::StaticClass(),
        &TSavePictureDialog::StaticClass(),
    });
}

} // namespace Vcl
