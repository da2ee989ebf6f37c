#include "Report.h"

#include <nlohmann/json.hpp>

namespace QuorvelTool {

void WriteJson(const std::vector<TSnapshot>& snapshots, std::ostream& out) {
    // Insertion order is the documented field order.
    using json = nlohmann::ordered_json;
    json all = json::array();
    for (const TSnapshot& s : snapshots) {
        json item;
        item["action"] = s.Action;
        json form;
        form["name"] = s.FormName;
        form["client"] = {s.ClientWidth, s.ClientHeight};
        form["window"] = {s.WindowLeft, s.WindowTop, s.WindowRight, s.WindowBottom};
        form["font"] = s.FontSize;
        form["state"] = s.State;
        form["dpi"] = s.Dpi;
        form["scale"] = s.DisplayScale;
        item["form"] = std::move(form);
        json controls = json::array();
        for (const TControlState& c : s.Controls) {
            json control;
            control["name"] = c.Name;
            control["class"] = c.ClassName;
            control["owner"] = c.Owner;
            control["bounds"] = {c.Left, c.Top, c.Width, c.Height};
            control["font"] = c.FontSize ? json(*c.FontSize) : json(nullptr);
            control["parentFont"] = c.ParentFont;
            controls.push_back(std::move(control));
        }
        item["controls"] = std::move(controls);
        json events = json::array();
        for (const auto& [x, y] : s.Events)
            events.push_back({x, y});
        item["events"] = std::move(events);
        if (s.Error)
            item["error"] = *s.Error;
        all.push_back(std::move(item));
    }
    // Names and messages come from files: bytes that are not UTF-8 must not stop
    // the report.
    out << all.dump(2, ' ', false, json::error_handler_t::replace) << "\n";
}

} // namespace QuorvelTool
