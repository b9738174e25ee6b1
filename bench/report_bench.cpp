// Filling the report field with a 20,000-net report, against one uncoloured
// append of the same text, measured side by side in every iteration
// (times_single_append is the one over the other). Needs a display:
//   scripts/with-display.sh build/bench/bench_report
#include "benchutil.h"

#include "netlist/differencer.h"

#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdio>
#include <functional>

namespace
{
class BenchApp : public wxApp
{
public:
    bool OnInit() override { return true; }
};

// Two generated files of 20,000 nets, a fifth of them changed, compared.
const kqNetDifferencer& Comparison()
{
    static kqNetDifferencer differencer;
    static const bool done = [] {
        const kqNetList first = benchutil::Generate(20000, 0, 1);
        const std::string path1 = benchutil::TempPath("report1.net");
        const std::string path2 = benchutil::TempPath("report2.net");
        benchutil::WriteAs(0, first, path1);
        benchutil::WriteAs(0, benchutil::Perturb(first, 0.2, 2), path2);
        const bool executed = differencer.Execute(path1, 0, path2, 0);
        std::remove(path1.c_str());
        std::remove(path2.c_str());
        return executed;
    }();
    if (!done)
        std::fprintf(stderr, "the comparison failed\n");
    return differencer;
}

// Seconds that `fill` takes on a fresh, shown report field.
double TimeIntoNewField(wxFrame& frame, const std::function<void(wxTextCtrl&)>& fill)
{
    wxTextCtrl* text =
        new wxTextCtrl(&frame, wxID_ANY, wxString(), wxDefaultPosition, wxSize(700, 500),
                       wxTE_MULTILINE | wxTE_READONLY | wxTE_RICH2);
    const auto start = std::chrono::steady_clock::now();
    fill(*text);
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start;
    text->Destroy();
    return seconds.count();
}

void BM_ColouredReport(benchmark::State& state)
{
    const kqNetDifferencer& differencer = Comparison();
    const wxString plain = differencer.GetText();
    wxFrame* frame = new wxFrame(nullptr, wxID_ANY, "report", wxDefaultPosition, wxSize(800, 600));
    frame->Show();

    double coloured = 0;
    double uncoloured = 0;
    for (auto _ : state)
    {
        const double seconds =
            TimeIntoNewField(*frame, [&](wxTextCtrl& text) { differencer.GetText(text); });
        state.SetIterationTime(seconds);
        coloured += seconds;
        uncoloured += TimeIntoNewField(*frame, [&](wxTextCtrl& text) { text.AppendText(plain); });
    }
    delete frame;
    state.counters["records"] = static_cast<double>(differencer.m_diffs.size());
    state.counters["single_append_ms"] =
        uncoloured * 1000 / static_cast<double>(state.iterations());
    state.counters["times_single_append"] = coloured / uncoloured;
}
BENCHMARK(BM_ColouredReport)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
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
