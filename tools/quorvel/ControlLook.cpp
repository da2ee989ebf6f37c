#include "ControlLook.h"

#include "quorvel/vcl/ActnList.h"
#include "quorvel/vcl/Buttons.h"
#include "quorvel/vcl/CheckLst.h"
#include "quorvel/vcl/Collections.h"
#include "quorvel/vcl/ComCtrls.h"
#include "quorvel/vcl/ExtCtrls.h"
#include "quorvel/vcl/Forms.h"
#include "quorvel/vcl/Grids.h"
#include "quorvel/vcl/ImgList.h"
#include "quorvel/vcl/Menus.h"
#include "quorvel/vcl/StdCtrls.h"
#include "quorvel/vcl/TypInfo.h"

#include <cstdlib>
#include <map>
#include <memory>
#include <tuple>

namespace QuorvelTool {

using namespace Vcl;

namespace {

// Windows' classic scheme, indexed by COLOR_* number.
const TRgb SystemColors[] = {0xD4D0C8, 0x3A6EA5, 0x0A246A, 0x808080, 0xD4D0C8, 0xFFFFFF, 0x000000,
                             0x000000, 0x000000, 0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0x0A246A,
                             0xFFFFFF, 0xD4D0C8, 0x808080, 0x808080, 0x000000, 0xD4D0C8, 0xFFFFFF,
                             0x404040, 0xD4D0C8, 0x000000, 0xFFFFE1, 0xB5B5B5, 0x0000FF, 0xA6CAF0,
                             0xC0C0C0, 0x316AC5, 0xECE9D8};

std::int64_t Ord(TObject& c, std::string_view name, std::int64_t def) {
    const TPropInfo* p = GetPropInfo(c, name);
    return p && p->IsOrdinal() && p->GetOrd ? p->GetOrd(c) : def;
}

bool Has(TObject& c, std::string_view name) { return GetPropInfo(c, name) != nullptr; }

std::string Str(TObject& c, std::string_view name) {
    const TPropInfo* p = GetPropInfo(c, name);
    return p && (p->Kind == tkString || p->Kind == tkReference) && p->GetStr ? p->GetStr(c)
                                                                             : std::string();
}

std::string EnumName(TControl& c, std::string_view name, const std::string& def) {
    const TPropInfo* p = GetPropInfo(c, name);
    if (!p || !p->Enum || !p->GetOrd || p->Kind != tkEnumeration)
        return def;
    const std::int64_t v = p->GetOrd(c);
    return v >= 0 && v < static_cast<std::int64_t>(p->Enum->Names.size())
               ? p->Enum->Names[static_cast<std::size_t>(v)]
               : def;
}

TObject* Object(TObject& c, std::string_view name) {
    const TPropInfo* p = GetPropInfo(c, name);
    return p && p->Kind == tkClass && p->GetObj ? p->GetObj(c) : nullptr;
}

std::vector<std::string> Lines(TControl& c, std::string_view name) {
    std::vector<std::string> out;
    if (auto* strings = dynamic_cast<TStrings*>(Object(c, name)))
        for (int i = 0; i < strings->Count(); ++i)
            out.push_back(strings->Get(i));
    return out;
}

// The texts and widths of a collection's items (status panels, list columns).
void CollectionItems(TControl& c, std::string_view name, std::string_view text,
                     TControlLook& look) {
    auto* items = dynamic_cast<TCollection*>(Object(c, name));
    if (!items)
        return;
    for (int i = 0; i < items->Count(); ++i) {
        const TPropertyBag& values = items->Items(i)->Values();
        look.Items.push_back(values.Str(text));
        look.ItemWidths.push_back(static_cast<int>(values.Ord("Width", 50)));
    }
}

TLookKind KindOf(TControl& c) {
    if (dynamic_cast<TCustomLabel*>(&c))
        return TLookKind::Label;
    if (dynamic_cast<TSpeedButton*>(&c))
        return TLookKind::SpeedButton;
    if (dynamic_cast<TButton*>(&c))
        return TLookKind::Button;
    if (dynamic_cast<TCustomCheckBox*>(&c))
        return TLookKind::CheckBox;
    if (dynamic_cast<TRadioButton*>(&c))
        return TLookKind::RadioButton;
    if (dynamic_cast<TMemo*>(&c))
        return TLookKind::Memo;
    if (dynamic_cast<TCustomEdit*>(&c))
        return TLookKind::Edit;
    if (dynamic_cast<TCheckListBox*>(&c))
        return TLookKind::CheckListBox;
    if (dynamic_cast<TListBox*>(&c))
        return TLookKind::ListBox;
    if (dynamic_cast<TComboBox*>(&c) || dynamic_cast<TCommonCalendar*>(&c))
        return TLookKind::ComboBox;
    if (dynamic_cast<TCustomRadioGroup*>(&c))
        return TLookKind::RadioGroup;
    if (dynamic_cast<TCustomGroupBox*>(&c))
        return TLookKind::GroupBox;
    if (dynamic_cast<TCustomPanel*>(&c))
        return TLookKind::Panel;
    if (dynamic_cast<TCustomFrame*>(&c))
        return TLookKind::Frame;
    if (dynamic_cast<TScrollBox*>(&c))
        return TLookKind::ScrollBox;
    if (dynamic_cast<TPageControl*>(&c))
        return TLookKind::PageControl;
    if (dynamic_cast<TTabSheet*>(&c))
        return TLookKind::TabSheet;
    if (dynamic_cast<TTabControl*>(&c))
        return TLookKind::TabControl;
    if (dynamic_cast<TStatusBar*>(&c))
        return TLookKind::StatusBar;
    if (dynamic_cast<TToolBar*>(&c))
        return TLookKind::ToolBar;
    if (dynamic_cast<TCoolBar*>(&c))
        return TLookKind::CoolBar;
    if (dynamic_cast<TToolButton*>(&c))
        return TLookKind::ToolButton;
    if (dynamic_cast<TSplitter*>(&c))
        return TLookKind::Splitter;
    if (dynamic_cast<TImage*>(&c))
        return TLookKind::Image;
    if (dynamic_cast<TBevel*>(&c))
        return TLookKind::Bevel;
    if (dynamic_cast<TShape*>(&c))
        return TLookKind::Shape;
    if (dynamic_cast<TProgressBar*>(&c))
        return TLookKind::ProgressBar;
    if (dynamic_cast<TTrackBar*>(&c))
        return TLookKind::TrackBar;
    if (dynamic_cast<TCustomUpDown*>(&c))
        return TLookKind::UpDown;
    if (dynamic_cast<TCustomGrid*>(&c))
        return TLookKind::Grid;
    if (dynamic_cast<TCustomListView*>(&c))
        return TLookKind::ListView;
    if (dynamic_cast<TCustomTreeView*>(&c))
        return TLookKind::TreeView;
    if (dynamic_cast<TPaintBox*>(&c))
        return TLookKind::PaintBox;
    return TLookKind::Unknown;
}

// The action a control is linked to: its Action names a component of the
// control's owner (or of the form, "Form.Name" written in full).
TComponent* LinkedAction(TComponent& c) {
    std::string name = Str(c, "Action");
    if (name.empty())
        return nullptr;
    if (const auto dot = name.rfind('.'); dot != std::string::npos)
        name = name.substr(dot + 1);
    for (TComponent* owner = c.Owner(); owner; owner = owner->Owner())
        if (TComponent* found = owner->FindComponent(name))
            return dynamic_cast<TContainedAction*>(found) ? found : nullptr;
    return nullptr;
}

// A linked action decides what its control shows, whatever the control stores.
bool Linked(TComponent& c, std::string_view property, bool own) {
    TComponent* action = LinkedAction(c);
    return action && Has(*action, property) ? Ord(*action, property, own ? 1 : 0) != 0 : own;
}

// A button that stays down: its own Down, or, in a group, its action's Checked.
// A speed button outside any group cannot stay down.
bool Pressed(TControl& c) {
    if (dynamic_cast<TSpeedButton*>(&c) && Ord(c, "GroupIndex", 0) == 0)
        return false;
    const bool down = Ord(c, "Down", 0) != 0;
    TComponent* action = LinkedAction(c);
    const bool grouped = Ord(c, "GroupIndex", 0) != 0 || Ord(c, "Grouped", 0) != 0 ||
                         EnumName(c, "Style", "") == "tbsCheck";
    return action && grouped && Has(*action, "Checked") ? Ord(*action, "Checked", 0) != 0 : down;
}

// A page control shows only its active sheet (the first with a tab when none is
// named); the others it hides.
bool Shown(TControl& c) {
    int guard = 0;
    for (TControl* p = &c; p && guard < 1000; p = p->Parent(), ++guard)
        if (!Linked(*p, "Visible", p->Visible()) && !dynamic_cast<TCustomForm*>(p))
            return false;
    return true;
}

// Hidden only because it lies on a page that is not the one shown: a person
// sees it once that page is picked.
bool OnOtherPage(TControl& c) {
    bool other = false;
    int guard = 0;
    for (TControl* p = &c; p && guard < 1000; p = p->Parent(), ++guard) {
        auto* sheet = dynamic_cast<TTabSheet*>(p);
        if (sheet && sheet->PageControl() && !sheet->Visible()) {
            other = true;
            continue;
        }
        if (!Linked(*p, "Visible", p->Visible()) && !dynamic_cast<TCustomForm*>(p))
            return false;
    }
    return other;
}

// Decoding once per image, not once per snapshot: keyed by the bytes' hash and size.
template <typename T, typename F>
std::shared_ptr<const T> Cached(const std::vector<std::uint8_t>& data, int kind, F decode) {
    static std::map<std::tuple<std::size_t, std::size_t, int>, std::shared_ptr<const T>> cache;
    const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
    const auto key = std::make_tuple(std::hash<std::string_view>{}(bytes), data.size(), kind);
    if (auto it = cache.find(key); it != cache.end())
        return it->second;
    if (cache.size() > 512)
        cache.clear();
    std::shared_ptr<const T> value = decode(data);
    cache.emplace(key, value);
    return value;
}

TImageRef DecodedPicture(const std::vector<std::uint8_t>& data, bool bitmap) {
    return Cached<TPixmap>(data, bitmap ? 1 : 0, [bitmap](const std::vector<std::uint8_t>& d) {
        std::optional<TPixmap> image = bitmap ? DecodeBitmapData(d) : DecodePictureData(d);
        return image ? std::make_shared<const TPixmap>(std::move(*image)) : nullptr;
    });
}

// A component of the owners' by its name, "Form.Name" written in full.
TComponent* OwnersComponent(TComponent& c, std::string name) {
    if (const auto dot = name.rfind('.'); dot != std::string::npos)
        name = name.substr(dot + 1);
    for (TComponent* owner = c.Owner(); owner; owner = owner->Owner())
        if (TComponent* found = owner->FindComponent(name))
            return found;
    return nullptr;
}

// A collection image's stored bytes: the file itself, or after a 32-bit size.
TImageRef CollectionPicture(const std::vector<std::uint8_t>& data) {
    return Cached<TPixmap>(data, 3, [](const std::vector<std::uint8_t>& d) {
        std::optional<TPixmap> image = DecodeImageFile(d.data(), d.size());
        if (!image && d.size() > 4)
            image = DecodeImageFile(d.data() + 4, d.size() - 4);
        return image ? std::make_shared<const TPixmap>(std::move(*image)) : nullptr;
    });
}

// Image `index` of a virtual image list: the collection's image of that name (or
// position), in the stored size nearest the list's.
TImageRef VirtualImage(TVirtualImageList& list, int index) {
    TCollection* items = list.Images();
    auto* collection =
        dynamic_cast<TImageCollection*>(OwnersComponent(list, Str(list, "ImageCollection")));
    if (!items || !collection || !collection->Images() || index >= items->Count())
        return nullptr;
    const TPropertyBag& item = items->Items(index)->Values();
    TCollection* named = collection->Images();
    TCollectionItem* source = nullptr;
    const std::string name = item.Str("CollectionName");
    for (int i = 0; i < named->Count() && !source; ++i)
        if (!name.empty() && named->Items(i)->Values().Str("Name") == name)
            source = named->Items(i);
    const auto position = item.Ord("CollectionIndex", -1);
    if (!source && position >= 0 && position < named->Count())
        source = named->Items(static_cast<int>(position));
    auto* sizes = source ? dynamic_cast<TCollection*>(Object(*source, "SourceImages")) : nullptr;
    TImageRef best;
    for (int i = 0; sizes && i < sizes->Count(); ++i) {
        auto* image = dynamic_cast<TValuesPersistent*>(Object(*sizes->Items(i), "Image"));
        if (!image)
            continue;
        const auto data = image->Values().Kept.find("Data");
        if (data == image->Values().Kept.end())
            continue;
        TImageRef decoded = CollectionPicture(data->second.Binary);
        if (decoded && (!best || std::abs(decoded->Width - list.Width()) <
                                     std::abs(best->Width - list.Width())))
            best = decoded;
    }
    return best;
}

// Image `index` of the image list the property names.
TImageRef ListImage(TComponent& c, std::string_view property, int index) {
    std::string name = Str(c, property);
    if (name.empty() || index < 0)
        return nullptr;
    if (const auto dot = name.rfind('.'); dot != std::string::npos)
        name = name.substr(dot + 1);
    TCustomImageList* list = nullptr;
    for (TComponent* owner = c.Owner(); owner && !list; owner = owner->Owner())
        list = dynamic_cast<TCustomImageList*>(owner->FindComponent(name));
    if (!list)
        return nullptr;
    if (auto* virtualList = dynamic_cast<TVirtualImageList*>(list))
        return VirtualImage(*virtualList, index);
    const auto kept = list->Bag().Kept.find("Bitmap");
    if (kept == list->Bag().Kept.end())
        return nullptr;
    auto images = Cached<std::vector<TPixmap>>(
        kept->second.Binary, 2, [](const std::vector<std::uint8_t>& d) {
            return std::make_shared<const std::vector<TPixmap>>(DecodeImageList(d));
        });
    return index < static_cast<int>(images->size())
               ? TImageRef(images, &(*images)[static_cast<std::size_t>(index)])
               : nullptr;
}

// A button's glyph: the first of its NumGlyphs side by side (the second when
// disabled and there is one), its bottom-left pixel's colour transparent.
TImageRef Glyph(TControl& c, bool enabled) {
    auto* bitmap = dynamic_cast<TGraphicData*>(Object(c, "Glyph"));
    if (!bitmap || bitmap->Empty())
        return nullptr;
    TImageRef sheet = DecodedPicture(bitmap->Data(), true);
    if (!sheet)
        return nullptr;
    const int count = std::max(static_cast<int>(Ord(c, "NumGlyphs", 1)), 1);
    const int width = sheet->Width / count;
    const int which = !enabled && count >= 2 ? 1 : 0;
    auto glyph = std::make_shared<TPixmap>(sheet->Crop(which * width, 0, width, sheet->Height));
    if (glyph->Width > 0 && glyph->Height > 0 && (glyph->At(0, glyph->Height - 1) >> 24) == 0xFF)
        glyph->MakeTransparent(glyph->At(0, glyph->Height - 1));
    return glyph;
}

// A button's own glyph wins over an image from its image list.
TImageRef ButtonImage(TControl& c, bool enabled) {
    if (TImageRef glyph = Glyph(c, enabled))
        return glyph;
    return ListImage(c, "Images", static_cast<int>(Ord(c, "ImageIndex", -1)));
}

// The tabs as the framework lays them out, each with its image of the
// control's image list.
void TabsOf(TWinControl& c, const std::vector<int>& imageIndexes, TControlLook& look) {
    const TTabStrip strip = TabStripOf(c);
    look.Items.assign(strip.Captions.begin(), strip.Captions.end());
    for (std::size_t i = 0; i < strip.Widths.size(); ++i)
        look.Tabs.push_back(
            {strip.Widths[i], strip.Rows[i],
             i < imageIndexes.size() ? ListImage(c, "Images", imageIndexes[i]) : nullptr});
    look.TabRowHeight = strip.RowHeight;
    look.TabImageWidth = strip.ImageWidth;
    look.TabImageHeight = strip.ImageHeight;
    look.RaggedRight = strip.RaggedRight;
    if (!strip.MultiLine)
        look.OneRowTabs = strip.Widths;
}

TRgb EffectiveColor(TControl& c) {
    int guard = 0;
    TControl* p = &c;
    while (p->ParentColor() && p->Parent() && guard++ < 1000)
        p = p->Parent();
    return ToRgb(p->Color());
}

} // namespace

TRgb ToRgb(TColor color) {
    const auto value = static_cast<std::uint32_t>(color);
    if ((value & 0xFF000000u) == 0xFF000000u) {
        const std::uint32_t index = value & 0xFF;
        return index < std::size(SystemColors) ? SystemColors[index] : 0xD4D0C8;
    }
    if (color == clNone || color == clDefault)
        return 0xFFFFFF;
    // The framework's colours are 0x00BBGGRR.
    return ((value & 0xFF) << 16) | (value & 0xFF00) | ((value >> 16) & 0xFF);
}

Win32::LOGFONTW FontOf(TFont& font) {
    Win32::LOGFONTW lf{};
    if (!Sim::TDesktop::Current().FontInfo(font.Handle(), lf)) {
        lf.lfHeight = -11;
        const char16_t face[] = u"Tahoma";
        std::copy(std::begin(face), std::end(face), lf.lfFaceName);
    }
    return lf;
}

TControlLook TakeLook(TControl& c) {
    TControlLook look;
    look.Kind = KindOf(c);
    look.Visible = Shown(c);
    look.OnOtherPage = !look.Visible && OnOtherPage(c);
    look.Enabled = Linked(c, "Enabled", c.Enabled());
    look.Color = EffectiveColor(c);
    if (GetPropInfo(c, "Font")) {
        look.HasFont = true;
        look.Font = FontOf(*c.Font());
        look.FontColor = ToRgb(c.Font()->Color());
    }
    if (Has(c, "Caption") || Has(c, "Text"))
        look.Text = c.GetText();
    if (TComponent* action = LinkedAction(c); action && Has(c, "Caption"))
        look.Text = Str(*action, "Caption");
    look.Alignment = EnumName(c, "Alignment", "taLeftJustify");
    look.Layout = EnumName(c, "Layout", "tlTop");
    look.WordWrap = Ord(c, "WordWrap", 0) != 0;
    look.Border = EnumName(c, "BorderStyle", "bsSingle") != "bsNone";
    look.BevelOuter = EnumName(c, "BevelOuter", "bvNone");
    look.BevelInner = EnumName(c, "BevelInner", "bvNone");
    look.BevelWidth = static_cast<int>(Ord(c, "BevelWidth", 1));
    look.BorderWidth = static_cast<int>(Ord(c, "BorderWidth", 0));
    look.Transparent = Ord(c, "Transparent", 0) != 0;
    look.ShowCaption = Ord(c, "ShowCaption", 1) != 0;
    look.Style = EnumName(c, "Shape", EnumName(c, "Style", ""));

    switch (look.Kind) {
    case TLookKind::Image:
        if (auto* picture = dynamic_cast<TGraphicData*>(Object(c, "Picture"));
            picture && !picture->Empty()) {
            look.HasImage = true;
            look.Image = DecodedPicture(picture->Data(), false);
            if (look.Image && look.Transparent &&
                (look.Image->At(0, look.Image->Height - 1) >> 24) == 0xFF) {
                auto copy = std::make_shared<TPixmap>(*look.Image);
                copy->MakeTransparent(copy->At(0, copy->Height - 1));
                look.Image = copy;
            }
        }
        look.Stretch = Ord(c, "Stretch", 0) != 0;
        look.Center = Ord(c, "Center", 0) != 0;
        look.Proportional = Ord(c, "Proportional", 0) != 0;
        break;
    case TLookKind::ToolButton: {
        // A linked action gives the button its image index; the tool bar's list
        // draws it, or the action list's when the bar has none.
        TComponent* action = LinkedAction(c);
        int index = static_cast<int>(Ord(c, "ImageIndex", -1));
        if (action && Has(*action, "ImageIndex"))
            index = static_cast<int>(Ord(*action, "ImageIndex", -1));
        if (c.Parent())
            look.Image = ListImage(*c.Parent(), "Images", index);
        if (auto* contained = dynamic_cast<TContainedAction*>(action);
            !look.Image && contained && contained->ActionList() &&
            (!c.Parent() || Str(*c.Parent(), "Images").empty()))
            look.Image = ListImage(*contained->ActionList(), "Images", index);
        look.HasImage = look.Image != nullptr;
        look.State = Pressed(c) ? 1 : 0;
        break;
    }
    case TLookKind::SpeedButton:
        look.Image = ButtonImage(c, look.Enabled);
        look.HasImage = look.Image != nullptr;
        look.State = Pressed(c) ? 1 : 0;
        break;
    case TLookKind::Button:
        look.State = Ord(c, "Default", 0) ? 1 : 0;
        look.Image = ButtonImage(c, look.Enabled);
        look.HasImage = look.Image != nullptr;
        break;
    case TLookKind::CheckBox:
        look.State = static_cast<int>(Ord(c, "State", 0));
        if (TComponent* action = LinkedAction(c))
            look.State = Ord(*action, "Checked", 0) ? 1 : 0;
        break;
    case TLookKind::RadioButton:
        look.State = Linked(c, "Checked", Ord(c, "Checked", 0)) ? 1 : 0;
        break;
    case TLookKind::Edit:
        if (const std::string mask = Str(c, "PasswordChar"); !mask.empty() && mask != "#0")
            look.Text = std::string(look.Text.size(), mask[0]);
        break;
    case TLookKind::Memo:
        look.Items = Lines(c, "Lines");
        if (auto* memo = dynamic_cast<TMemo*>(&c); memo && memo->ScrollBars() != ssNone) {
            const Win32::UINT dpi = memo->HandleAllocated()
                                        ? Win32::GetDpiForWindow(memo->Handle())
                                        : static_cast<Win32::UINT>(Screen().PixelsPerInch());
            const TScrollStyle bars = memo->ScrollBars();
            if (bars == ssVertical || bars == ssBoth)
                look.VScroll = Win32::GetSystemMetricsForDpi(Win32::SM_CXVSCROLL, dpi);
            if (bars == ssHorizontal || bars == ssBoth)
                look.HScroll = Win32::GetSystemMetricsForDpi(Win32::SM_CYHSCROLL, dpi);
        }
        break;
    case TLookKind::ListBox:
    case TLookKind::CheckListBox:
    case TLookKind::ComboBox:
    case TLookKind::RadioGroup:
        look.Items = Lines(c, "Items");
        look.Index = static_cast<int>(Ord(c, "ItemIndex", -1));
        look.Columns = std::max(1, static_cast<int>(Ord(c, "Columns", 1)));
        if (look.Kind == TLookKind::ComboBox && look.Index >= 0 &&
            look.Index < static_cast<int>(look.Items.size()))
            look.Text = look.Items[static_cast<std::size_t>(look.Index)];
        break;
    case TLookKind::PageControl:
        if (auto* pages = dynamic_cast<TPageControl*>(&c)) {
            std::vector<int> imageIndexes;
            for (int i = 0; i < pages->PageCount(); ++i) {
                TTabSheet* sheet = pages->Pages(i);
                if (!Ord(*sheet, "TabVisible", 1))
                    continue;
                if (sheet == pages->ActivePage())
                    look.Index = static_cast<int>(imageIndexes.size());
                imageIndexes.push_back(static_cast<int>(Ord(*sheet, "ImageIndex", 0)));
            }
            TabsOf(*pages, imageIndexes, look);
        }
        break;
    case TLookKind::TabControl:
        look.Index = static_cast<int>(Ord(c, "TabIndex", -1));
        if (auto* tabs = dynamic_cast<TWinControl*>(&c)) {
            // The window's tab control selects its first tab as tabs arrive, so
            // a file that stores no TabIndex shows the first one.
            if (const TPropertyBag* bag = tabs->BagIfAny(); !bag || !bag->HasOrd("TabIndex"))
                look.Index = 0;
            // Without an OnGetImageIndex handler a tab shows the image of its index.
            std::vector<int> imageIndexes(Lines(c, "Tabs").size());
            for (std::size_t i = 0; i < imageIndexes.size(); ++i)
                imageIndexes[i] = static_cast<int>(i);
            TabsOf(*tabs, imageIndexes, look);
        }
        break;
    case TLookKind::StatusBar:
        if (Ord(c, "SimplePanel", 0))
            look.Text = Str(c, "SimpleText");
        else
            CollectionItems(c, "Panels", "Text", look);
        break;
    case TLookKind::ListView: CollectionItems(c, "Columns", "Caption", look); break;
    case TLookKind::ProgressBar:
    case TLookKind::TrackBar: {
        const std::int64_t min = Ord(c, "Min", 0), max = Ord(c, "Max", 100);
        look.State = static_cast<int>(Ord(c, "Position", 0) - min);
        look.Range = static_cast<int>(std::max<std::int64_t>(max - min, 0));
        break;
    }
    case TLookKind::Grid:
        look.Columns = static_cast<int>(Ord(c, "DefaultColWidth", 64));
        look.State = static_cast<int>(Ord(c, "DefaultRowHeight", 24));
        look.Index = static_cast<int>(Ord(c, "FixedRows", 1) | (Ord(c, "FixedCols", 1) << 8));
        break;
    default: break;
    }
    return look;
}

TWindowLook TakeWindowLook(TCustomForm& form) {
    TWindowLook look;
    look.BorderStyle = EnumName(form, "BorderStyle", "bsSizeable");
    const TBorderIcons icons = form.BorderIcons();
    look.SystemMenu = (icons & (1u << biSystemMenu)) != 0;
    look.Minimize = (icons & (1u << biMinimize)) != 0;
    look.Maximize = (icons & (1u << biMaximize)) != 0;
    look.Help = (icons & (1u << biHelp)) != 0;
    // Only the menu the window shows; a dialog's is not.
    if (TMainMenu* menu = form.MenuOnBar()) {
        for (int i = 0; i < menu->Items()->Count(); ++i) {
            TMenuItem& item = *menu->Items()->Items(i);
            if (!Linked(item, "Visible", item.Visible()) || item.Caption() == "-")
                continue;
            std::string caption = item.Caption();
            if (TComponent* action = LinkedAction(item))
                caption = Str(*action, "Caption");
            look.Menu.push_back({caption, Linked(item, "Enabled", item.Enabled())});
        }
    }
    return look;
}

} // namespace QuorvelTool
