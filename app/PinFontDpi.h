#pragma once

// Renders at 96 DPI and scale 1 unless the user chose a font DPI: sets "QT_FONT_DPI" to
// "96" and "QT_SCALE_FACTOR" to "1.0" when "QT_FONT_DPI" is unset or empty. Must run
// before the application object exists.
void PinFontDpi();
