#include "test_paths.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

TempDir::TempDir() {
    std::random_device rd;
    auto base = std::filesystem::path(LW_BINARY_DIR) / "test-scratch";
    std::filesystem::create_directories(base);
    for (;;) {
        path_ = base / ("t" + std::to_string(rd()));
        if (std::filesystem::create_directory(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const std::filesystem::path& p, const std::string& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string systemPython() {
    return "/usr/bin/python3 -I -X utf8";
}

bool othersReach(const std::filesystem::path& folder) {
    for (std::filesystem::path up = folder; up != up.parent_path(); up = up.parent_path())
        if ((std::filesystem::status(up).permissions() & std::filesystem::perms::others_exec) ==
            std::filesystem::perms::none)
            return false;
    return true;
}

void asOrdinaryUser(const std::vector<std::filesystem::path>& given,
                    const std::function<void()>& checks) {
    if (::geteuid() != 0 || given.empty() || !othersReach(given.front())) return checks();
    for (const std::filesystem::path& p : given)
        ASSERT_EQ(::chown(p.c_str(), OtherUser, OtherUser), 0) << p;
    const pid_t child = ::fork();
    if (child == 0) {
        // Only the checks' own failures count, not those of the test before them.
        const auto& result = *::testing::UnitTest::GetInstance()->current_test_info()->result();
        const int recorded = result.total_part_count(); // what a test records: its failures
        const bool other = ::setgid(OtherUser) == 0 && ::setuid(OtherUser) == 0;
        if (other) checks();
        std::fflush(nullptr);
        ::_exit(other && result.total_part_count() == recorded ? 0 : 1);
    }
    int status = 0;
    EXPECT_TRUE(child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
                WEXITSTATUS(status) == 0)
        << "a check failed as the ordinary user (told above)";
}

int runCommand(const std::string& command, std::string* output) {
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return -1;
    std::array<char, 4096> buf;
    std::string out;
    std::size_t n;
    while ((n = std::fread(buf.data(), 1, buf.size(), pipe)) > 0)
        out.append(buf.data(), n);
    int status = pclose(pipe);
    if (output) *output = out;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace testing_support
