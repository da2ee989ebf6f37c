#include "quorvel/vcl/Dialogs.h"

#include "quorvel/vcl/Published.h"

namespace Vcl {

const TEnumInfo OpenOptionsInfo{
    "TOpenOption",
    {"ofReadOnly",         "ofOverwritePrompt",    "ofHideReadOnly",        "ofNoChangeDir",
     "ofShowHelp",         "ofNoValidate",         "ofAllowMultiSelect",    "ofExtensionDifferent",
     "ofPathMustExist",    "ofFileMustExist",      "ofCreatePrompt",        "ofShareAware",
     "ofNoReadOnlyReturn", "ofNoTestFileCreate",   "ofNoNetworkButton",     "ofNoLongNames",
     "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing",
     "ofDontAddToRecent",  "ofForceShowHidden"}};
const TEnumInfo OpenOptionsExInfo{"TOpenOptionEx", {"ofExNoPlacesBar"}};
const TEnumInfo FileEditStyleInfo{"TFileEditStyle", {"fsEdit", "fsComboBox"}};

const TEnumInfo FontDialogDeviceInfo{"TFontDialogDevice", {"fdScreen", "fdPrinter", "fdBoth"}};
const TEnumInfo FontDialogOptionsInfo{"TFontDialogOption",
                                      {"fdAnsiOnly", "fdTrueTypeOnly", "fdEffects",
                                       "fdFixedPitchOnly", "fdForceFontExist", "fdNoFaceSel",
                                       "fdNoOEMFonts", "fdNoSimulations", "fdNoSizeSel",
                                       "fdNoStyleSel", "fdNoVectorFonts", "fdShowHelp", "fdWysiwyg",
                                       "fdLimitSize", "fdScalableOnly", "fdApplyButton"}};
const TEnumInfo ColorDialogOptionsInfo{
    "TColorDialogOption",
    {"cdFullOpen", "cdPreventFullOpen", "cdShowHelp", "cdSolidColor", "cdAnyColor"}};
const TEnumInfo PrintDialogOptionsInfo{
    "TPrintDialogOption",
    {"poPrintToFile", "poPageNums", "poSelection", "poWarning", "poHelp", "poDisablePrintToFile"}};
const TEnumInfo PrintRangeInfo{"TPrintRange", {"prAllPages", "prSelection", "prPageNums"}};
const TEnumInfo FindOptionsInfo{"TFindOption",
                                {"frDown", "frFindNext", "frHideMatchCase", "frHideWholeWord",
                                 "frHideUpDown", "frMatchCase", "frDisableMatchCase",
                                 "frDisableUpDown", "frDisableWholeWord", "frReplace",
                                 "frReplaceAll", "frWholeWord", "frShowHelp"}};
const TEnumInfo PageSetupOptionsInfo{
    "TPageSetupDialogOption",
    {"psoDefaultMinMargins", "psoDisableMargins", "psoDisableOrientation", "psoDisablePagePainting",
     "psoDisablePaper", "psoDisablePrinter", "psoMargins", "psoMinMargins", "psoShowHelp",
     "psoWarning", "psoNoNetworkButton"}};
const TEnumInfo PageMeasureUnitsInfo{"TPageMeasureUnits",
                                     {"pmDefault", "pmMillimeters", "pmInches"}};

namespace {
namespace P = Vcl::Published;

// A value whose default the dialog computes: written when the file had it.
TPropInfo KeptInt(String name) {
    String key = name;
    return WithStored(P::PlainInt(std::move(name)), [key](const TObject& o) {
        const TPropertyBag* bag = static_cast<const TComponent&>(o).BagIfAny();
        return bag && bag->HasOrd(key);
    });
}
} // namespace

const TClassInfo& TCommonDialog::StaticClass() {
    static const TClassInfo info{"TCommonDialog",
                                 &TComponent::StaticClass(),
                                 {
                                     P::PlainBool("Ctl3D", true),
                                     P::PlainInt("HelpContext", 0),
                                     P::Event("OnClose"),
                                     P::Event("OnShow"),
                                 },
                                 {},
                                 nullptr};
    return info;
}

void TCommonDialog::DefineProperties(TFiler& filer) {
    const auto* ancestor = FilerAncestor<TCommonDialog>(filer);
    DefineDesignInfo(filer, FDesignInfo, ancestor ? &ancestor->FDesignInfo : nullptr);
}

const TClassInfo& TOpenDialog::StaticClass() {
    using C = TOpenDialog;
    static const TClassInfo info{
        "TOpenDialog",
        &TCommonDialog::StaticClass(),
        {
            StrProp<C>("DefaultExt", &C::DefaultExt, &C::SetDefaultExt),
            StrProp<C>("FileName", &C::FileName, &C::SetFileName),
            P::PlainEnum("FileEditStyle", FileEditStyleInfo, 0),
            StrProp<C>("Filter", &C::Filter, &C::SetFilter),
            IntProp<C>("FilterIndex", &C::FilterIndex, &C::SetFilterIndex, 1),
            StrProp<C>("InitialDir", &C::InitialDir, &C::SetInitialDir),
            SetProp<C>("Options", OpenOptionsInfo, &C::Options, &C::SetOptions, DefaultOpenOptions),
            P::PlainSet("OptionsEx", OpenOptionsExInfo, 0),
            StrProp<C>("Title", &C::Title, &C::SetTitle),
            P::Event("OnCanClose"),
            P::Event("OnFolderChange"),
            P::Event("OnSelectionChange"),
            P::Event("OnTypeChange"),
            P::Event("OnIncludeItem"),
        },
        {},
        &CreateInstance<TOpenDialog>};
    return info;
}

const TClassInfo& TSaveDialog::StaticClass() {
    static const TClassInfo info{
        "TSaveDialog", &TOpenDialog::StaticClass(), {}, {}, &CreateInstance<TSaveDialog>};
    return info;
}

// ---- The other common dialogs ------------------------------------------------------------

const TClassInfo& TFontDialog::StaticClass() {
    using C = TFontDialog;
    static const TClassInfo info{"TFontDialog",
                                 &TCommonDialog::StaticClass(),
                                 {
                                     ClassProp<C>("Font", &C::Font),
                                     P::PlainEnum("Device", FontDialogDeviceInfo, 0),
                                     P::PlainInt("MinFontSize", 0),
                                     P::PlainInt("MaxFontSize", 0),
                                     P::PlainSet("Options", FontDialogOptionsInfo, 1 << 2),
                                     P::Event("OnApply"),
                                 },
                                 {},
                                 &CreateInstance<TFontDialog>};
    return info;
}

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), FFont(new TFont) {}

