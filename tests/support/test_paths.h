// Scratch folders and files for tests.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh empty folder under the build tree, removed when the object goes.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::string& bytes);

// The command that runs Debian's own python3 (with its packages), for checks
// by real readers: apart from the PYTHON variables and packages of the user's
// environment, its text in UTF-8 whatever the locale.
std::string systemPython();
// The user tests run as root act as (nobody), where they may act as another.
constexpr unsigned OtherUser = 65534;
// True when another user reaches `folder`: no folder above it is closed to others.
bool othersReach(const std::filesystem::path& folder);
// Runs `checks` as an ordinary user: where the tests run as root and another user reaches the
// first of `given`, in a process of its own as OtherUser, to whom `given` (folders and files)
// then belong (a check failing there is told there, and fails the test); else as this user.
void asOrdinaryUser(const std::vector<std::filesystem::path>& given,
                    const std::function<void()>& checks);
// Runs a command; returns its exit status and fills `output` with stdout.
int runCommand(const std::string& command, std::string* output = nullptr);

} // namespace testing_support
