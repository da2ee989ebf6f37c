// Controls: TControl (bounds, visual parent, font, text) and TWinControl (a
// control with a window of its own, made through the Win32 seam).
//
// Bounds are held in fields and, for a windowed control whose window exists, kept
// in step with the window both ways: setting a bound moves the window, and a move
// of the window by anyone (the user, the window system) updates the fields.
#pragma once

#include "quorvel/vcl/Component.h"
#include "quorvel/vcl/Graphics.h"
#include "quorvel/vcl/Types.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace Vcl {

class TWinControl;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
extern const TEnumInfo AlignInfo;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = unsigned;
constexpr TAnchors DefaultAnchors = (1u << akLeft) | (1u << akTop);
extern const TEnumInfo AnchorsInfo;

// Cursor names (crDefault, crHandPoint, ...) of integer cursor properties.
extern const TIdentMap CursorIdents;

enum THelpType { htKeyword, htContext };
extern const TEnumInfo HelpTypeInfo;

enum TStyleElement { seFont, seClient, seBorder };
using TStyleElements = unsigned;
constexpr TStyleElements AllStyleElements = (1u << seFont) | (1u << seClient) | (1u << seBorder);
extern const TEnumInfo StyleElementsInfo;

// Limits a control's size; 0 means no limit.
class TSizeConstraints : public TPersistent {
    QV_CLASS_INFO
public:
    int MaxHeight() const { return FMaxHeight; }
    int MaxWidth() const { return FMaxWidth; }
    int MinHeight() const { return FMinHeight; }
    int MinWidth() const { return FMinWidth; }
    void SetMaxHeight(int v);
    void SetMaxWidth(int v);
    void SetMinHeight(int v);
    void SetMinWidth(int v);
    // Applies the limits to a proposed size.
    void Constrain(int& width, int& height) const;
    // Every limit set multiplied by m / d (a change of resolution), one change.
    void ScaleBy(int m, int d);
    void Assign(const TPersistent& source) override;
    TNotifyEvent OnChange;

private:
    void Changed() { OnChange(this); }
    int FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};

// The space a control keeps around itself when it is aligned with margins
// (AlignWithMargins).
class TMargins : public TPersistent {
    QV_CLASS_INFO
public:
    static constexpr int DefaultMargin = 3;
    explicit TMargins(int margin = DefaultMargin)
        : FLeft(margin), FTop(margin), FRight(margin), FBottom(margin) {}
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Right() const { return FRight; }
    int Bottom() const { return FBottom; }
    void SetLeft(int v) { Set(FLeft, v); }
    void SetTop(int v) { Set(FTop, v); }
    void SetRight(int v) { Set(FRight, v); }
    void SetBottom(int v) { Set(FBottom, v); }
    void Assign(const TPersistent& source) override;
    TNotifyEvent OnChange;

private:
    void Set(int& field, int v) {
        if (v == field)
            return;
        field = v;
        OnChange(this);
    }
    int FLeft, FTop, FRight, FBottom;
};

// The space a windowed control keeps inside its client area from the controls
// aligned in it.
class TPadding : public TMargins {
    QV_CLASS_INFO
public:
    TPadding() : TMargins(0) {}
};

// What a form file set of a control while it was read, and so what a change of
// resolution scales then: a file's values are in the resolution that file
// stores, and an inherited form's ancestor file may store another one.
enum TScalingFlag { sfLeft, sfTop, sfWidth, sfHeight, sfFont, sfConstraints };
using TScalingFlags = unsigned;
constexpr TScalingFlags AllScalingFlags = (1u << (sfConstraints + 1)) - 1;

// value * m / d rounded half away from zero, as the framework scales by
// resolution (Windows' MulDiv), saturating at the 32-bit range.
int ScaleValue(int value, int m, int d);

// A window message as a control's WndProc sees it.
struct TMessage {
    Win32::UINT Msg;
    Win32::WPARAM WParam;
    Win32::LPARAM LParam;
    Win32::LRESULT Result = 0;
};

