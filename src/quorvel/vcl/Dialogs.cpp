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

namespace {
namespace P = Vcl::Published;
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

void TCommonDialog::DefineProperties(TFiler& filer) { DefineDesignInfo(filer, FDesignInfo); }

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

} // namespace Vcl
