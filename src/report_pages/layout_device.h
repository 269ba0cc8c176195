#pragma once
// The measures of the PDF's pages without the writer: text laid out on worker threads while the
// writer draws on its own thread. A laid-out document asks its device only for these numbers
// (the resolution above all); the writer itself changes its page as it goes, sideways for a sketch.
#include <QPaintDevice>
#include <array>

namespace pylora {

class LayoutDevice : public QPaintDevice {
public:
    // The device's measures as `like` gives them now.
    explicit LayoutDevice(const QPaintDevice& like);
    QPaintEngine* paintEngine() const override { return nullptr; }  // never painted on

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    std::array<int, PdmDevicePixelRatioScaled + 1> metrics_{};
};

}  // namespace pylora