TFontDialog::~TFontDialog() { delete FFont; }

const TClassInfo& TColorDialog::StaticClass() {
    static const TClassInfo info{"TColorDialog",
                                 &TCommonDialog::StaticClass(),
                                 {
                                     P::PlainIdentInt("Color", ColorIdents, clBlack),
                                     P::Strings("CustomColors"),
                                     P::PlainSet("Options", ColorDialogOptionsInfo, 0),
                                 },
                                 {},
                                 &CreateInstance<TColorDialog>};
    return info;
}

const TClassInfo& TPrintDialog::StaticClass() {
    static const TClassInfo info{"TPrintDialog",
                                 &TCommonDialog::StaticClass(),
                                 {
                                     P::PlainBool("Collate", false),
                                     P::PlainInt("Copies", 0),
                                     P::PlainInt("FromPage", 0),
                                     P::PlainInt("MinPage", 0),
                                     P::PlainInt("MaxPage", 0),
                                     P::PlainSet("Options", PrintDialogOptionsInfo, 0),
                                     P::PlainBool("PrintToFile", false),
                                     P::PlainEnum("PrintRange", PrintRangeInfo, 0),
                                     P::PlainInt("ToPage", 0),
                                 },
                                 {},
                                 &CreateInstance<TPrintDialog>};
    return info;
}

const TClassInfo& TPrinterSetupDialog::StaticClass() {
    static const TClassInfo info{"TPrinterSetupDialog",
                                 &TCommonDialog::StaticClass(),
                                 {},
                                 {},
                                 &CreateInstance<TPrinterSetupDialog>};
    return info;
}

const TClassInfo& TPageSetupDialog::StaticClass() {
    static const TClassInfo info{"TPageSetupDialog",
                                 &TCommonDialog::StaticClass(),
                                 {
                                     KeptInt("MinMarginLeft"),
                                     KeptInt("MinMarginTop"),
                                     KeptInt("MinMarginRight"),
                                     KeptInt("MinMarginBottom"),
                                     KeptInt("MarginLeft"),
                                     KeptInt("MarginTop"),
                                     KeptInt("MarginRight"),
                                     KeptInt("MarginBottom"),
                                     P::PlainSet("Options", PageSetupOptionsInfo, 1),
                                     KeptInt("PageWidth"),
                                     KeptInt("PageHeight"),
                                     P::PlainEnum("Units", PageMeasureUnitsInfo, 0),
                                     P::Event("OnDrawRetAddress"),
                                     P::Event("OnDrawMinMargin"),
                                     P::Event("OnDrawMargin"),
                                     P::Event("OnDrawGreekText"),
                                     P::Event("OnDrawFullPage"),
                                     P::Event("OnDrawEnvStamp"),
                                     P::Event("OnPrinter"),
                                 },
                                 {},
                                 &CreateInstance<TPageSetupDialog>};
    return info;
}

const TClassInfo& TFindDialog::StaticClass() {
    static const TClassInfo info{"TFindDialog",
                                 &TCommonDialog::StaticClass(),
                                 {
                                     P::PlainString("FindText"),
                                     P::PlainSet("Options", FindOptionsInfo, 1),
                                     P::Event("OnFind"),
                                 },
                                 {},
                                 &CreateInstance<TFindDialog>};
    return info;
}

const TClassInfo& TReplaceDialog::StaticClass() {
    static const TClassInfo info{"TReplaceDialog",
                                 &TFindDialog::StaticClass(),
                                 {
                                     P::PlainString("ReplaceText"),
                                     P::Event("OnReplace"),
                                 },
                                 {},
                                 &CreateInstance<TReplaceDialog>};
    return info;
}

} // namespace Vcl
