#include "platform/display_modes.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>

// Xlib's headers define names (Bool, Status, None, ...) that clash with Qt's: they come last.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

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

// Errors of the calls below (a mode the server refuses answers BadMatch or BadValue) are
// counted instead of ending the process, which is what Xlib's own handler does.
int xErrors = 0;
int CountXError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// The primary output's modes through RandR 1.2: listing them, the one its CRTC shows, and
// switching that CRTC to another of them. X cannot change the depth of a running screen, so
// every mode has the screen's depth and a change to another depth is refused.
class XRandrDisplayModes : public DisplayModeService {
public:
    explicit XRandrDisplayModes(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}
    ~XRandrDisplayModes() override { XCloseDisplay(display_); }

    std::vector<DisplayMode> DisplayModesAll() override {
        std::vector<DisplayMode> modes;
        Output out;
        if (!ReadOutput(&out)) return screen_.DisplayModesAll();
        for (RRMode id : out.modes)
            if (const XRRModeInfo* info = ModeInfo(out.resources, id)) modes.push_back(ModeOf(*info, out.rotation));
        out.Free();
        return modes;
    }

    DisplayMode ReadCurrentDisplayMode() override {
        DisplayMode mode;
        Output out;
        if (!ReadOutput(&out)) return screen_.ReadCurrentDisplayMode();
        if (const XRRModeInfo* info = ModeInfo(out.resources, out.current)) mode = ModeOf(*info, out.rotation);
        out.Free();
        return mode;
    }

    bool ChangeDisplayMode(const DisplayMode& wanted) override {
        const DisplayMode current = ReadCurrentDisplayMode();
        if (current.width == 0) return false;
        DisplayMode target = current;
        if (wanted.width > 0) target.width = wanted.width;
        if (wanted.height > 0) target.height = wanted.height;
        if (wanted.bitsPerPixel > 0 && wanted.bitsPerPixel != Depth()) return false;

        Output out;
        if (!ReadOutput(&out)) return false;
        // The output's first mode of that size (outputs list their preferred modes first), or
        // the one nearest the requested refresh rate.
        RRMode chosen = 0;
        int chosenDistance = 0;
        for (RRMode id : out.modes) {
            const XRRModeInfo* info = ModeInfo(out.resources, id);
            if (!info) continue;
            const DisplayMode m = ModeOf(*info, out.rotation);
            if (m.width != target.width || m.height != target.height) continue;
            const int distance = wanted.refreshRate > 0 ? std::abs(m.refreshRate - wanted.refreshRate)
                                 : id == out.current ? -1
                                                     : 0;
            if (chosen == 0 || distance < chosenDistance) {
                chosen = id;
                chosenDistance = distance;
            }
        }
        bool sent = false;
        if (chosen != 0 && chosen != out.current) sent = SetMode(out, chosen, target);
        out.Free();
        if (chosen == 0 || (chosen != out.current && !sent)) return false;
        // What the screen shows now decides, not what was asked for.
        const DisplayMode now = ReadCurrentDisplayMode();
        return now.width == target.width && now.height == target.height;
    }

private:
    struct Output {
        XRRScreenResources* resources = nullptr;
        RRCrtc crtc = 0;
        RRMode current = 0;
        Rotation rotation = RR_Rotate_0;
        int x = 0, y = 0;
        std::vector<RRMode> modes;
        std::vector<RROutput> crtcOutputs;
        void Free() {
            if (resources) XRRFreeScreenResources(resources);
            resources = nullptr;
        }
    };

    int Depth() const { return DefaultDepth(display_, DefaultScreen(display_)); }

    static const XRRModeInfo* ModeInfo(const XRRScreenResources* res, RRMode id) {
        for (int i = 0; i < res->nmode; ++i)
            if (res->modes[i].id == id) return &res->modes[i];
        return nullptr;
    }

    DisplayMode ModeOf(const XRRModeInfo& info, Rotation rotation) const {
        DisplayMode mode;
        const bool sideways = rotation & (RR_Rotate_90 | RR_Rotate_270);
        mode.width = static_cast<int>(sideways ? info.height : info.width);
        mode.height = static_cast<int>(sideways ? info.width : info.height);
        mode.bitsPerPixel = Depth();
        double lines = info.vTotal;
        if (info.modeFlags & RR_DoubleScan) lines *= 2;
        if (info.modeFlags & RR_Interlace) lines /= 2;
        if (info.hTotal > 0 && lines > 0)
            mode.refreshRate = static_cast<int>(static_cast<double>(info.dotClock) / (info.hTotal * lines) + 0.5);
        return mode;
    }

