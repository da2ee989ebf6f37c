#include "HtmlReport.h"

#include "FormPainter.h"
#include "Markup.h"

#include <algorithm>
#include <sstream>

namespace QuorvelTool {

namespace {

const char* const PageStyle =
    R"(body{font-family:"DejaVu Sans",Arial,sans-serif;font-size:14px;color:#1a1a1a;margin:20px}
h1{font-size:20px}h2{font-size:17px;margin-top:28px}h3{font-size:15px}
table{border-collapse:collapse;margin:8px 0}
th,td{border:1px solid #bbb;padding:2px 8px;text-align:left}
td.num{text-align:right}
.picture{overflow-x:auto}
.error{color:#b00020}
.none{color:#555}
#sweep-controls{display:flex;gap:12px;align-items:center;margin:8px 0}
#sweep-slider{width:min(600px,80vw)}
#sweep-size{font-weight:bold;font-variant-numeric:tabular-nums}
[hidden]{display:none !important}
)";

// The slider shows one sweep step at a time; without script every step stays
// visible. Nothing from the form file is in the script: it reads data attributes.
const char* const PageScript = R"((function () {
  var slider = document.getElementById('sweep-slider');
  if (!slider) return;
  var steps = Array.prototype.slice.call(document.querySelectorAll('#sweep .step'));
  var size = document.getElementById('sweep-size');
  function show(index) {
    steps.forEach(function (step, k) { step.hidden = k !== index; });
    var text = steps[index].getAttribute('data-size');
    size.textContent = 'client ' + text;
    slider.setAttribute('aria-valuetext', text);
  }
  slider.addEventListener('input', function () { show(Number(slider.value)); });
  show(Number(slider.value));
  if (location.hash !== '#selftest') return;
  // Moves the slider as a user would and writes down what each step showed.
  var lines = [];
  for (var i = Number(slider.min); i <= Number(slider.max); i++) {
    slider.value = String(i);
    slider.dispatchEvent(new Event('input', { bubbles: true }));
    var shown = steps.filter(function (step) { return step.offsetWidth > 0; });
    var picture = shown.length === 1 ? shown[0].querySelector('svg') : null;
    var drawn = picture ? Math.round(picture.getBoundingClientRect().width) + 'x' +
                          Math.round(picture.getBoundingClientRect().height) : '-';
    lines.push(i + ' ' + size.textContent.replace('client ', '') + ' ' +
               (shown.map(function (step) { return step.id; }).join(',') || '-') + ' ' + drawn);
  }
  var result = document.createElement('pre');
  result.id = 'selftest';
  result.textContent = lines.join('\n');
  document.body.appendChild(result);
})();
)";

std::string SizeText(int w, int h) { return std::to_string(w) + "x" + std::to_string(h); }

std::string Cell(const std::string& text, bool number = false) {
    return std::string(number ? "<td class=\"num\">" : "<td>") + MarkupEscape(text) + "</td>";
}

void WriteFindings(std::ostream& html, const std::vector<const TFinding*>& findings) {
    if (findings.empty()) {
        html << "<p class=\"none\">No findings.</p>\n";
        return;
    }
    html << "<table class=\"findings\"><thead><tr><th>size</th><th>control</th><th>kind</th>"
            "<th>finding</th></tr></thead><tbody>\n";
    for (const TFinding* f : findings)
        html << "<tr>" << Cell(SizeText(f->Width, f->Height) + "@" + std::to_string(f->Dpi))
             << Cell(f->Control) << Cell(f->Kind) << Cell(f->Message) << "</tr>\n";
    html << "</tbody></table>\n";
}

void WriteBounds(std::ostream& html, const TSnapshot& s) {
    html << "<p>form " << MarkupEscape(s.FormName) << ", client "
         << SizeText(s.ClientWidth, s.ClientHeight) << ", window " << s.WindowLeft << ","
         << s.WindowTop << "," << s.WindowRight << "," << s.WindowBottom << ", font " << s.FontSize
         << ", " << MarkupEscape(s.State) << "</p>\n";
    if (s.Error)
        html << "<p class=\"error\">error: " << MarkupEscape(*s.Error) << "</p>\n";
    if (s.Controls.empty())
        return;
    html << "<table class=\"bounds\"><thead><tr><th>name</th><th>class</th><th>owner</th>"
            "<th>left</th><th>top</th><th>width</th><th>height</th><th>font</th>"
            "<th>parentFont</th></tr></thead><tbody>\n";
    for (const TControlState& c : s.Controls)
        html << "<tr>" << Cell(c.Name.empty() ? "(unnamed)" : c.Name) << Cell(c.ClassName)
             << Cell(c.Owner) << Cell(std::to_string(c.Left), true)
             << Cell(std::to_string(c.Top), true) << Cell(std::to_string(c.Width), true)
             << Cell(std::to_string(c.Height), true)
             << Cell(c.FontSize ? std::to_string(*c.FontSize) : "-", true)
             << Cell(c.ParentFont ? "yes" : "no") << "</tr>\n";
    html << "</tbody></table>\n";
}

// A snapshot's picture, bounds and the findings at its size.
void WriteSnapshot(std::ostream& html, const THtmlReport& report, std::size_t index,
                   const std::string& id, const std::string& extraAttributes) {
    const TSnapshot& s = report.Snapshots[index];
    html << "<section class=\"snapshot" << (extraAttributes.empty() ? "" : " step") << "\" id=\""
         << id << "\"" << extraAttributes << ">\n<h3>" << index + 1 << ". after "
         << MarkupEscape(s.Action) << "</h3>\n";
    // Ids are unique per picture: clip paths are looked up in the whole page.
    std::string clipPrefix = std::to_string(index);
    clipPrefix.insert(0, 1, 's').push_back('c');
    html << "<div class=\"picture\">\n" << MakeFormSvg({s}, clipPrefix) << "</div>\n";
    WriteBounds(html, s);
    std::vector<const TFinding*> here;
    if (s.State != "minimized")
        for (const TFinding& f : report.Findings)
            if (f.Width == s.ClientWidth && f.Height == s.ClientHeight)
                here.push_back(&f);
    if (!here.empty()) {
        html << "<h4>Findings at this size</h4>\n";
        WriteFindings(html, here);
    }
    html << "</section>\n";
}

} // namespace

