#pragma once

#include "RenderedPage.h"
#include "ReportLayout.h"

// Lays a filled layout out once into rendered pages: positions moved from the margin corner to
// the paper corner, display formats applied, pictures decoded. Invisible objects never appear;
// non-printable ones appear on screen (the preview) but not on paper, PDF or exports.
class ReportRenderer {
public:
    enum class Target { Paper, Screen };

    static QList<RenderedPage> render(const ReportLayout& layout, Target target = Target::Paper);
    static RenderedPage renderPage(const ReportPage& page, Target target = Target::Paper);
};
