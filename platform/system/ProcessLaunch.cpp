#include "platform/system/ProcessLaunch.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// The terminal emulators tried after x-terminal-emulator, each with the option after which it takes the
// program to run and its arguments as separate words.
struct Terminal
{
    const char* name;
    const char* runOption;
};

constexpr Terminal kTerminals[] = {
    {"x-terminal-emulator", "-e"}, {"gnome-terminal", "--"}, {"konsole", "-e"},   {"xfce4-terminal", "-x"},
    {"mate-terminal", "-x"},       {"lxterminal", "-e"},     {"qterminal", "-e"}, {"terminator", "-x"},
    {"alacritty", "-e"},           {"kitty", nullptr},       {"xterm", "-e"},     {"urxvt", "-e"},
};

constexpr int kXdgSettingsTimeoutMs = 5000;

std::string GetEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::vector<std::string> SplitWords(const std::string& text)
{
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (true) {
        pos = text.find_first_not_of(" \t", pos);
        if (pos == std::string::npos)
            return words;
        const std::size_t end = text.find_first_of(" \t", pos);
        words.push_back(text.substr(pos, end - pos));
        pos = end;
    }
}

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

bool IsExecutableFile(const std::string& path)
{
    struct stat st
    {
    };
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::vector<char*> ArgvPointers(const std::vector<std::string>& argv)
{
    std::vector<char*> pointers;
    for (const auto& arg : argv)
        pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    return pointers;
}

// Runs a program with stdin from /dev/null and returns what it writes to stdout, or nothing when it
// cannot start, fails, or takes longer than the time-out (it is killed then).
std::optional<std::string> RunAndCapture(const std::vector<std::string>& argv, int timeoutMs)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    std::vector<char*> args = ArgvPointers(argv);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0].c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned != 0) {
        close(fds[0]);
        return std::nullopt;
    }

    std::string output;
    bool finished = false;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd pfd{fds[0], POLLIN, 0};
        const int ready = poll(&pfd, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            break;
        char buffer[1024];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            finished = n == 0;
            break;
        }
        output.append(buffer, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    if (!finished)
        kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (!finished || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return output;
}

// Replaces the desktop-entry field codes of one Exec argument: %u %U %f %F by the address, %% by "%",
// the others by nothing. An argument that was nothing but a code and is left empty is dropped.
void AddExecArgument(const std::string& arg, const std::string& address, std::vector<std::string>& command,
                     bool& placedAddress)
{
    std::string result;
    bool hadCode = false;
    for (std::size_t i = 0; i < arg.size(); ++i) {
        if (arg[i] != '%' || i + 1 == arg.size()) {
            result += arg[i];
            continue;
        }
        const char code = arg[++i];
        if (code == '%') {
            result += '%';
            continue;
        }
        hadCode = true;
        if (code == 'u' || code == 'U' || code == 'f' || code == 'F') {
            result += address;
            placedAddress = true;
        }
    }
    if (!(hadCode && result.empty()))
        command.push_back(result);
}

// The words of a desktop entry's Exec value: the string escapes (\s \n \t \r \\) first, then words
// separated by blanks, where double quotes enclose blanks and \" \` \$ \\ stand for the character.
std::vector<std::string> ExecWords(const std::string& value)
{
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        switch (value[++i]) {
        case 's':
            text += ' ';
            break;
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case 'r':
            text += '\r';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            text += '\\';
            text += value[i];
            break;
        }
    }

    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '\\' && i + 1 < text.size() && std::strchr("\"`$\\", text[i + 1]))
                word += text[++i];
            else if (c == '"')
                quoted = false;
            else
                word += c;
        } else if (c == ' ' || c == '\t') {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            if (c == '"')
                quoted = true;
            else
                word += c;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

// The Exec value of a desktop entry file's [Desktop Entry] group, or empty.
std::string DesktopEntryExec(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    bool inEntry = false;
    while (std::getline(file, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inEntry && equals != std::string::npos && Trim(line.substr(0, equals)) == "Exec")
            return Trim(line.substr(equals + 1));
    }
    return {};
}

std::string FindDesktopEntry(const std::string& desktopId)
{
    std::vector<std::string> dataDirs;
    const std::string dataHome = GetEnv("XDG_DATA_HOME");
    if (!dataHome.empty() && dataHome[0] == '/')
        dataDirs.push_back(dataHome);
    else if (!GetEnv("HOME").empty())
        dataDirs.push_back(GetEnv("HOME") + "/.local/share");
    std::string systemDirs = GetEnv("XDG_DATA_DIRS");
    if (systemDirs.empty())
        systemDirs = "/usr/local/share:/usr/share";
    for (const auto& dir : Split(systemDirs, ':'))
        if (!dir.empty() && dir[0] == '/')
            dataDirs.push_back(dir);
    for (const auto& dir : dataDirs) {
        const std::string path = dir + "/applications/" + desktopId;
        if (access(path.c_str(), R_OK) == 0)
            return path;
    }
    return {};
}

// A command whose first word is resolved to a program path, or empty when it resolves to none.
std::vector<std::string> Resolved(std::vector<std::string> command)
{
    if (command.empty())
        return {};
    command[0] = FindProgram(command[0]);
    if (command[0].empty())
        return {};
    return command;
}

std::vector<std::string> BrowserFromEnvironment(const std::string& address)
{
    for (const auto& entry : Split(GetEnv("BROWSER"), ':')) {
        std::vector<std::string> command;
        bool placedAddress = false;
        for (const auto& word : SplitWords(entry)) {
            std::string arg;
            for (std::size_t i = 0; i < word.size(); ++i) {
                if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 's') {
                    arg += address;
                    placedAddress = true;
                    ++i;
                } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') {
                    arg += '%';
                    ++i;
                } else {
                    arg += word[i];
                }
            }
            if (!arg.empty() || word != "%s")
                command.push_back(arg);
        }
        if (!placedAddress && !address.empty())
            command.push_back(address);
        command = Resolved(std::move(command));
        if (!command.empty())
            return command;
    }
    return {};
}

