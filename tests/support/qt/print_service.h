// A print service of a test's own: a CUPS scheduler with a private
// configuration, spool and socket in a fresh folder (no network port), which
// this process's print clients and the CUPS commands it runs talk to; a
// system one is left alone. Stopped by its process id when it goes.
#pragma once

#include <string>
#include <sys/types.h>

namespace testing_support {

class PrintService {
  public:
    PrintService(); // see why() for whether it runs
    ~PrintService();
    PrintService(const PrintService&) = delete;
    PrintService& operator=(const PrintService&) = delete;

    // Why it could not start ("" while it runs): the test skips with it.
    const std::string& why() const { return why_; }
    // Adds queue `name`, accepting jobs and holding them (disabled): a Letter
    // sheet with 18 pt left, 36 pt top, 24 pt right and 54 pt bottom margins.
    bool addQueue(const std::string& name) const;
    // Runs a CUPS command ("cupsreject Office"); true when it succeeds.
    bool run(const std::string& command) const;
    void stop();

  private:
    std::string dir_;
    pid_t pid_ = -1;
    std::string why_;
};

} // namespace testing_support