class TControl : public TComponent {
    QV_CLASS_INFO
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* parent);
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int value) { SetBounds(value, FTop, FWidth, FHeight); }
    void SetTop(int value) { SetBounds(FLeft, value, FWidth, FHeight); }
    void SetWidth(int value) { SetBounds(FLeft, FTop, value, FHeight); }
    void SetHeight(int value) { SetBounds(FLeft, FTop, FWidth, value); }
    // Applies the constraints, stores the bounds and moves the window if any.
    virtual void SetBounds(int left, int top, int width, int height);
    // The right and bottom edges saturate at the 32-bit range (see Core::Add).
    TRect BoundsRect() const {
        return {FLeft, FTop, Core::Add(FLeft, FWidth), Core::Add(FTop, FHeight)};
    }

    virtual int ClientWidth() const { return FWidth; }
    virtual int ClientHeight() const { return FHeight; }
    virtual void SetClientWidth(int value);
    virtual void SetClientHeight(int value);

    TFont* Font() const { return FFont; }
    void SetFont(const TFont* font);
    bool ParentFont() const { return FParentFont; }
    // True makes the control take its parent's font again.
    void SetParentFont(bool value);

    // The caption or edit text (published as Caption or Text by the classes that
    // have one).
    virtual String GetText() const { return FText; }
    virtual void SetText(const String& text);

    TSizeConstraints* Constraints() const { return FConstraints; }
    TMargins* Margins() const { return FMargins; }
    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    // An aligned control is placed by its parent: setting the alignment, the
    // bounds or the visibility of one realigns the parent at once.
    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign value);
    bool AlignWithMargins() const { return FAlignWithMargins; }
    void SetAlignWithMargins(bool value);
    // A control that is not aligned follows its parent's client size by its
    // anchors, from the bounds and parent size its anchor rules were taken at:
    // when it gets a parent, new anchors, or bounds set from code.
    TAnchors Anchors() const { return FAnchors; }
    void SetAnchors(TAnchors value);
    // A control that sizes itself to its content (a label to its caption, an edit
    // to its font, a panel to its children): bounds set from anywhere keep the
    // content's size, and a change of the content resizes it at once.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool value);
    TColor Color() const { return FColor; }
    // A colour of the control's own is no longer its parent's, as in the framework;
    // otherwise it would not be stored.
    void SetColor(TColor value) {
        FColor = value;
        FParentColor = false;
    }
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool value) { FParentColor = value; }
    const String& Hint() const { return FHint; }
    void SetHint(const String& value) { FHint = value; }
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool value) {
        FShowHint = value;
        FParentShowHint = false;
    }
    bool ParentShowHint() const { return FParentShowHint; }
    void SetParentShowHint(bool value) { FParentShowHint = value; }
    const String& PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(const String& name) { FPopupMenu = name; }

    // Called when the parent's font changed (or the control got a parent).
    void ParentFontChanged();

    // Scales the control by m / d as a change of screen resolution does: its
    // edges (so that controls that touch keep touching), its own font's height
    // (a parent's font comes from the parent) and its constraints; a windowed
    // control its children first. While the control is read, only what the file
    // being read set (ScalingFlags); afterwards everything. The flags are
    // cleared.
    virtual void ChangeScale(int m, int d);
    TScalingFlags ScalingFlags() const { return FScalingFlags; }
    // The reader notes what the file it reads sets.
    void IncludeScalingFlag(TScalingFlag flag) { FScalingFlags |= 1u << flag; }
    // Forgets what was read, here and in every control inside.
    void ResetScalingFlags();

    // Besides the design position of TComponent: IsControl and the Explicit bounds
    // that newer designers write; they are kept only to be written back.
    void DefineProperties(TFiler& filer) override;

