// The standard controls: labels, buttons, edits, memos, check and radio buttons,
// combo and list boxes, group boxes. Windowed ones are the system's controls
// (BUTTON, EDIT, LISTBOX, COMBOBOX), subclassed by the framework.
//
// Each class publishes what the framework's class of the same name publishes, in
// the same order and with the same defaults, so form files read and write as they
// do there. Values that have no behaviour here are kept by name (TPropertyBag).
#pragma once

#include "quorvel/vcl/Controls.h"
#include "quorvel/vcl/Lists.h"

#include <initializer_list>
#include <vector>

namespace Vcl {

// ---- Types shared by the standard classes ----------------------------------------

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
extern const TEnumInfo AlignmentInfo;
enum TTextLayout { tlTop, tlCenter, tlBottom };
extern const TEnumInfo TextLayoutInfo;
extern const TEnumInfo BiDiModeInfo;    // bdLeftToRight, ...
extern const TEnumInfo DragKindInfo;    // dkDrag, dkDock
extern const TEnumInfo DragModeInfo;    // dmManual, dmAutomatic
extern const TEnumInfo BevelCutInfo;    // bvNone, bvLowered, bvRaised, bvSpace
extern const TEnumInfo BevelKindInfo;   // bkNone, bkTile, bkSoft, bkFlat
extern const TEnumInfo BevelEdgesInfo;  // beLeft, beTop, beRight, beBottom
extern const TEnumInfo BorderStyleInfo; // bsNone, bsSingle
extern const TEnumInfo EditCharCaseInfo;
extern const TEnumInfo ScrollStyleInfo;
extern const TEnumInfo CheckBoxStateInfo;
extern const TEnumInfo ComboBoxStyleInfo;
extern const TEnumInfo ListBoxStyleInfo;
extern const TEnumInfo ButtonStyleInfo;
extern const TEnumInfo EllipsisPositionInfo; // epNone, epPathEllipsis, ...

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle {
    lbStandard,
    lbOwnerDrawFixed,
    lbOwnerDrawVariable,
    lbVirtual,
    lbVirtualOwnerDraw
};

// Property builders the standard classes share beside those of Published.h.
namespace StdProps {
TPropInfo Action();
TPropInfo BiDiMode();
TPropInfo ParentBiDiMode();
TPropInfo DragCursor();
TPropInfo DragKind();
TPropInfo DragMode();
TPropInfo Ctl3D();
TPropInfo ParentCtl3D();
TPropInfo DoubleBuffered();
TPropInfo ParentDoubleBuffered();
TPropInfo BevelEdges();
TPropInfo BevelInner(int def);
TPropInfo BevelOuter(int def);
TPropInfo BevelKind();
TPropInfo BevelWidth();
TPropInfo BorderStyle(int def);
TPropInfo ImeMode();
TPropInfo ImeName();
// The gestures and tablet options a control takes (its Touch manager).
TPropInfo Touch();
// Color for classes whose colour is not their parent's by default (edits: clWindow).
TPropInfo Color(TColor def);
TPropInfo ParentColor(bool def);
TPropInfo ParentBackground(bool def);
TPropInfo StyleElements();
TPropInfo StyleName();
// The props followed by one event per name.
std::vector<TPropInfo> WithEvents(std::vector<TPropInfo> props,
                                  std::initializer_list<const char*> events);
} // namespace StdProps

// ---- Classes --------------------------------------------------------------------

// A label is auto-sized by default: its box is the extent of its caption in its
// font. With WordWrap the width stays and the lines decide the height. When the
// box changes, the text stays where Alignment and Layout put it: a
// right-justified label keeps its right edge, a centred one its centre, and
// likewise tlBottom and tlCenter vertically. The side an alignment decides (the
// width of an alTop label, the height of an alLeft one) is the alignment's.
class TCustomLabel : public TGraphicControl {
    QV_CLASS_INFO
public:
    explicit TCustomLabel(TComponent* owner);
    // The control that gets the focus for the label's accelerator key: a name,
    // resolved among the owner's components.
    const String& FocusControlName() const { return FFocusControl; }
    void SetFocusControlName(const String& name) { FFocusControl = name; }
    TWinControl* FocusControl() const;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value) { FAlignment = value; }
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout value) { FLayout = value; }
    // Whether an ampersand marks an accelerator (and is not drawn).
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool value);

protected:
    void AdjustSize(int& left, int& top, int& width, int& height) override;
    void FontChanged() override;
    void TextChanged() override { AdjustBounds(); }

