// A korvel-sim of the test's own on a free loopback port.
//
//     KorvelSimulator sim;                     // the base data file
//     KorvelSimulator sim({KorvelSimulator::BaseData(), "my.snmprec"}, {"--user", "u:SHA:password1"});
//     ASSERT_TRUE(sim.Running());
//     g_strDeviceIP = sim.Host();              // "127.0.0.1:PORT"
//     EXPECT_EQ(sim.Get("1.3.6.1.2.1.1.5.0"), "korvel-switch");
//     sim.Set(oid, SnmpValueInteger, "2");     // the agent's error status, -1 without reply
//     sim.SetReplyDelay(300); sim.SilenceFor(2000); sim.RefuseNextSet(oid, 5);
//     sim.LogLines();                          // what the simulator received (--log)
//
// The simulator stops when the object is destroyed. Header-only, so that every
// test folder can include it.
#pragma once

#include "platform/snmp/CSnmpTable.h"
#include "platform/snmp/CSnmpV1.h"
#include "tools/korvel-sim/SimControlMib.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

class KorvelSimulator
{
public:
    // The tests' 28-port switch and the data files of its features
    // (tests/support/data/), with the special states the tests need.
    static std::string BaseData() { return TestData("korvel-base.snmprec"); }
    static std::string TestData(const std::string& name)
    {
        return std::string(KORVEL_SOURCE_DIR) + "/tests/support/data/" + name;
    }
    // A sample model's switch as the demo runs it: its folder of data files
    // (tools/korvel-sim/data/MODEL/), given to korvel-sim whole with the files
    // every model shares: KorvelSimulator sim({}, KorvelSimulator::ModelArgs(model)).
    static std::string ModelFolder(const std::string& model)
    {
        return std::string(KORVEL_SOURCE_DIR) + "/tools/korvel-sim/data/" + model;
    }
    static std::vector<std::string> ModelArgs(const std::string& model) { return {"--model", ModelFolder(model)}; }
    // One data file of a sample model's folder.
    static std::string ModelData(const std::string& model, const std::string& file)
    {
        return ModelFolder(model) + "/" + file;
    }
    static std::string ReadCommunity() { return "mirtle"; }
    static std::string WriteCommunity() { return "quenbor"; }

    explicit KorvelSimulator(std::vector<std::string> dataFiles = {BaseData()}, std::vector<std::string> extraArgs = {})
    {
        char logTemplate[] = "/tmp/korvel-sim-log-XXXXXX";
        int fd = mkstemp(logTemplate);
        if (fd >= 0) {
            close(fd);
            m_logPath = logTemplate;
        }
        std::vector<std::string> args{KORVEL_SIM_PATH, "--port", "0", "--log", m_logPath};
        for (const std::string& file : dataFiles) {
            args.push_back("--data");
            args.push_back(file);
        }
        args.insert(args.end(), extraArgs.begin(), extraArgs.end());
        // A free port can be taken by someone else before the simulator binds
        // it: try again then.
        for (int attempt = 0; attempt < 3 && !m_running; ++attempt)
            Launch(args);
    }

    ~KorvelSimulator()
    {
        Stop();
        if (!m_logPath.empty())
            std::remove(m_logPath.c_str());
    }

    KorvelSimulator(const KorvelSimulator&) = delete;
    KorvelSimulator& operator=(const KorvelSimulator&) = delete;

    bool Running() const { return m_running; }
    const std::string& Host() const { return m_host; }
    int Port() const { return m_port; }
    pid_t Pid() const { return m_pid; }
    const std::string& LogPath() const { return m_logPath; }