protected:
    // A change of the control's own font: ParentFont goes off, as the framework does.
    virtual void FontChanged();
    // Turns proposed bounds into those the control takes: a size of its own
    // (auto-sized or fixed by the window system) and the edges it keeps then.
    // Not called while the control is being read; Loaded catches up.
    virtual void AdjustSize(int& left, int& top, int& width, int& height) {
        (void)left, (void)top, (void)width, (void)height;
    }
    // The content changed: the bounds are proposed again, so that the control's
    // own size applies.
    void AdjustBounds();
    void Loaded() override;
    // The bounds fields changed; a windowed control moves its window.
    virtual void BoundsChanged() {}
    void NameChanged(const String& oldName, const String& newName) override;
    // Copies a new text into the window, if any.
    virtual void TextChanged() {}

    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    // Set while the parent aligns or anchors the control: bounds set then are
    // the layout's, not new anchor rules.
    bool FLaidOut = false;
    // What the file being read set (see TScalingFlag).
    TScalingFlags FScalingFlags = 0;
    // The flags ChangeScale applies: those read while reading, else all.
    TScalingFlags FlagsToScale() const;
    void ScaleFont(int m, int d, TScalingFlags flags);
    // Whether setting the name copies it into a text that equalled the old name.
    bool FSetCaptionOnRename = true;
    bool FAutoSize = false;

private:
    friend class TWinControl;
    void OnFontChange(TObject* sender);
    void OnConstraintsChange(TObject* sender);
    void OnMarginsChange(TObject* sender);
    // The parent realigns when an aligned control changed.
    void RequestAlign();
    void UpdateAnchorRules();
    // Where the anchors put the control in a parent client area of that size.
    TRect AnchoredBounds(int parentWidth, int parentHeight) const;

    // Bounds and parent client size the anchors are measured from; empty until taken.
    struct TAnchorRules {
        TRect Bounds;
        int ParentWidth = 0, ParentHeight = 0;
        bool Taken = false;
    };
    TAnchorRules FAnchorRules;

    TWinControl* FParent = nullptr;
    TFont* FFont;
    bool FParentFont = true;
    bool FInParentFontChange = false;
    String FText;
    TSizeConstraints* FConstraints;
    bool FVisible = true;
    bool FEnabled = true;
    TAlign FAlign = alNone;
    bool FAlignWithMargins = false;
    TAnchors FAnchors = DefaultAnchors;
    TColor FColor = clBtnFace;
    bool FParentColor = true;
    String FHint;
    bool FShowHint = false;
    bool FParentShowHint = true;
    String FPopupMenu;
    TMargins* FMargins;
    // Designer values without behaviour here, present when a form file had them.
    std::optional<bool> FIsControl;
    std::optional<int> FExplicitLeft, FExplicitTop, FExplicitWidth, FExplicitHeight;
};

// A control without a window of its own (label, shape, image).
class TGraphicControl : public TControl {
    QV_CLASS_INFO
public:
    using TControl::TControl;
};

class TWinControl : public TControl {
    QV_CLASS_INFO
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    // The control's window, created on first use (with its parent's window first).
    Win32::HWND Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void HandleNeeded() { Handle(); }
    void DestroyHandle();

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TPadding* Padding() const { return FPadding; }
    // Lays the aligned children out in the client area (see AdjustClientRect)
    // less the padding, in the
    // order alTop, alBottom, alLeft, alRight, alClient, and moves the anchored
    // ones by their anchors. alCustom children are left where they are. Waits
    // while the control or its form is being read (Loaded aligns) and while
    // DisableAlign holds.
    void Realign();
    void DisableAlign() { ++FAlignDisabled; }
    void EnableAlign();
    void Loaded() override;
    // The controls inside, at every depth, take their own sizes: after reading,
    // before anything lays them out or records them.
    void AdjustTree();
    TControl* Controls(int index) const;
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    // Moves a control of this one to `order` in its list (clamped to the list),
    // which decides which is drawn above and which of the same alignment comes
    // first.
    void SetChildOrder(TComponent* child, int order) override;

    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int value) { FTabOrder = value; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool value) { FTabStop = value; }

    // Handles a message of the control's window; the default passes it on to the
    // window class's procedure.
    virtual void WndProc(TMessage& message);
    void DefaultHandler(TMessage& message);

    // The window's client area once the window exists; before, the bounds less
    // the frame its window will have (FrameStyles).
    int ClientWidth() const override;
    int ClientHeight() const override;
    // The client size anchored children keep their distances to: the client
    // area, less what the window's own scroll bars take of it.
    virtual TPoint AnchorClientSize() const { return {ClientWidth(), ClientHeight()}; }

    // Adds DesignSize: the size the designer saw, kept only to be written back.
    void DefineProperties(TFiler& filer) override;

    void ChangeScale(int m, int d) override;

