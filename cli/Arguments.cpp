#include "Arguments.h"

#include "transfer/WaveDumpMessage.h"

#include <algorithm>
#include <cstdio>

namespace hwd {

namespace {

bool isHelp(std::string_view argument) noexcept
{
    return argument == "--help" || argument == "-h";
}

// Digits only, no sign and no spaces; nothing when the value passes limit.
std::optional<std::uint64_t> parseUnsigned(std::string_view text, std::uint64_t limit) noexcept
{
    if (text.empty() || text.size() > 20)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return value;
}

std::string quoted(std::string_view text)
{
    return "'" + std::string(text) + "'";
}

class Parser final {
public:
    Parser(int argc, char** argv, const ArgumentRules& rules) noexcept : argc_(argc), argv_(argv), rules_(rules) {}

    ParseResult run()
    {
        ParseResult result;
        Arguments& out = result.arguments;
        for (int i = 0; i < argc_; ++i) {
            const std::string_view argument = argv_[i];
            if (argument == "--")
                break;
            if (isHelp(argument)) {
                out.help = true;
                return result;
            }
        }
        bool optionsEnded = false;
        for (index_ = 0; index_ < argc_ && result.problem.empty(); ++index_) {
            const std::string_view argument = argv_[index_];
            if (optionsEnded || argument == "-" || argument.empty() || argument.front() != '-')
                result.problem = addFile(out, argument);
            else if (argument == "--")
                optionsEnded = true;
            else
                result.problem = option(out, argument);
        }
        if (result.problem.empty())
            result.problem = missing(out);
        return result;
    }

private:
    std::string addFile(Arguments& out, std::string_view file)
    {
        if (out.files.size() >= rules_.maxFiles)
            return "unexpected argument " + quoted(file);
        out.files.emplace_back(file);
        return {};
    }

    // Splits "--name=value"; the value of "--name" is the next argument.
    std::string option(Arguments& out, std::string_view argument)
    {
        std::string_view name = argument;
        std::optional<std::string_view> inlineValue;
        if (const auto equals = argument.find('='); argument.starts_with("--") && equals != std::string_view::npos) {
            name = argument.substr(0, equals);
            inlineValue = argument.substr(equals + 1);
        }
        if (name == "--output")
            name = "-o";

        const bool known = (rules_.waveOps && (name == "--op" || name == "--seed"))
            || (rules_.slot && name == "--slot") || ((rules_.output || rules_.optionalOutput) && name == "-o")
            || std::find(rules_.otherOptions.begin(), rules_.otherOptions.end(), name) != rules_.otherOptions.end();
        if (!known)
            return "unknown option " + quoted(name);

        std::string_view value;
        if (inlineValue) {
            value = *inlineValue;
        } else if (index_ + 1 < argc_) {
            value = argv_[++index_];
        } else {
            return std::string(name) + " needs a value";
        }
        return store(out, name, value);
    }

    static std::string store(Arguments& out, std::string_view name, std::string_view value)
    {
        if (name == "--op") {
            const std::optional<WaveOp> op = waveOpNamed(value);
            if (!op)
                return "unknown op " + quoted(value) + " (one of " + waveOpNames() + ")";
            out.ops.push_back(*op);
            return {};
        }
        if (name == "--seed") {
            if (out.seed)
                return "--seed given twice";
            const auto seed = parseUnsigned(value, UINT32_MAX);
            if (!seed)
                return "--seed must be 0 to 4294967295, got " + quoted(value);
            out.seed = static_cast<std::uint32_t>(*seed);
            return {};
        }
        if (name == "--slot") {
            if (out.slot)
                return "--slot given twice";
            const auto slot = parseUnsigned(value, UINT32_MAX);
            if (!slot || *slot < WaveDumpMessage::firstUserSlot || *slot > WaveDumpMessage::lastUserSlot)
                return "--slot must be 97 to 128, got " + std::string(value);
            out.slot = static_cast<int>(*slot);
            return {};
        }
        if (name == "-o") {
            if (out.output)
                return "-o given twice";
            if (value.empty())
                return "-o needs a file name";
            out.output = std::string(value);
            return {};
        }
        if (out.other(name) != nullptr)
            return std::string(name) + " given twice";
        out.others.emplace_back(name, value);
        return {};
    }

    std::string missing(const Arguments& out) const
    {
        if (rules_.maxFiles > 0 && out.files.empty())
            return "missing FILE";
        if (rules_.slot && !out.slot)
            return "missing --slot N";
        if (rules_.output && !out.output)
            return "missing -o OUT";
        return {};
    }

    int argc_;
    char** argv_;
    const ArgumentRules& rules_;
    int index_ = 0;
};

} // namespace

const std::string* Arguments::other(std::string_view name) const noexcept
{
    for (const auto& [key, value] : others) {
        if (key == name)
            return &value;
    }
    return nullptr;
}

ParseResult parseArguments(int argc, char** argv, const ArgumentRules& rules)
{
    return Parser(argc, argv, rules).run();
}

int usageError(std::string_view command, std::string_view problem)
{
    // One line whatever the arguments quoted in it hold.
    std::string line(problem);
    std::replace_if(line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::fprintf(stderr, "wavedump %.*s: %s\n", static_cast<int>(command.size()), command.data(), line.c_str());
    return 2;
}

CommandLine parseCommandLine(std::string_view command, const char* usage, int argc, char** argv,
    const ArgumentRules& rules)
{
    ParseResult parsed = parseArguments(argc, argv, rules);
    CommandLine line{std::move(parsed.arguments), std::nullopt};
    if (line.arguments.help) {
        std::fputs(usage, stdout);
        line.exitCode = 0;
    } else if (!parsed.problem.empty()) {
        line.exitCode = usageError(command, parsed.problem);
    }
    return line;
}

} // namespace hwd
