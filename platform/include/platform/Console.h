#pragma once

namespace platform {

// The console a command-line program writes to.
class Console {
public:
    enum class Stream { Output, Error };

    // Whether the stream is a terminal (a console window) rather than a file or a pipe.
    static bool isTerminal(Stream stream);
    // Columns of the terminal on the stream; 80 when it is none or cannot tell.
    static int width(Stream stream);
    // UTF-8 written to the streams shows as the text it is. Windows: the console's output
    // code page becomes UTF-8. Linux: terminals take UTF-8 already.
    static void useUtf8();
};

} // namespace platform