protected:
    struct TCreateParams {
        std::u16string WinClassName;
        bool SystemClass = false; // a predefined window class, subclassed after creation
        Win32::DWORD Style = 0;
        Win32::DWORD ExStyle = 0;
        int X = 0, Y = 0, Width = 0, Height = 0;
        Win32::HWND WndParent = nullptr;
        // A top-level window's menu, which the window owns once made.
        Win32::HMENU Menu = nullptr;
    };
    virtual void CreateParams(TCreateParams& params);
    // The styles of the window's frame (a client edge, a thin border), which
    // CreateParams adds; the client area is inside them before the window exists
    // as after.
    virtual void FrameStyles(Win32::DWORD& style, Win32::DWORD& exStyle) const {
        (void)style, (void)exStyle;
    }
    // The width and height the frame of FrameStyles takes.
    TPoint FrameSize() const;
    virtual void CreateHandle();
    // The window was moved or sized by anyone: take its bounds.
    virtual void UpdateBounds(const Win32::WINDOWPOS& pos);
    void BoundsChanged() override;
    void FontChanged() override;
    void TextChanged() override;
    void SetVisible(bool value) override;
    virtual void AlignControls();
    // Sets a child's bounds as the layout's, not as new anchor rules.
    static void PlaceLaidOut(TControl& c, int left, int top, int width, int height);
    // The part of a client rectangle the children are laid out in: the frame,
    // bevels, caption or tabs a container draws inside its window are not.
    // Padding comes off after.
    virtual void AdjustClientRect(TRect& rect) const { (void)rect; }
    // Changes whenever a control joins, leaves or moves in the list, so that
    // what is derived from the list can be kept until then.
    std::uint64_t ControlsVersion() const { return FControlsVersion; }
    // The children's part of ChangeScale.
    void ScaleControls(int m, int d);
    void RetakeAnchorsAfterScaling(int m, int d);
    // The client size that holds the children, with the padding; an axis that
    // no child decides keeps its size. For AutoSize.
    TPoint ContentClientSize() const;
    void AdjustSize(int& left, int& top, int& width, int& height) override;

    Win32::HWND FHandle = nullptr;

private:
    static Win32::LRESULT QV_CALLBACK ObjectWndProc(Win32::HWND window, Win32::UINT message,
                                                    Win32::WPARAM wParam, Win32::LPARAM lParam);
    void NotifyChildrenFont();
    void OnPaddingChange(TObject* sender);

    Win32::WNDPROC FDefWndProc = nullptr;
    std::vector<TControl*> FControls;
    std::uint64_t FControlsVersion = 0;
    int FTabOrder = -1;
    bool FTabStop = false;
    TPadding* FPadding;
    int FAlignDisabled = 0;
    bool FAlignPending = false;
    bool FAligning = false;
    bool FAutoSizing = false;
    std::optional<TPoint> FDesignSize;
};

// A windowed control of the framework's own window class (panels, frames).
class TCustomControl : public TWinControl {
    QV_CLASS_INFO
public:
    using TWinControl::TWinControl;
};

} // namespace Vcl
