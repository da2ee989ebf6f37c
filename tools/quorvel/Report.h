// The three ways `quorvel run` reports its snapshots: a readable table, a JSON
// array other tools can script against, and a picture.
#pragma once

#include "Snapshot.h"

#include <ostream>
#include <string>
#include <vector>

namespace QuorvelTool {

void WriteTable(const std::vector<TSnapshot>& snapshots, std::ostream& out);

// One JSON array, one element per snapshot; the field names and their order are
// part of the tool's contract.
void WriteJson(const std::vector<TSnapshot>& snapshots, std::ostream& out);

// The snapshots side by side: each form's caption and client area, every control a
// labelled rectangle at its bounds.
std::string MakeSvg(const std::vector<TSnapshot>& snapshots);

// Converts an SVG file with rsvg-convert. Returns an empty string on success, else
// what went wrong (the converter missing included).
std::string ConvertSvgToPng(const std::string& svgFile, const std::string& pngFile);
// Whether rsvg-convert is on the PATH.
bool HavePngConverter();

} // namespace QuorvelTool