std::vector<std::string> BrowserFromDesktop(const std::string& address)
{
    const std::string xdgSettings = FindProgram("xdg-settings");
    if (xdgSettings.empty())
        return {};
    const auto output = RunAndCapture({xdgSettings, "get", "default-web-browser"}, kXdgSettingsTimeoutMs);
    if (!output)
        return {};
    const std::string desktopId = Trim(*output);
    if (desktopId.empty() || desktopId.find('/') != std::string::npos)
        return {};
    const std::string entry = FindDesktopEntry(desktopId);
    if (entry.empty())
        return {};
    std::vector<std::string> command;
    bool placedAddress = false;
    for (const auto& word : ExecWords(DesktopEntryExec(entry)))
        AddExecArgument(word, address, command, placedAddress);
    if (!placedAddress && !address.empty())
        command.push_back(address);
    return Resolved(std::move(command));
}

} // namespace

std::string FindProgram(const std::string& name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return IsExecutableFile(name) ? name : std::string();
    std::string path = GetEnv("PATH");
    if (!std::getenv("PATH"))
        path = "/usr/local/bin:/usr/bin:/bin";
    for (std::string dir : Split(path, ':')) {
        if (dir.empty())
            dir = ".";
        const std::string candidate = dir + "/" + name;
        if (IsExecutableFile(candidate))
            return candidate;
    }
    return {};
}

std::vector<std::string> WebBrowserCommand(const std::string& address)
{
    if (auto command = BrowserFromEnvironment(address); !command.empty())
        return command;
    if (auto command = BrowserFromDesktop(address); !command.empty())
        return command;
    std::vector<std::string> command{"xdg-open"};
    if (!address.empty())
        command.push_back(address);
    return Resolved(std::move(command));
}

bool StartDetachedProcess(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return false;
    std::vector<std::string> args = argv;
    args[0] = FindProgram(argv[0]);
    if (args[0].empty())
        return false;
    std::vector<char*> pointers = ArgvPointers(args);
    const char* program = args[0].c_str();

    // The grandchild reports a failed exec through the pipe; a successful exec closes it unwritten.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return false;
    const pid_t child = fork();
    if (child == 0) {
        // Only async-signal-safe calls from here on.
        close(fds[0]);
        setsid();
        const pid_t grandchild = fork();
        if (grandchild == 0) {
            sigset_t none;
            sigemptyset(&none);
            sigprocmask(SIG_SETMASK, &none, nullptr);
            struct sigaction dfl
            {
            };
            dfl.sa_handler = SIG_DFL;
            sigaction(SIGPIPE, &dfl, nullptr);
            execve(program, pointers.data(), environ);
            const int error = errno;
            [[maybe_unused]] const ssize_t written = write(fds[1], &error, sizeof error);
            _exit(127);
        }
        _exit(grandchild < 0 ? 1 : 0);
    }
    close(fds[1]);
    if (child < 0) {
        close(fds[0]);
        return false;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int execError = 0;
    ssize_t n;
    do {
        n = read(fds[0], &execError, sizeof execError);
    } while (n < 0 && errno == EINTR);
    close(fds[0]);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
}

bool StartInTerminal(const std::vector<std::string>& argv)
{
    if (argv.empty())
        return false;
    for (const auto& terminal : kTerminals) {
        const std::string path = FindProgram(terminal.name);
        if (path.empty())
            continue;
        std::vector<std::string> command{path};
        if (terminal.runOption)
            command.push_back(terminal.runOption);
        command.insert(command.end(), argv.begin(), argv.end());
        return StartDetachedProcess(command);
    }
    return false;
}