    // The primary output, else the first connected one that shows a picture.
    bool ReadOutput(Output* out) {
        out->resources = XRRGetScreenResourcesCurrent(display_, root_);
        if (!out->resources) return false;
        std::vector<RROutput> candidates;
        if (RROutput primary = XRRGetOutputPrimary(display_, root_)) candidates.push_back(primary);
        for (int i = 0; i < out->resources->noutput; ++i) candidates.push_back(out->resources->outputs[i]);
        for (RROutput id : candidates) {
            XRROutputInfo* info = XRRGetOutputInfo(display_, out->resources, id);
            if (!info) continue;
            const bool usable = info->connection == RR_Connected && info->crtc != 0;
            if (usable) {
                out->crtc = info->crtc;
                out->modes.assign(info->modes, info->modes + info->nmode);
            }
            XRRFreeOutputInfo(info);
            if (!usable) continue;
            XRRCrtcInfo* crtc = XRRGetCrtcInfo(display_, out->resources, out->crtc);
            if (!crtc) break;
            out->current = crtc->mode;
            out->rotation = crtc->rotation;
            out->x = crtc->x;
            out->y = crtc->y;
            out->crtcOutputs.assign(crtc->outputs, crtc->outputs + crtc->noutput);
            XRRFreeCrtcInfo(crtc);
            if (out->current != 0) return true;
            break;
        }
        out->Free();
        return false;
    }

    bool SetMode(const Output& out, RRMode mode, const DisplayMode& size) {
        XSync(display_, False);
        xErrors = 0;
        XErrorHandler previous = XSetErrorHandler(CountXError);
        // A mode larger than the screen needs a larger screen first; a smaller one leaves the
        // screen as it is, so the other outputs keep their place.
        const int screenWidth = std::max(DisplayWidth(display_, DefaultScreen(display_)), out.x + size.width);
        const int screenHeight = std::max(DisplayHeight(display_, DefaultScreen(display_)), out.y + size.height);
        if (screenWidth > DisplayWidth(display_, DefaultScreen(display_)) ||
            screenHeight > DisplayHeight(display_, DefaultScreen(display_))) {
            int minW = 0, minH = 0, maxW = 0, maxH = 0;
            XRRGetScreenSizeRange(display_, root_, &minW, &minH, &maxW, &maxH);
            if (screenWidth > maxW || screenHeight > maxH) {
                XSetErrorHandler(previous);
                return false;
            }
            const double mmPerPixel = static_cast<double>(DisplayWidthMM(display_, DefaultScreen(display_))) /
                                      std::max(1, DisplayWidth(display_, DefaultScreen(display_)));
            XRRSetScreenSize(display_, root_, screenWidth, screenHeight, static_cast<int>(screenWidth * mmPerPixel),
                             static_cast<int>(screenHeight * mmPerPixel));
        }
        std::vector<RROutput> outputs = out.crtcOutputs;
        const int status = XRRSetCrtcConfig(display_, out.resources, out.crtc, CurrentTime, out.x, out.y, mode,
                                            out.rotation, outputs.data(), static_cast<int>(outputs.size()));
        XSync(display_, False);
        XSetErrorHandler(previous);
        return status == RRSetConfigSuccess && xErrors == 0;
    }

    Display* display_;
    Window root_;
    // What Qt reports, while no output shows a picture (all of them switched off, say).
    SingleDisplayMode screen_;
};

}  // namespace

std::unique_ptr<DisplayModeService> MakeDisplayModeService() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        // An own connection to the display Qt uses; RandR 1.2 or later is needed for outputs.
        const QByteArray name = qgetenv("DISPLAY");
        if (Display* display = XOpenDisplay(name.isEmpty() ? nullptr : name.constData())) {
            int event = 0, error = 0, major = 0, minor = 0;
            if (XRRQueryExtension(display, &event, &error) && XRRQueryVersion(display, &major, &minor) &&
                (major > 1 || (major == 1 && minor >= 2)))
                return std::make_unique<XRandrDisplayModes>(display);
            XCloseDisplay(display);
        }
    }
    return std::make_unique<SingleDisplayMode>();
}

}  // namespace kravelo
