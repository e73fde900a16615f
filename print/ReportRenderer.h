#pragma once

#include "RenderedPage.h"
#include "ReportLayout.h"

// Lays a filled layout out once into rendered pages: only visible, printable objects, positions
// moved from the margin corner to the paper corner, display formats applied, pictures decoded.
class ReportRenderer {
public:
    static QList<RenderedPage> render(const ReportLayout& layout);
    static RenderedPage renderPage(const ReportPage& page);
};
