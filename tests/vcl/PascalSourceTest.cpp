// Pascal units and project files as ancestor lookup reads them: class headers
// through comments, directives, strings, generics and unit-qualified names, and
// the units (with their forms) a project lists.
#include "quorvel/vcl/PascalSource.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Vcl;

namespace {

String ParentOf(std::string_view unit, const String& cls) {
    const auto parents = ReadClassParents(unit);
    auto it = parents.find(AnsiUpperCase(cls));
    return it == parents.end() ? "<none>" : it->second;
}

String Normal(const String& path) {
    return std::filesystem::path(path).lexically_normal().generic_string();
}

} // namespace

TEST(PascalSource, ClassHeadersReadThroughWhatTheLanguageAllows) {
    const char* const unit = R"(unit Orders;
interface
uses Forms, {TFakeA = class(TWrong)} Base.Forms;
const
  Note = 'TFakeB = class(TWrong)';
type
  { TFakeC = class(TWrong) }
  (* TFakeD = class(TWrong) *)
  // TFakeE = class(TWrong)
  TOrderForm = class {sealed}(TBaseDialog)
  end;
  TSealedForm = class sealed (Base.Forms.TBaseForm)
  end;
  TAbstractFrame = class abstract(TFrame);
  TGenericList<T: class> = class(TList<T>)
  end;
  TPlain = class
  end;
  TForward = class;
  TFormClass = class of TOrderForm;
  TFormHelper = class helper for TOrderForm
  end;
  [ComponentPlatforms(pidWin32)]
  TWithAttribute = class(TComponent, IInterface)
  end;
  &Type = class(TObject);
  TDirective = class(
    {$IFDEF NEW}TNewBase{$ELSE}TOldBase{$ENDIF})
  end;
  TCompare = (A, B);
  X = 1 <= 2;
implementation
type
  TLocal = class(TOrderForm);
  TOrderForm = class(TSecondDeclaration);
end.
)";
    EXPECT_EQ(ParentOf(unit, "TOrderForm"), "TBaseDialog"); // the first declaration counts
    EXPECT_EQ(ParentOf(unit, "tsealedform"), "TBaseForm");
    EXPECT_EQ(ParentOf(unit, "TAbstractFrame"), "TFrame");
    EXPECT_EQ(ParentOf(unit, "TGenericList"), "TList");
    EXPECT_EQ(ParentOf(unit, "TPlain"), "");
    EXPECT_EQ(ParentOf(unit, "TWithAttribute"), "TComponent");
    EXPECT_EQ(ParentOf(unit, "Type"), "TObject");
    EXPECT_EQ(ParentOf(unit, "TDirective"), "TNewBase"); // directives are not evaluated
    EXPECT_EQ(ParentOf(unit, "TLocal"), "TOrderForm");
    for (const char* none : {"TFakeA", "TFakeB", "TFakeC", "TFakeD", "TFakeE", "TForward",
                             "TFormClass", "TFormHelper", "TCompare", "X"})
        EXPECT_EQ(ParentOf(unit, none), "<none>") << none;
    // Cut anywhere, a unit still reads without running past its end.
    const String text = unit;
    for (std::size_t n = 0; n < text.size(); n += 7)
        ReadClassParents(text.substr(0, n));
}

TEST(PascalSource, ProjectFilesListTheirUnitsWithTheirForms) {
    const char* const dpr = R"(program Shop;
{$R *.res}
uses
  Vcl.Forms,
  Main in 'Main.pas' {MainForm},
  Orders in 'Forms\Orders.pas' {OrderForm: TBaseDialog},
  Data.Module in '..\Shared\Data.Module.pas' {DataModule1: TDataModule},
  Helpers,
  Odd in 'It''s.pas' (* no form *);
begin
  Application.Run;
end.
)";
    const auto units = ReadProjectUnits(dpr, false, "proj");
    ASSERT_EQ(units.size(), 6u);
    EXPECT_EQ(Normal(units[0].Path), "proj/Vcl.Forms.pas");
    EXPECT_EQ(units[0].FormName, "");
    EXPECT_EQ(Normal(units[1].Path), "proj/Main.pas");
    EXPECT_EQ(units[1].FormName, "MainForm");
    EXPECT_EQ(Normal(units[2].Path), "proj/Forms/Orders.pas");
    EXPECT_EQ(units[2].FormName, "OrderForm");
    EXPECT_EQ(Normal(units[3].Path), "Shared/Data.Module.pas");
    EXPECT_EQ(units[3].FormName, "DataModule1");
    EXPECT_EQ(Normal(units[4].Path), "proj/Helpers.pas");
    EXPECT_EQ(Normal(units[5].Path), "proj/It's.pas");
    EXPECT_EQ(units[5].FormName, ""); // only braces hold the form

    const char* const dpk = "package Tools;\nrequires rtl, vcl;\ncontains\n"
                            "  ToolFrame in 'ToolFrame.pas' {ToolFrame: TFrame};\nend.\n";
    const auto packaged = ReadProjectUnits(dpk, false, "pkg");
    ASSERT_EQ(packaged.size(), 1u);
    EXPECT_EQ(packaged[0].FormName, "ToolFrame");

    const char* const dproj = R"xml(<Project>
  <ItemGroup>
    <DelphiCompile Include="$(MainSource)"><MainSource>MainSource</MainSource></DelphiCompile>
    <DCCReference Include="Main.pas">
      <Form>MainForm</Form>
      <FormType>dfm</FormType>
    </DCCReference>
    <DCCReference Include="Forms\Orders &amp; Returns.pas">
      <Form>OrderForm</Form>
      <DesignClass>TFrame</DesignClass>
    </DCCReference>
    <DCCReference Include="Helpers.pas"/>
    <DCCReference Include="Lib.dcp"/>
  </ItemGroup>
</Project>
)xml";
    const auto referenced = ReadProjectUnits(dproj, true, "proj");
    ASSERT_EQ(referenced.size(), 3u);
    EXPECT_EQ(referenced[0].FormName, "MainForm");
    EXPECT_EQ(Normal(referenced[1].Path), "proj/Forms/Orders & Returns.pas");
    EXPECT_EQ(referenced[1].FormName, "OrderForm");
    EXPECT_EQ(referenced[2].FormName, "");
}
