#include "platform/display_modes.h"

#include <QGuiApplication>
#include <QScreen>

namespace kravelo {
namespace {

// The screen as Qt reports it; used where no mode switching is available.
class SingleDisplayMode : public DisplayModeService {
public:
    std::vector<DisplayMode> DisplayModesAll() override { return {ReadCurrentDisplayMode()}; }
    DisplayMode ReadCurrentDisplayMode() override {
        DisplayMode mode;
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->size() * screen->devicePixelRatio();
            mode.width = size.width();
            mode.height = size.height();
            mode.bitsPerPixel = screen->depth();
            mode.refreshRate = static_cast<int>(screen->refreshRate() + 0.5);
        }
        return mode;
    }
    bool ChangeDisplayMode(const DisplayMode&) override { return false; }
};

}  // namespace

std::unique_ptr<DisplayModeService> MakeDisplayModeService() { return std::make_unique<SingleDisplayMode>(); }

}  // namespace kravelo
