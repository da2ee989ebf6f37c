#include "Report.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace QuorvelTool {

namespace {

std::string Fixed(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.4f", value);
    return buffer;
}

// Columns padded to their widest cell; numbers to the right.
void WriteColumns(const std::vector<std::vector<std::string>>& rows,
                  const std::vector<bool>& rightAligned, std::ostream& out) {
    std::vector<std::size_t> widths(rightAligned.size(), 0);
    for (const auto& row : rows)
        for (std::size_t i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], row[i].size());
    for (const auto& row : rows) {
        std::string line = "  ";
        for (std::size_t i = 0; i < row.size(); ++i) {
            const std::string pad(widths[i] - row[i].size(), ' ');
            line += rightAligned[i] ? pad + row[i] : row[i] + pad;
            if (i + 1 < row.size())
                line += "  ";
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << "\n";
    }
}

} // namespace

void WriteTable(const std::vector<TSnapshot>& snapshots, std::ostream& out) {
    bool first = true;
    for (const TSnapshot& s : snapshots) {
        if (!first)
            out << "\n";
        first = false;
        out << "after " << s.Action << "\n";
        out << "  form " << s.FormName << "  client " << s.ClientWidth << "x" << s.ClientHeight
            << "  window " << s.WindowLeft << "," << s.WindowTop << "," << s.WindowRight << ","
            << s.WindowBottom << "  font " << s.FontSize << "  " << s.State << "  dpi " << s.Dpi;
        if (s.DisplayScale != 1.0) {
            char scale[32];
            std::snprintf(scale, sizeof scale, "  shown x%.2f", s.DisplayScale);
            out << scale;
        }
        out << "\n";
        if (!s.Controls.empty()) {
            std::vector<std::vector<std::string>> rows{
                {"name", "class", "owner", "left", "top", "width", "height", "font", "parentFont"}};
            for (const TControlState& c : s.Controls)
                rows.push_back({c.Name.empty() ? "(unnamed)" : c.Name, c.ClassName, c.Owner,
                                std::to_string(c.Left), std::to_string(c.Top),
                                std::to_string(c.Width), std::to_string(c.Height),
                                c.FontSize ? std::to_string(*c.FontSize) : "-",
                                c.ParentFont ? "yes" : "no"});
            WriteColumns(rows, {false, false, false, true, true, true, true, true, false}, out);
        }
        if (s.Events.empty()) {
            out << "  events: none\n";
        } else {
            out << "  events:";
            for (const auto& [x, y] : s.Events)
                out << " (" << Fixed(x) << ", " << Fixed(y) << ")";
            out << "\n";
        }
        if (s.Error)
            out << "  error: " << *s.Error << "\n";
    }
}

} // namespace QuorvelTool
