// SPDX-License-Identifier: GPL-3.0-or-later
// Paints the drawing operations of the daily bar graph on an image.
#pragma once

#include <QImage>
#include <vector>

#include "views/analysis/daily_bars.h"

namespace trafikon {

// An image of width x height with the operations painted in order.
QImage PaintDailyGraph(const std::vector<DrawOp>& ops, int width, int height);

}  // namespace trafikon
