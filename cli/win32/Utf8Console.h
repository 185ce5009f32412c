#pragma once

namespace hwd {

// While it lives, a console that shows the program's standard output or error
// reads the bytes written to it as UTF-8, as wavedump writes file names; the
// console's own code page would show a name outside it as '?'. The console
// gets its code page back afterwards, since it outlives the program. Output
// into a file or a pipe is left alone.
class Utf8Console final {
public:
    Utf8Console() noexcept;
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

private:
    unsigned previousCodePage_ = 0; // 0: not changed
};

} // namespace hwd
