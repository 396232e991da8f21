#pragma once

namespace vask {

class TPicbuf;

// Maps a picture of 8 or fewer bits per pixel onto the common palette: the palette file the
// preferences name (FileOptions Palette), read into the disk control dialog's hidden
// RZ_Palette buffer. Deeper pictures are left alone. A missing palette file is said in an
// information box and the picture stays as it was. Shows the busy cursor and "Mapping
// Palettes......." while it works, "No Function" after; a palette file that cannot be read
// throws to the caller, which reports it with its own code.
void MapToCommonPalette(TPicbuf& picture);

} // namespace vask
