// The display-mode service against a real X server's RandR. Under xvfb-run the server offers one
// mode; the test adds two more to the output (as an administrator's "xrandr --addmode" would),
// lists, switches and switches back, and removes them again.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstring>
#include <string>

#include "platform/display_modes.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

using namespace kravelo;

namespace {

// Adds modes to the first connected output and takes them away again at the end.
class ExtraModes {
public:
    explicit ExtraModes(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}
    ~ExtraModes() {
        for (RRMode id : added_) {
            XRRDeleteOutputMode(display_, output_, id);
            XRRDestroyMode(display_, id);
        }
        XSync(display_, False);
    }

    bool Add(unsigned width, unsigned height) {
        XRRScreenResources* res = XRRGetScreenResources(display_, root_);
        if (!res) return false;
        output_ = 0;
        for (int i = 0; i < res->noutput && !output_; ++i) {
            XRROutputInfo* info = XRRGetOutputInfo(display_, res, res->outputs[i]);
            if (info && info->connection == RR_Connected && info->crtc) output_ = res->outputs[i];
            if (info) XRRFreeOutputInfo(info);
        }
        XRRFreeScreenResources(res);
        if (!output_) return false;
        std::string name = std::to_string(width) + "x" + std::to_string(height) + "_kravelo_test";
        XRRModeInfo mode;
        std::memset(&mode, 0, sizeof mode);
        mode.width = width;
        mode.height = height;
        mode.hTotal = width + 256;
        mode.vTotal = height + 28;
        mode.dotClock = static_cast<unsigned long>(mode.hTotal) * mode.vTotal * 60;  // 60 Hz
        mode.name = name.data();
        mode.nameLength = static_cast<unsigned>(name.size());
        const RRMode id = XRRCreateMode(display_, root_, &mode);
        if (!id) return false;
        XRRAddOutputMode(display_, output_, id);
        XSync(display_, False);
        added_.push_back(id);
        return true;
    }

private:
    Display* display_;
    Window root_;
    RROutput output_ = 0;
    std::vector<RRMode> added_;
};

std::string SizeOf(const DisplayMode& m) { return std::to_string(m.width) + "x" + std::to_string(m.height); }

bool Has(const std::vector<DisplayMode>& modes, int width, int height) {
    return std::any_of(modes.begin(), modes.end(),
                       [&](const DisplayMode& m) { return m.width == width && m.height == height; });
}

}  // namespace

TEST(XRandrDisplayModes, ListChangeAndRefuse) {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) GTEST_SKIP() << "needs an X display (xvfb-run)";
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    std::unique_ptr<DisplayModeService> service = MakeDisplayModeService();
    const DisplayMode original = service->ReadCurrentDisplayMode();
    ASSERT_GT(original.width, 800);
    EXPECT_EQ(original.bitsPerPixel, DefaultDepth(display, DefaultScreen(display)));
    {
        ExtraModes extra(display);
        // Whatever fails below, the screen goes back to where it was before the modes go.
        struct Restore {
            DisplayModeService& service;
            DisplayMode mode;
            ~Restore() {
                if (!(service.ReadCurrentDisplayMode() == mode)) service.ChangeDisplayMode(mode);
            }
        } restore{*service, original};
        ASSERT_TRUE(extra.Add(800, 600));
        ASSERT_TRUE(extra.Add(640, 480));

        const std::vector<DisplayMode> modes = service->DisplayModesAll();
        EXPECT_TRUE(Has(modes, original.width, original.height));
        EXPECT_TRUE(Has(modes, 640, 480));
        for (const DisplayMode& m : modes) EXPECT_EQ(m.bitsPerPixel, original.bitsPerPixel);
        const auto added = std::find_if(modes.begin(), modes.end(), [](const DisplayMode& m) { return m.width == 800; });
        ASSERT_NE(added, modes.end());
        EXPECT_EQ(added->refreshRate, 60);

        // A listed mode is taken (and reads back as the current one below); 0 keeps the current
        // depth.
        EXPECT_TRUE(service->ChangeDisplayMode({800, 600, 0, 0}));
        EXPECT_FALSE(service->ChangeDisplayMode({640, 0, 0, 0}));  // 640x600 is no mode
        EXPECT_TRUE(service->ChangeDisplayMode({640, 480, original.bitsPerPixel, 0}));

        // Refused: a size the output does not offer, and a depth the running screen cannot take.
        EXPECT_FALSE(service->ChangeDisplayMode({1000, 500, 0, 0}));
        EXPECT_FALSE(service->ChangeDisplayMode({800, 600, original.bitsPerPixel + 8, 0}));
        EXPECT_EQ(SizeOf(service->ReadCurrentDisplayMode()), "640x480");

        // And back.
        EXPECT_TRUE(service->ChangeDisplayMode({original.width, original.height, 0, 0}));
        // Asking for the mode already shown is no change and succeeds.
        EXPECT_TRUE(service->ChangeDisplayMode(original));
    }
    XCloseDisplay(display);
}
