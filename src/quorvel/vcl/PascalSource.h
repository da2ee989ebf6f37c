// What the Pascal sources of a project say about its form classes: the class a
// unit derives each class it declares from, and the units (with the forms they
// hold) a project file lists. A real tokenizer reads them, so comments, compiler
// directives, strings, generics, attributes and unit-qualified names are taken
// for what they are.
#pragma once

#include "quorvel/vcl/SysUtils.h"

#include <map>
#include <vector>

namespace Vcl {

// Upper-cased class name -> the class its declaration derives it from (the last
// part of a dotted name, without generic arguments); empty for a class declared
// without one. The first declaration of a name counts; forward declarations,
// class references (`class of`) and helpers are none.
std::map<String, String> ReadClassParents(std::string_view source);

struct TProjectUnit {
    String Path;     // resolved against the project file's folder
    String FormName; // the form, frame or data module the unit holds, or empty
};

// The units of a Delphi project or package: the `uses` or `contains` clause of
// a .dpr or .dpk (`Unit2 in 'Forms\Unit2.pas' {Form2}`), or the DCCReference
// items of a .dproj (`<DCCReference Include="..."><Form>Form2</Form>`). A unit
// named without a path is taken to be beside the project.
std::vector<TProjectUnit> ReadProjectUnits(std::string_view source, bool msbuild,
                                           const String& folder);

} // namespace Vcl
