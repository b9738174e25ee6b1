// Filling a shown report field, up to its first complete layout, for three
// comparisons of the same two 20,000-net files (a fifth of the nets
// changed): as they are, with a ground net of 8,000 nodes added to both, and
// with one of 16,000 nodes. One uncoloured append of the first report's text
// is the baseline. All four are measured side by side in every iteration:
//   a_times_append  the report without ground net over the plain append
//   b_ground_over_a the report with the 8,000-node ground net over that
//   c_double_over_b the 16,000-node ground net over the 8,000-node one
// Needs a display:
//   scripts/with-display.sh build/bench/bench_report
#include "benchutil.h"

#include "netlist/differencer.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace
{
class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// A net of `nodes` pins found in no other net, as a ground net is; in the
// second file about one pin in 50 is another one.
kqNetList::Net GroundNet(size_t nodes, bool changed)
{
    kqNetList::Net net;
    net.m_name = "GND";
    for (size_t i = 0; i < nodes; ++i)
    {
        const unsigned pin = changed && i % 50 == 25 ? 3 : 2;
        net.m_nodes.emplace_back(wxString::Format("C%zu.%u", i, pin));
    }
    return net;
}

// The generated files, with a ground net of `ground` nodes when that is not
// 0, compared.
std::unique_ptr<kqNetDifferencer> Compare(size_t ground)
{
    kqNetList first = benchutil::Generate(20000, 0, 1);
    kqNetList second = benchutil::Perturb(first, 0.2, 2);
    if (ground)
    {
        first.m_nets.push_back(GroundNet(ground, false));
        second.m_nets.push_back(GroundNet(ground, true));
    }
    const std::string path1 = benchutil::TempPath("report1.net");
    const std::string path2 = benchutil::TempPath("report2.net");
    benchutil::WriteAs(0, first, path1);
    benchutil::WriteAs(0, second, path2);
    std::unique_ptr<kqNetDifferencer> differencer(new kqNetDifferencer);
    if (!differencer->Execute(path1, 0, path2, 0))
        std::fprintf(stderr, "the comparison failed\n");
    std::remove(path1.c_str());
    std::remove(path2.c_str());
    return differencer;
}

// Seconds that `fill` takes on a fresh, shown report field, until the
// toolkit has done all that the fill left for it: the field's layout among
// it.
double TimeIntoNewField(wxFrame& frame, const std::function<void(wxTextCtrl&)>& fill)
{
    wxTextCtrl* text =
        new wxTextCtrl(&frame, wxID_ANY, wxString(), wxDefaultPosition, wxSize(700, 500),
                       wxTE_READONLY | wxTE_MULTILINE | wxTE_RICH);
    wxYield();
    const auto start = std::chrono::steady_clock::now();
    fill(*text);
    text->Update();
    wxYield();
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    text->Destroy();
    wxYield();
    return seconds.count();
}

void BM_ReportField(benchmark::State& state)
{
    const std::unique_ptr<kqNetDifferencer> plain = Compare(0);
    const std::unique_ptr<kqNetDifferencer> ground = Compare(8000);
    const std::unique_ptr<kqNetDifferencer> doubled = Compare(16000);
    const wxString plainText = plain->GetText();
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "report", wxDefaultPosition, wxSize(800, 600));
    frame->Show();

    double append = 0, report = 0, withGround = 0, withDoubled = 0;
    for (auto _ : state)
    {
        append += TimeIntoNewField(*frame, [&](wxTextCtrl& text) { text.AppendText(plainText); });
        const double seconds =
            TimeIntoNewField(*frame, [&](wxTextCtrl& text) { plain->GetText(text); });
        state.SetIterationTime(seconds);
        report += seconds;
        withGround += TimeIntoNewField(*frame, [&](wxTextCtrl& text) { ground->GetText(text); });
        withDoubled += TimeIntoNewField(*frame, [&](wxTextCtrl& text) { doubled->GetText(text); });
    }
    delete frame;
    const double iterations = static_cast<double>(state.iterations());
    state.counters["records"] = static_cast<double>(plain->m_diffs.size());
    state.counters["append_ms"] = append * 1000 / iterations;
    state.counters["ground_ms"] = withGround * 1000 / iterations;
    state.counters["double_ms"] = withDoubled * 1000 / iterations;
    state.counters["a_times_append"] = report / append;
    state.counters["b_ground_over_a"] = withGround / report;
    state.counters["c_double_over_b"] = withDoubled / withGround;
}
BENCHMARK(BM_ReportField)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
}

int main(int argc, char** argv)
{
    wxApp::SetInstance(new BenchApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit())
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
