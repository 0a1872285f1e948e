// A program the benchmark runs as its child: an agent it walks, or one
// snmpwalk whose CPU time it measures.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

class ChildProcess
{
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `args` (args[0] a path) with `env` added to the environment;
    // its standard output goes to a pipe when `captureOutput`, else with its
    // errors to /dev/null.
    bool Start(const std::vector<std::string>& args, const std::vector<std::string>& env, bool captureOutput);
    // One line of its output (without the newline), waiting up to timeoutMs.
    bool ReadLine(std::string& line, int timeoutMs);
    // Waits for its end; its CPU time (user and system) in seconds.
    bool Wait(double& cpuSeconds, int& exitStatus);
    // SIGTERM, then SIGKILL after 5 s.
    void Stop();

private:
    pid_t m_pid = -1;
    int m_out = -1;
    std::string m_buffer;
};

// Runs `args` to its end with its output thrown away: its CPU seconds and
// wall seconds; false when it could not run or failed.
bool RunMeasured(const std::vector<std::string>& args, const std::vector<std::string>& env, double& cpuSeconds,
                 double& wallSeconds);
