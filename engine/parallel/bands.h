#pragma once

#include <functional>

namespace vask {

// Runs work(firstRow, endRow) over [0, rows) in bands, one band per core, and returns when
// all bands are done. The caller's thread takes a band itself; the other cores come from a
// small pool that lives as long as the program. Bands smaller than minRowsPerBand are not
// split further, so tiny pictures run on the caller's thread alone. work must not throw.
void forEachBand(int rows, const std::function<void(int firstRow, int endRow)>& work,
                 int minRowsPerBand = 16);

// How many threads forEachBand uses: the cores the system reports, or VASK_THREADS when set.
int bandThreadCount();

} // namespace vask
