#include "bench/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

extern char** environ;

ChildProcess::~ChildProcess()
{
    Stop();
}

bool ChildProcess::Start(const std::vector<std::string>& args, const std::vector<std::string>& env, bool captureOutput)
{
    std::vector<std::string> environment;
    for (char** e = environ; *e; ++e)
        environment.emplace_back(*e);
    environment.insert(environment.end(), env.begin(), env.end());
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environment)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    int fds[2] = {-1, -1};
    if (captureOutput) {
        if (pipe2(fds, O_CLOEXEC) != 0)
            return false;
        posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const int result = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (captureOutput) {
        close(fds[1]);
        m_out = fds[0];
    }
    if (result != 0) {
        m_pid = -1;
        return false;
    }
    return true;
}

bool ChildProcess::ReadLine(std::string& line, int timeoutMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (true) {
        const auto newline = m_buffer.find('\n');
        if (newline != std::string::npos) {
            line = m_buffer.substr(0, newline);
            m_buffer.erase(0, newline + 1);
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now()).count();
        if (m_out < 0 || left <= 0)
            return false;
        pollfd p{m_out, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            return false;
        char chunk[512];
        const ssize_t n = read(m_out, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        m_buffer.append(chunk, static_cast<size_t>(n));
    }
}

bool ChildProcess::Wait(double& cpuSeconds, int& exitStatus)
{
    cpuSeconds = 0;
    exitStatus = -1;
    if (m_pid <= 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(m_pid, &status, 0, &usage) != m_pid)
        return false;
    m_pid = -1;
    cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                 static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;
}

void ChildProcess::Stop()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        int status = 0;
        bool ended = false;
        for (int i = 0; i < 500 && !ended; ++i) {
            ended = waitpid(m_pid, &status, WNOHANG) == m_pid;
            if (!ended)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!ended) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
        }
        m_pid = -1;
    }
    if (m_out >= 0) {
        close(m_out);
        m_out = -1;
    }
}

bool RunMeasured(const std::vector<std::string>& args, const std::vector<std::string>& env, double& cpuSeconds,
                 double& wallSeconds)
{
    ChildProcess child;
    const auto start = std::chrono::steady_clock::now();
    if (!child.Start(args, env, false))
        return false;
    int exitStatus = -1;
    const bool ok = child.Wait(cpuSeconds, exitStatus);
    wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return ok && exitStatus == 0;
}
