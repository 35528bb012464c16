// Cost of one refresh tick of the window: Timer2Timer, then the painting it causes (the
// events processed right after it), with the register image unchanged and with every
// register new each tick. The window's own timers are held. Usage: bench_refresh_tick [ticks]
#include <QEvent>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fonts.h"
#include "panel_application.h"
#include "protocol_state.h"
#include "register_image.h"
#include "tform1.h"

namespace {

using Clock = std::chrono::steady_clock;

double Us(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

// Counts the paint events of a window and its widgets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

struct Tick {
    double handlerUs = 0;
    double withPaintingUs = 0;
    double repaints = 0;
};

// Every register moves far each tick: the lamps and the run bit toggle, the bars swing
// between low and high, and every number shown is one not shown the tick before.
void ChangeEveryRegister(RegisterImage& image, int tick) {
    const bool high = tick % 2 == 1;
    for (std::size_t reg = 0; reg < RegisterImage::kRegisterCount; ++reg) {
        image.Registers[reg] = static_cast<std::uint16_t>(high ? 900 - tick % 50 : 100 + tick % 50);
    }
    image.Registers[0] = static_cast<std::uint16_t>(image.Registers[0] * 10);
    image.Registers[3] = high ? 1 : 0;
    image.Registers[12] = static_cast<std::uint16_t>(image.Registers[12] / 10);
    image.Registers[13] = high ? 0x1FF : 0;
    image.Registers[15] = static_cast<std::uint16_t>(3000 + image.Registers[15]);
    image.Registers[23] = static_cast<std::uint16_t>(2000 + image.Registers[23]);
}

// A plausible running controller's image.
void SetSteadyImage(RegisterImage& image) {
    image.Registers = {};
    image.Registers[0] = 5000;
    image.Registers[3] = 1;
    image.Registers[10] = 540;
    image.Registers[11] = 500;
    image.Registers[12] = 55;
    image.Registers[13] = 0x101;
    image.Registers[15] = 3800;
    image.Registers[20] = image.Registers[21] = image.Registers[22] = 125;
    image.Registers[23] = 2301;
}

Tick TimeTick(TForm1& form, PaintCounter& counter) {
    counter.paints = 0;
    const Clock::time_point start = Clock::now();
    form.Timer2Timer();
    const Clock::time_point handled = Clock::now();
    QApplication::processEvents();
    const Clock::time_point painted = Clock::now();
    return {Us(handled - start), Us(painted - start), static_cast<double>(counter.paints)};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintRow(const char* what, const std::vector<Tick>& ticks) {
    std::vector<double> handler, withPainting, repaints;
    for (const Tick& tick : ticks) {
        handler.push_back(tick.handlerUs);
        withPainting.push_back(tick.withPaintingUs);
        repaints.push_back(tick.repaints);
    }
    std::printf("| %s | %zu | %.1f | %.1f | %.1f | %.1f | %.0f | %.0f |\n", what, ticks.size(),
                Median(handler), *std::max_element(handler.begin(), handler.end()),
                Median(withPainting), *std::max_element(withPainting.begin(), withPainting.end()),
                Median(repaints), *std::max_element(repaints.begin(), repaints.end()));
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    PanelApplication app(argc, argv);
    InstallFontSubstitutions();
    const int ticks = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    ProtocolState state;
    RegisterImage image;
    TForm1 form(state, image);
    form.show();
    form.Timer1.stop();
    form.Timer2.stop();
    SetSteadyImage(image);
    form.Timer2Timer();
    QApplication::processEvents();
    PaintCounter counter(&form);

    std::vector<Tick> unchanged, changing;
    for (int i = 0; i < ticks; ++i) {
        unchanged.push_back(TimeTick(form, counter));
    }
    for (int i = 0; i < ticks; ++i) {
        ChangeEveryRegister(image, i);
        changing.push_back(TimeTick(form, counter));
    }
    std::printf("Refresh tick: Timer2Timer, then the painting it causes; offscreen, %d ticks "
                "each\n\n",
                ticks);
    std::printf("| image | ticks | handler median us | handler max us | with painting median "
                "us | with painting max us | repaints median | repaints max |\n"
                "|---|---|---|---|---|---|---|---|\n");
    PrintRow("unchanged (goal 0 repaints)", unchanged);
    PrintRow("every register new", changing);
    std::printf("\nrepaints: paint events of the window's widgets per tick.\n");
    return 0;
}
