#pragma once

// Qt's own Chinese texts (buttons and labels of the file dialog, the message boxes' standard
// buttons), built into the program from Qt's translations, for every standard dialog to
// speak the language of the rest of the program whatever the system's. Call once the
// application object exists.
class QtTranslations {
public:
    // False (and a log line) when the built-in translation could not be loaded.
    static bool install();
};
