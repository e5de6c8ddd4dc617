// A test's own CUPS scheduler, its files and socket in a fresh folder (a system
// one left alone), stopped by its process id; why() says why it did not start.
#pragma once

#include "platform/qt/printer_factory.h"
#include "support/test_paths.h"

#include <cups/cups.h>

#include <csignal>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

class PrintService {
  public:
    PrintService() {
        std::string cupsd = "/usr/sbin/cupsd", dir = "/tmp/lw-cups-XXXXXX"; // a short socket path
        if (!std::filesystem::exists(cupsd) || !::mkdtemp(dir.data())) {
            why_ = "no CUPS scheduler (cupsd) on this machine";
            return;
        }
        dir_ = dir;
        std::string files = "ServerRoot " + dir +
                            "\nFileDevice Yes\nErrorLog syslog\n"
                            "AccessLog syslog\nPageLog syslog\n";
        for (const std::string key : {"RequestRoot", "CacheDir", "StateDir", "TempDir"}) {
            std::filesystem::create_directory(dir + "/" + key);
            files += key + " " + dir + "/" + key + "\n";
        }
        writeFile(dir + "/files.conf", files);
        writeFile(dir + "/cupsd.conf", // no question of who asks
                  "Listen " + dir +
                      "/socket\n<Policy default>\n<Limit All>\n</Limit>\n</Policy>\n");
        // Letter with margins of 18 pt left, 36 top, 24 right and 54 bottom;
        // B5 and Envelope DL a point or two off their paper sizes.
        writeFile(dir + "/margins.ppd",
                  "*PPD-Adobe: \"4.3\"\n*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 "
                  "-\"\n*OpenUI *PageSize: PickOne\n*DefaultPageSize: Letter\n*PageSize Letter: "
                  "\"\"\n*PageSize B5: \"\"\n*PageSize EnvDL: \"\"\n*CloseUI: *PageSize\n"
                  "*ImageableArea Letter: \"18 54 588 756\"\n*ImageableArea B5: \"18 18 500 709\"\n"
                  "*ImageableArea EnvDL: \"18 18 293 605\"\n*PaperDimension Letter: \"612 792\"\n"
                  "*PaperDimension B5: \"518 727\"\n*PaperDimension EnvDL: \"311 623\"\n");
        // A label printer's A6 and 16K, no paper of the program's, on 16K.
        writeFile(dir + "/labels.ppd",
                  "*PPD-Adobe: \"4.3\"\n*cupsFilter2: \"application/pdf application/vnd.cups-pdf 0 "
                  "-\"\n*OpenUI *PageSize: PickOne\n*DefaultPageSize: 16K\n*PageSize A6: \"\"\n"
                  "*PageSize 16K: \"\"\n*CloseUI: *PageSize\n*ImageableArea A6: \"18 18 280 402\"\n"
                  "*ImageableArea 16K: \"18 18 540 756\"\n*PaperDimension A6: \"298 420\"\n"
                  "*PaperDimension 16K: \"558 774\"\n");
        std::string args[] = {"-f", "-c", dir + "/cupsd.conf", "-s", dir + "/files.conf"};
        char* argv[] = {cupsd.data(),   args[0].data(), args[1].data(), args[2].data(),
                        args[3].data(), args[4].data(), nullptr};
        if (::posix_spawn(&pid_, cupsd.c_str(), nullptr, nullptr, argv, environ) != 0) pid_ = -1;
        ::setenv("CUPS_SERVER", (dir + "/socket").c_str(), 1);
        cupsSetServer((dir + "/socket").c_str());
        // Up to 20 s for it to answer, unless it ends first.
        for (int waits = 0; pid_ > 0 && !printServiceRunning() && ++waits < 400;)
            pid_ = ::waitpid(pid_, nullptr, WNOHANG) == 0 ? (::usleep(50000), pid_) : -1;
        if (pid_ < 0 || !printServiceRunning()) why_ = "cupsd did not start on this machine";
    }
    ~PrintService() {
        stop();
        if (!dir_.empty()) std::filesystem::remove_all(dir_);
        ::unsetenv("CUPS_SERVER");
        cupsSetServer(nullptr);
    }
    const std::string& why() const { return why_; }
    // A queue of the sheets above ("margins" or "labels"), taking jobs and holding them.
    bool addQueue(const std::string& name, const std::string& sheets = "margins") const {
        return run("lpadmin -p " + name + " -E -v file:///dev/null -P " + dir_ + "/" + sheets +
                   ".ppd") &&
               run("cupsdisable " + name);
    }
    // Runs a CUPS command ("cupsreject Office"); true when it succeeds.
    bool run(const std::string& command) const {
        return runCommand(command + " >/dev/null 2>&1") == 0;
    }
    void stop() {
        if (pid_ > 0 && ::kill(pid_, SIGTERM) == 0) ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

  private:
    std::string dir_, why_;
    pid_t pid_ = -1;
};

} // namespace testing_support