private:
    String FFocusControl;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
    QV_CLASS_INFO
public:
    using TCustomLabel::TCustomLabel;
};

class TButtonControl : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TButtonControl(TComponent* owner);
    TNotifyEvent OnClick;
    // Raises OnClick, as a click of the user does.
    virtual void Click();
};

class TButton : public TButtonControl {
    QV_CLASS_INFO
public:
    explicit TButton(TComponent* owner);
    bool Default() const { return FDefault; }
    void SetDefault(bool value);
    bool Cancel() const;
    int ModalResult() const;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    bool FDefault = false;
};

class TCustomCheckBox : public TButtonControl {
    QV_CLASS_INFO
public:
    explicit TCustomCheckBox(TComponent* owner);
    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    // AllowGrayed only lets the user reach the grayed state; code may set it anyway.
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

class TCheckBox : public TCustomCheckBox {
    QV_CLASS_INFO
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
    QV_CLASS_INFO
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const { return FChecked; }
    // Checking a radio button unchecks the others of the same parent.
    void SetChecked(bool value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;

private:
    bool FChecked = false;
};

// The space between an edit's border and its text. Kept for the form file;
// nothing here applies it.
class TEditMargins : public TPersistent {
    QV_CLASS_INFO
public:
    bool Auto() const { return FAuto; }
    void SetAuto(bool v) { FAuto = v; }
    int Left() const { return FLeft; }
    void SetLeft(int v) { FLeft = v; }
    int Right() const { return FRight; }
    void SetRight(int v) { FRight = v; }
    void Assign(const TPersistent& source) override;

private:
    bool FAuto = false;
    int FLeft = 0;
    int FRight = 0;
};

class TCustomEdit : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomEdit(TComponent* owner);
    TEditMargins* EditMargins() { return &FEditMargins; }
    int MaxLength() const { return FMaxLength; }
    // 0 is no limit; negative lengths are refused.
    void SetMaxLength(int value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase value);

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    // Auto-sized with a single border: the height of the font and the border,
    // whatever asks for another (alignment included).
    void AdjustSize(int& left, int& top, int& width, int& height) override;
    void FontChanged() override;

private:
    int FMaxLength = 0;
    bool FReadOnly = false;
    TEditCharCase FCharCase = ecNormal;
    TEditMargins FEditMargins;
};

class TEdit : public TCustomEdit {
    QV_CLASS_INFO
public:
    explicit TEdit(TComponent* owner);
    // One character, or empty for none; anything longer is refused.
    const String& PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(const String& value);
    void SetText(const String& text) override;

protected:
    void CreateParams(TCreateParams& params) override;

private:
    String FPasswordChar;
};

class TMemo : public TCustomEdit {
    QV_CLASS_INFO
public:
    explicit TMemo(TComponent* owner);
    // The lines are the memo's text.
    TStrings* Lines();
    String GetText() const override;
    void SetText(const String& text) override;
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    void LinesChanged(TObject* sender);
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
};

class TCustomListControl : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomListControl(TComponent* owner);
    TStrings* Items();
    int ItemIndex() const { return FItemIndex; }
    // -1 selects nothing, and so does an index beyond the items (checked once the
    // items of a form file are read).
    void SetItemIndex(int value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool value);
    void Loaded() override;

private:
    int FItemIndex = -1;
    bool FSorted = false;
};

// The drop-down styles have the height the window system gives their selection
// field, from the font (owner-drawn ones from ItemHeight), whatever is set;
// csSimple takes the height it is given.
class TComboBox : public TCustomListControl {
    QV_CLASS_INFO
public:
    explicit TComboBox(TComponent* owner);
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle value);

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustSize(int& left, int& top, int& width, int& height) override;
    void FontChanged() override;

private:
    TComboBoxStyle FStyle = csDropDown;
};

class TListBox : public TCustomListControl {
    QV_CLASS_INFO
public:
    explicit TListBox(TComponent* owner);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool value);

protected:
    void CreateParams(TCreateParams& params) override;

private:
    TListBoxStyle FStyle = lbStandard;
    bool FMultiSelect = false;
};

// A group box lays its children out below its caption's line and inside its frame.
class TCustomGroupBox : public TWinControl {
    QV_CLASS_INFO
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void CreateParams(TCreateParams& params) override;
    void AdjustClientRect(TRect& rect) const override;
};

class TGroupBox : public TCustomGroupBox {
    QV_CLASS_INFO
public:
    using TCustomGroupBox::TCustomGroupBox;
};

} // namespace Vcl
