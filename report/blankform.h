#pragma once

#include <QImage>

// An example of the paper the slips are printed on: a blank 241 × 140 mm
// sales-slip form with its printed captions and boxes, as a scan would show
// it. The default template's values land in its boxes.
namespace BlankForm {

QImage Draw(double dpi = 150);

} // namespace BlankForm
