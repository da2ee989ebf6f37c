// The file dialogs. They keep their settings for a host that shows them; the
// framework itself opens no dialog.
#pragma once

#include "quorvel/vcl/DesignInfo.h"
#include "quorvel/vcl/Graphics.h"

namespace Vcl {

enum TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing,
    ofDontAddToRecent,
    ofForceShowHidden
};
using TOpenOptions = unsigned;
constexpr TOpenOptions DefaultOpenOptions = (1u << ofHideReadOnly) | (1u << ofEnableSizing);
extern const TEnumInfo OpenOptionsInfo;
extern const TEnumInfo OpenOptionsExInfo; // ofExNoPlacesBar
extern const TEnumInfo FileEditStyleInfo; // fsEdit, fsComboBox

class TCommonDialog : public TComponent {
    QV_CLASS_INFO
public:
    using TComponent::TComponent;
    TDesignInfo& DesignInfo() { return FDesignInfo; }
    void DefineProperties(TFiler& filer) override;

private:
    TDesignInfo FDesignInfo;
};

class TOpenDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    using TCommonDialog::TCommonDialog;
    const String& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const String& value) { FDefaultExt = value; }
    const String& FileName() const { return FFileName; }
    void SetFileName(const String& value) { FFileName = value; }
    const String& Filter() const { return FFilter; }
    void SetFilter(const String& value) { FFilter = value; }
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int value) { FFilterIndex = value; }
    const String& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const String& value) { FInitialDir = value; }
    TOpenOptions Options() const { return FOptions; }
    void SetOptions(TOpenOptions value) { FOptions = value; }
    const String& Title() const { return FTitle; }
    void SetTitle(const String& value) { FTitle = value; }

private:
    String FDefaultExt;
    String FFileName;
    String FFilter;
    int FFilterIndex = 1;
    String FInitialDir;
    TOpenOptions FOptions = DefaultOpenOptions;
    String FTitle;
};

class TSaveDialog : public TOpenDialog {
    QV_CLASS_INFO
public:
    using TOpenDialog::TOpenDialog;
};

// ---- The other common dialogs: settings only -----------------------------------------

extern const TEnumInfo FontDialogDeviceInfo;  // fdScreen, fdPrinter, fdBoth
extern const TEnumInfo FontDialogOptionsInfo; // fdAnsiOnly, ...
extern const TEnumInfo ColorDialogOptionsInfo;
extern const TEnumInfo PrintDialogOptionsInfo;
extern const TEnumInfo PrintRangeInfo;
extern const TEnumInfo FindOptionsInfo;
extern const TEnumInfo PageSetupOptionsInfo;
extern const TEnumInfo PageMeasureUnitsInfo;

class TFontDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    explicit TFontDialog(TComponent* owner);
    ~TFontDialog() override;
    TFont* Font() const { return FFont; }

private:
    TFont* FFont;
};

class TColorDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    using TCommonDialog::TCommonDialog;
};

class TPrintDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    using TCommonDialog::TCommonDialog;
};

class TPrinterSetupDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    using TCommonDialog::TCommonDialog;
};

class TPageSetupDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    using TCommonDialog::TCommonDialog;
};

class TFindDialog : public TCommonDialog {
    QV_CLASS_INFO
public:
    using TCommonDialog::TCommonDialog;
};

class TReplaceDialog : public TFindDialog {
    QV_CLASS_INFO
public:
    using TFindDialog::TFindDialog;
};

} // namespace Vcl
