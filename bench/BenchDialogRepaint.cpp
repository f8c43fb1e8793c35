// A full repaint of a 640 x 480 dialog with twenty controls of every common
// kind (labels, buttons, check boxes, radio buttons, edit fields, the
// agreement field, a list with check boxes, the progress bar, frames), from
// the invalid rectangle to the window's pixels, against one memcpy of the
// dialog's buffer. The ratio to the reference is the counter "x_reference";
// "repaint_ms" is the repaint's own time.
#include "bench/BenchApplication.h"
#include "bench/BenchMachine.h"
#include "platform/Machine.h"
#include "toolkit/KIVApplication.h"
#include "toolkit/KIVControlFactory.h"
#include "toolkit/KIVDialog.h"
#include "toolkit/controls/KIVListBoxCtrl.h"

#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

struct Made {
    LONG type;
    RECT rect;
    LONG state;
    const char16_t* text;
};

// Twenty controls spread over the dialog.
const Made kControls[] = {
    {3, {12, 8, 212, 150}, 0, u"Buttons"},
    {8, {24, 28, 104, 50}, 0, u"Push"},
    {8, {112, 28, 200, 50}, 4, u"Toggle"},
    {15, {24, 58, 200, 74}, 0, u"Two states"},
    {15, {24, 78, 200, 94}, 0x2000, u"Three states"},
    {15, {24, 98, 200, 114}, 2, u"Disabled"},
    {17, {24, 178, 200, 194}, 0, u"Typical"},
    {17, {24, 198, 200, 214}, 0, u"Compact"},
    {17, {24, 218, 200, 234}, 0, u"Custom"},
    {2, {12, 278, 212, 294}, 0, u"A label of the dialog"},
    {2, {12, 296, 212, 330}, 0, u"A longer label that breaks into two lines"},
    {19, {224, 26, 424, 48}, 0, u"Ada Lovelace"},
    {19, {224, 72, 424, 94}, 0x800, u"C:\\Program Files\\Kiv"},
    {20, {224, 118, 424, 250}, 0, u""},
    {33, {224, 274, 424, 298}, 0, u""},
    {27, {436, 26, 628, 250}, 0, u""},
    {6, {12, 396, 628, 400}, 0, u""},
    {8, {380, 440, 460, 462}, 0, u"Back"},
    {8, {464, 440, 544, 462}, 0, u"Next"},
    {8, {548, 440, 628, 462}, 0, u"Cancel"},
};

class TwentyControls : public KIVDialog {
public:
    TwentyControls() : KIVDialog(nullptr, -1) {}
    void OnInitControls() override {
        PlaceWindowAt(100, 100, 640, 480);
        LONG id = 1000;
        for (const Made& made : kControls) {
            KIVControlRecord record;
            record.type = made.type;
            record.id = id++;
            record.left = made.rect.left;
            record.top = made.rect.top;
            record.right = made.rect.right;
            record.bottom = made.rect.bottom;
            record.state = made.state;
            record.text = made.text;
            if (std::unique_ptr<KIVControl> control = KIVCreateControl(this, record))
                AddControl(std::move(control));
        }
        std::u16string agreement;
        for (int i = 0; i < 40; ++i)
            agreement += u"The licence is granted for one computer at a time. ";
        GetControl(1013)->SetText(agreement.c_str());
        auto* list = static_cast<KIVListBoxCtrl*>(GetControl(1015));
        for (const char16_t* name : {u"Program files", u"Help files", u"Samples", u"Fonts",
                                     u"Dictionaries", u"Tools", u"Drivers", u"Extras"})
            list->AddLine(std::make_unique<KIVListBoxLine>(list, name, true));
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

void RepaintDialog(benchmark::State& state) {
    BenchToolkitApplication();
    TwentyControls dialog;
    if (!dialog.Create(WS_POPUP | WS_VISIBLE, 0)) {
        state.SkipWithError("the dialog could not be made");
        return;
    }
    Pump();
    const std::size_t count =
        static_cast<std::size_t>(dialog.BufferWidth()) * dialog.BufferHeight();
    std::vector<DWORD> from(count, 0x00F4F1EC), to(count);
    double reference = 1e9;
    for (int round = 0; round < 20; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 100; ++i) {
            std::memcpy(to.data(), from.data(), count * sizeof(DWORD));
            benchmark::DoNotOptimize(to.data());
        }
        reference = std::min(
            reference,
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 100);
    }
    const RECT all{0, 0, dialog.BufferWidth(), dialog.BufferHeight()};
    const auto start = std::chrono::steady_clock::now();
    for (auto _ : state) {
        for (int i = 0; i < dialog.ControlCount(); ++i)
            dialog.ControlAt(i)->RequestFullDraw();
        dialog.Invalidate(all);
        UpdateWindow(dialog);
    }
    const double each =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() /
        static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["controls"] = dialog.ControlCount();
    state.counters["repaint_ms"] = each * 1e3;
    state.counters["reference_us"] = reference * 1e6;
    state.counters["x_reference"] = each / reference;
    dialog.DestroyWindow();
}
BENCHMARK(RepaintDialog)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarksOnFreshMachine(argc, argv);
}
