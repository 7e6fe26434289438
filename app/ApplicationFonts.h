#pragma once

// Loads the fonts shipped in "./fonts" and sets the application font: the first family of
// HarmonyOS Sans SC at 14 pixels, or "Microsoft YaHei" when it is missing. The Source Han
// Sans faces only become available by name.
class ApplicationFonts {
public:
    static void install();
};
