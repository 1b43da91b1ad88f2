// SPDX-License-Identifier: GPL-3.0-or-later
// How an analysis asks the C library to hand memory back to the system. A
// busy month frees tens of megabytes between counting the hits and writing
// the results; kept by the allocator between blocks still in use, it would
// count twice at the peak.
#pragma once

namespace trafikon {

// Blocks of a megabyte and more are mapped on their own, so freeing one gives
// it back whatever lies around it. Once per process; harmless to call again.
void MapLargeBlocksApart();

}  // namespace trafikon
