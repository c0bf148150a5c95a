#pragma once

namespace ui {

// The windows' geometry is laid out for Tahoma, which Linux lacks; the fallback sans faces are
// wider and cut the captions. Debian's fonts-wine ships a face made to Tahoma's metrics (not
// known to the font system: it lies in wine's own folder): this loads it as an application
// font, regular and bold, where the file is present and the system has no Tahoma of its own.
// Call it once a GUI application exists, before the first window; later calls do nothing.
void loadProgramFonts();

} // namespace ui