std::string MakeHtml(const THtmlReport& report) {
    const std::size_t total = report.Snapshots.size();
    const std::size_t sweep = std::min(report.SweepCount, total);
    const std::size_t firstStep = total - sweep;

    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>quorvel: " << MarkupEscape(report.FormFile) << "</title>\n<style>\n"
         << PageStyle << "</style>\n</head>\n<body>\n";
    const std::string formName = total ? report.Snapshots.front().FormName : std::string();
    html << "<h1>" << MarkupEscape(report.FormFile) << "</h1>\n<p>form " << MarkupEscape(formName)
         << " at " << report.Dpi << " DPI, " << total << (total == 1 ? " snapshot" : " snapshots")
         << ", " << report.Findings.size()
         << (report.Findings.size() == 1 ? " finding" : " findings") << "</p>\n";

    html << "<section id=\"findings\">\n<h2>Layout check</h2>\n";
    std::vector<const TFinding*> all;
    for (const TFinding& f : report.Findings)
        all.push_back(&f);
    WriteFindings(html, all);
    html << "</section>\n";

    if (firstStep > 0) {
        html << "<section id=\"snapshots\">\n<h2>Snapshots</h2>\n";
        for (std::size_t i = 0; i < firstStep; ++i)
            WriteSnapshot(html, report, i, "snapshot-" + std::to_string(i), "");
        html << "</section>\n";
    }

    if (sweep > 0) {
        const TSnapshot& first = report.Snapshots[firstStep];
        html << "<section id=\"sweep\">\n<h2>Sweep</h2>\n<div id=\"sweep-controls\">\n"
             << "<label for=\"sweep-slider\">Size</label>\n"
             << "<input type=\"range\" id=\"sweep-slider\" min=\"0\" max=\"" << sweep - 1
             << "\" step=\"1\" value=\"0\" aria-valuetext=\""
             << SizeText(first.ClientWidth, first.ClientHeight) << "\">\n"
             << "<output id=\"sweep-size\" for=\"sweep-slider\" aria-live=\"polite\">client "
             << SizeText(first.ClientWidth, first.ClientHeight) << "</output>\n</div>\n";
        for (std::size_t k = 0; k < sweep; ++k) {
            const TSnapshot& s = report.Snapshots[firstStep + k];
            WriteSnapshot(html, report, firstStep + k, "step-" + std::to_string(k),
                          " data-size=\"" + SizeText(s.ClientWidth, s.ClientHeight) + "\"");
        }
        html << "</section>\n";
    }

    html << "<script>\n" << PageScript << "</script>\n</body>\n</html>\n";
    return html.str();
}

} // namespace QuorvelTool
