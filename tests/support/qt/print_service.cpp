#include "support/qt/print_service.h"

#include "platform/qt/printer_factory.h"
#include "support/test_paths.h"

#include <cups/cups.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

namespace testing_support {

namespace {

const char* const Ppd = R"ppd(*PPD-Adobe: "4.3"
*FormatVersion: "4.3"
*FileVersion: "1.0"
*LanguageVersion: English
*LanguageEncoding: ISOLatin1
*PCFileName: "MARGINS.PPD"
*Manufacturer: "Test"
*Product: "(Margins)"
*ModelName: "Margins"
*NickName: "Margins"
*ShortNickName: "Margins"
*cupsFilter2: "application/pdf application/vnd.cups-pdf 0 -"
*OpenUI *PageSize: PickOne
*DefaultPageSize: Letter
*PageSize Letter: "<</PageSize[612 792]>>setpagedevice"
*CloseUI: *PageSize
*DefaultImageableArea: Letter
*ImageableArea Letter: "18 54 588 756"
*DefaultPaperDimension: Letter
*PaperDimension Letter: "612 792"
)ppd";

} // namespace

PrintService::PrintService() {
    char folder[] = "/tmp/lw-cups-XXXXXX"; // short: the socket's path is at most 107 bytes
    const char* cupsd = "/usr/sbin/cupsd";
    if (!std::filesystem::exists(cupsd) || !::mkdtemp(folder)) {
        why_ = "no CUPS scheduler (cupsd) on this machine";
        return;
    }
    dir_ = folder;
    for (const char* sub : {"spool", "cache", "state", "tmp", "log", "ppd"})
        std::filesystem::create_directory(dir_ + "/" + sub);
    writeFile(dir_ + "/cupsd.conf", "Listen " + dir_ +
                                        "/cups.sock\nBrowsing No\n"
                                        "<Location />\nOrder allow,deny\nAllow all\n</Location>\n");
    writeFile(dir_ + "/cups-files.conf",
              "ServerRoot " + dir_ + "\nRequestRoot " + dir_ + "/spool\nCacheDir " + dir_ +
                  "/cache\nStateDir " + dir_ + "/state\nTempDir " + dir_ + "/tmp\nErrorLog " +
                  dir_ + "/log/error\nAccessLog " + dir_ + "/log/access\nPageLog " + dir_ +
                  "/log/page\nFileDevice Yes\n");
    writeFile(dir_ + "/margins.ppd", Ppd);
    std::string conf = dir_ + "/cupsd.conf", files = dir_ + "/cups-files.conf";
    std::string foreground = "-f", confFlag = "-c", filesFlag = "-s", program = cupsd;
    char* argv[] = {program.data(),   foreground.data(), confFlag.data(), conf.data(),
                    filesFlag.data(), files.data(),      nullptr};
    if (::posix_spawn(&pid_, cupsd, nullptr, nullptr, argv, environ) != 0) pid_ = -1;
    const std::string socket = dir_ + "/cups.sock";
    ::setenv("CUPS_SERVER", socket.c_str(), 1);
    cupsSetServer(socket.c_str());
    for (int wait = 0; pid_ > 0 && wait < 100; ++wait) {
        if (printServiceRunning()) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    why_ = "cupsd did not start on this machine";
}

PrintService::~PrintService() {
    stop();
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
    ::unsetenv("CUPS_SERVER");
    cupsSetServer(nullptr);
}

bool PrintService::addQueue(const std::string& name) const {
    return run("lpadmin -p " + name + " -E -v file:///dev/null -P " + dir_ + "/margins.ppd") &&
           run("cupsdisable " + name);
}

bool PrintService::run(const std::string& command) const {
    return runCommand(command + " >/dev/null 2>&1") == 0;
}

void PrintService::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

} // namespace testing_support
