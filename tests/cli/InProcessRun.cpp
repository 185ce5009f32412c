#include "InProcessRun.h"

#include "cli/Wavedump.h"

#include <unistd.h>

#include <cstdio>

using namespace hwd;

namespace {

std::string readWhole(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    while (const std::size_t got = std::fread(buffer, 1, sizeof buffer, file))
        text.append(buffer, got);
    return text;
}

// Points one of the process's standard streams at a scratch file until destroyed.
class CaughtStream {
public:
    CaughtStream(std::FILE* stream, int descriptor)
        : stream_(stream), descriptor_(descriptor), file_(std::tmpfile()), saved_(::dup(descriptor))
    {
        std::fflush(stream_);
        ::dup2(::fileno(file_), descriptor_);
    }
    CaughtStream(const CaughtStream&) = delete;
    CaughtStream& operator=(const CaughtStream&) = delete;

    ~CaughtStream()
    {
        release();
        std::fclose(file_);
    }

    // Puts the stream back and answers what was written to it.
    std::string release()
    {
        if (saved_ >= 0) {
            std::fflush(stream_);
            ::dup2(saved_, descriptor_);
            ::close(saved_);
            saved_ = -1;
        }
        return readWhole(file_);
    }

private:
    std::FILE* stream_;
    int descriptor_;
    std::FILE* file_;
    int saved_;
};

} // namespace

InProcessResult runInProcess(const std::vector<std::string>& args, MidiOutput& midi, bool stderrIsTerminal)
{
    std::vector<std::string> words{"wavedump"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    InProcessResult result;
    CaughtStream out(stdout, STDOUT_FILENO);
    CaughtStream err(stderr, STDERR_FILENO);
    result.exitCode = wavedumpMain(static_cast<int>(words.size()), argv.data(), midi, stderrIsTerminal);
    result.err = err.release();
    result.out = out.release();
    return result;
}
