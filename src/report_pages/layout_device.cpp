#include "report_pages/layout_device.h"

namespace pylora {

LayoutDevice::LayoutDevice(const QPaintDevice& like) {
    metrics_[PdmWidth] = like.width();
    metrics_[PdmHeight] = like.height();
    metrics_[PdmWidthMM] = like.widthMM();
    metrics_[PdmHeightMM] = like.heightMM();
    metrics_[PdmNumColors] = like.colorCount();
    metrics_[PdmDepth] = like.depth();
    metrics_[PdmDpiX] = like.logicalDpiX();
    metrics_[PdmDpiY] = like.logicalDpiY();
    metrics_[PdmPhysicalDpiX] = like.physicalDpiX();
    metrics_[PdmPhysicalDpiY] = like.physicalDpiY();
    metrics_[PdmDevicePixelRatio] = static_cast<int>(like.devicePixelRatio());
    metrics_[PdmDevicePixelRatioScaled] = static_cast<int>(like.devicePixelRatio() * devicePixelRatioFScale());
}

int LayoutDevice::metric(PaintDeviceMetric metric) const {
    return metric >= 0 && metric < static_cast<int>(metrics_.size()) ? metrics_[metric] : QPaintDevice::metric(metric);
}

}  // namespace pylora