    // Ends the simulator (SIGTERM, then SIGKILL after 5 s); true when it
    // ended on its own with status 0.
    bool Stop()
    {
        if (m_pid <= 0)
            return false;
        kill(m_pid, SIGTERM);
        int status = 0;
        bool clean = false;
        for (int i = 0; i < 500; ++i) {
            pid_t r = waitpid(m_pid, &status, WNOHANG);
            if (r == m_pid) {
                clean = WIFEXITED(status) && WEXITSTATUS(status) == 0;
                m_pid = -1;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            m_pid = -1;
        }
        m_running = false;
        return clean;
    }

    // Lines of the request log: KIND \t VERSION \t SECURITY-NAME then one
    // \t OID|TYPE|VALUE per binding.
    std::vector<std::string> LogLines() const
    {
        std::vector<std::string> lines;
        std::ifstream in(m_logPath);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    // Reads one object over SNMPv1; false when there is no reply or the agent
    // reports an error.
    bool Get(const std::string& oid, std::string& value, int timeoutMs = 2000) const
    {
        CSnmpV1 request(SnmpPduGet);
        request.setCommunity(ReadCommunity().c_str());
        request.addValue(oid.c_str(), SnmpValueNull);
        CSnmp* reply = nullptr;
        if (request.send(m_host.c_str(), reply, static_cast<unsigned long>(timeoutMs)) != SnmpStatusOk)
            return false;
        std::unique_ptr<CSnmp> owned(reply);
        int status = 0, index = 0;
        reply->getError(&status, &index);
        int type = 0;
        char* text = nullptr;
        if (status != 0 || reply->getValue(0, &type, &text) != 0)
            return false;
        value = text;
        return true;
    }
    // The value text, or "<none>" when it cannot be read.
    std::string Get(const std::string& oid) const
    {
        std::string value;
        return Get(oid, value) ? value : std::string("<none>");
    }
    // Whether the object exists.
    bool Has(const std::string& oid) const
    {
        std::string value;
        return Get(oid, value);
    }

    // Writes one object over SNMPv1 with the write community: the agent's
    // error status (0 accepted), or -1 without a reply.
    int Set(const std::string& oid, int type, const std::string& value) const
    {
        CSnmpV1 request(SnmpPduSet);
        request.setCommunity(WriteCommunity().c_str());
        if (type == SnmpValueOctetString)
            request.addValue(oid.c_str(), type, value.data(), static_cast<int>(value.size()));
        else
            request.addValue(oid.c_str(), type, value.c_str());
        CSnmp* reply = nullptr;
        if (request.send(m_host.c_str(), reply, 2000) != SnmpStatusOk)
            return -1;
        std::unique_ptr<CSnmp> owned(reply);
        int status = 0, index = 0;
        reply->getError(&status, &index);
        return status;
    }

    // Test controls.
    bool SetReplyDelay(int ms) const { return Set(kSimReplyDelay, SnmpValueInteger, std::to_string(ms)) == 0; }
    bool SilenceFor(int ms) const { return Set(kSimSilence, SnmpValueInteger, std::to_string(ms)) == 0; }
    bool RefuseNextSet(const std::string& oid, int errorStatus) const
    {
        return Set(kSimRefuseSetStatus, SnmpValueInteger, std::to_string(errorStatus)) == 0 &&
               Set(kSimRefuseSetOid, SnmpValueObjectId, oid) == 0;
    }

private:
    void Launch(const std::vector<std::string>& args)
    {
        int pipeFds[2];
        if (pipe2(pipeFds, O_CLOEXEC) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        pid_t pid = -1;
        int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        if (rc != 0) {
            close(pipeFds[0]);
            return;
        }
        m_pid = pid;
        // Wait up to 10 s for "korvel-sim listening on ADDRESS:PORT".
        std::string out;
        const std::string marker = "korvel-sim listening on ";
        auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        fcntl(pipeFds[0], F_SETFL, O_NONBLOCK);
        while (std::chrono::steady_clock::now() < deadline) {
            char buf[256];
            ssize_t n = read(pipeFds[0], buf, sizeof buf);
            if (n > 0) {
                out.append(buf, static_cast<size_t>(n));
                size_t at = out.find(marker);
                size_t end = at == std::string::npos ? at : out.find('\n', at);
                if (end != std::string::npos) {
                    m_host = out.substr(at + marker.size(), end - at - marker.size());
                    m_port = std::atoi(m_host.substr(m_host.rfind(':') + 1).c_str());
                    m_running = true;
                    break;
                }
            } else if (n == 0) {
                break; // the simulator ended
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
        }
        close(pipeFds[0]);
        if (!m_running)
            Stop();
    }

    pid_t m_pid = -1;
    bool m_running = false;
    std::string m_host;
    int m_port = 0;
    std::string m_logPath;
};
