#pragma once

#include "printing/drawing_surface.h"
#include "printing/print_job.h"

#include <functional>
#include <vector>

namespace quillet::test {

// Letter paper at 600 dpi with the given unprintable margins (inches).
inline DeviceGeometry LetterGeometry(double left = 0, double top = 0, double right = 0, double bottom = 0)
{
    DeviceGeometry g;
    g.dpiX = 600;
    g.dpiY = 600;
    g.paper = QSizeF(8.5 * 600, 11 * 600);
    g.printable = QRectF(left * 600, top * 600, (8.5 - left - right) * 600, (11 - top - bottom) * 600);
    return g;
}

// The printing window as the run sees it: records every progress value.
struct ScriptedRunWindow : PrintRunWindow {
    std::vector<int> progress;
    bool pause = false;
    std::function<void(int)> onProgress;

    void setProgress(int percent) override
    {
        progress.push_back(percent);
        if (onProgress) onProgress(percent);
    }
    bool pauseBetweenSheets() const override { return pause; }
};

} // namespace quillet::test
